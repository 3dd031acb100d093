#include "update/client.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "app/network/replyguard.h"
#include "update/updatemanifest.h"
#include "update/updateversion.h"

Q_LOGGING_CATEGORY(tindupdateClient, "tindupdate.client")

namespace TindUpdate {

Client::Client(const Config &config, QObject *parent)
    : QObject(parent)
    , m_config(config)
    , m_network(new QNetworkAccessManager(this))
{
    qRegisterMetaType<TindUpdate::Artifact>("TindUpdate::Artifact");
    connect(m_network, &QNetworkAccessManager::finished, this, &Client::onManifestReply);
}

QUrl Client::manifestUrl() const
{
    QUrl url = m_config.manifestBaseUrl;
    QString path = url.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    url.setPath(path + QStringLiteral("latest.json"), QUrl::DecodedMode);
    return url;
}

void Client::check()
{
    if (m_inFlight) {
        qCDebug(tindupdateClient) << "check already in flight, ignoring";
        return;
    }
    if (!m_config.manifestBaseUrl.isValid()) {
        Q_EMIT checkFailed(QStringLiteral("manifestBaseUrl is not valid"));
        return;
    }
    if (m_config.currentVersion.isEmpty()) {
        Q_EMIT checkFailed(QStringLiteral("currentVersion is empty"));
        return;
    }
    m_inFlight = true;
    QNetworkReply *reply = m_network->get(makeRequest(manifestUrl(), m_config.app, m_config.timeoutMs));
    Net::ReplyGuard::watch(reply, {MaxManifestBytes, m_config.deadlineMs});
}

void Client::onManifestReply(QNetworkReply *reply)
{
    reply->deleteLater();
    m_inFlight = false;

    const QString stopped = Net::ReplyGuard::failure(reply);
    if (!stopped.isEmpty()) {
        Q_EMIT checkFailed(QStringLiteral("network error: %1").arg(stopped));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::ContentNotFoundError || status == 404) {
            qCInfo(tindupdateClient) << "manifest 404, treating as up-to-date";
            Q_EMIT upToDate();
        } else {
            Q_EMIT checkFailed(QStringLiteral("network error: %1").arg(replyErrorText(reply, m_config.timeoutMs)));
        }
        return;
    }

    QString error;
    const UpdateManifest manifest = UpdateManifest::parse(reply->readAll(), &error);
    if (!manifest.isValid() || !error.isEmpty()) {
        Q_EMIT checkFailed(QStringLiteral("manifest invalid: %1").arg(error));
        return;
    }
    const QString key = UpdateManifest::platformKey();
    if (key.isEmpty()) {
        qCWarning(tindupdateClient) << "unknown platform, skipping update check";
        Q_EMIT upToDate();
        return;
    }
    const auto found = manifest.artifacts.constFind(key);
    if (found == manifest.artifacts.constEnd()) {
        qCInfo(tindupdateClient) << "platform" << key << "not shipped in current manifest";
        Q_EMIT upToDate();
        return;
    }
    Artifact artifact = found.value();
    if (!artifact.release_notes_url.isEmpty() && !notesUrlAllowed(artifact.release_notes_url, manifestUrl())) {
        qCWarning(tindupdateClient) << "ignoring release notes outside the manifest's host:"
                                    << artifact.release_notes_url.toString(QUrl::RemoveQuery);
        artifact.release_notes_url = QUrl();
    }
    const UpdateVersion current = UpdateVersion::parse(m_config.currentVersion);
    if (!UpdateVersion::lessThan(current, UpdateVersion::parse(artifact.version))) {
        Q_EMIT upToDate();
        return;
    }
    if (!artifact.min_upgradable_from.isEmpty()
        && UpdateVersion::lessThan(current, UpdateVersion::parse(artifact.min_upgradable_from))) {
        Q_EMIT checkFailed(QStringLiteral("current version %1 is older than min_upgradable_from %2; "
                                          "please upgrade to an intermediate release first")
                               .arg(m_config.currentVersion, artifact.min_upgradable_from));
        return;
    }
    Q_EMIT updateAvailable(artifact);
}

QNetworkRequest makeRequest(const QUrl &url, const QString &tag, int timeoutMs)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("TindUpdateQt/0.1 (%1)").arg(tag));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // Zero would mean "wait for ever".
    request.setTransferTimeout(timeoutMs > 0 ? timeoutMs : Client::DefaultTimeoutMs);
    return request;
}

bool notesUrlAllowed(const QUrl &notes, const QUrl &manifest)
{
    if (!notes.isValid() || notes.host().isEmpty()
        || notes.host().compare(manifest.host(), Qt::CaseInsensitive) != 0)
        return false;
    const QString scheme = notes.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    const QHostAddress address(manifest.host());
    const bool local = manifest.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0
        || (!address.isNull() && address.isLoopback());
    return local && scheme == QLatin1String("http") && scheme == manifest.scheme().toLower();
}

QString replyErrorText(const QNetworkReply *reply, int timeoutMs)
{
    // Nothing here aborts a reply, so a cancelled one ran out of time.
    if (reply->error() == QNetworkReply::OperationCanceledError)
        return QStringLiteral("no answer within %1 ms").arg(timeoutMs > 0 ? timeoutMs : Client::DefaultTimeoutMs);
    return reply->errorString();
}

} // namespace TindUpdate
