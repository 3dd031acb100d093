#include "update/releasenotesfetcher.h"

#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "app/network/replyguard.h"
#include "update/client.h"

namespace TindUpdate {

ReleaseNotesFetcher::ReleaseNotesFetcher(const Client::Config &config, QObject *parent)
    : ReleaseNotesFetcher(notesUrlFor(config), config.app, parent)
{
    if (!config.notesLanguage.isEmpty())
        m_language = config.notesLanguage;
    m_timeoutMs = config.timeoutMs;
}

ReleaseNotesFetcher::ReleaseNotesFetcher(const QUrl &notesUrl, const QString &tag, QObject *parent)
    : QObject(parent)
    , m_tag(tag)
    , m_network(new QNetworkAccessManager(this))
    , m_notesUrl(notesUrl)
    , m_language(systemLanguage())
{
}

QString ReleaseNotesFetcher::systemLanguage()
{
    return QLocale::system().name().left(2);
}

QUrl ReleaseNotesFetcher::notesUrlFor(const Client::Config &config)
{
    QUrl url = config.manifestBaseUrl;
    QString path = url.path(QUrl::FullyDecoded);
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0)
        path.truncate(slash + 1);
    path += config.currentVersion + QStringLiteral("/release-notes.md");
    // A manifest at the root of its host keeps the notes under the root too;
    // a relative path would make an address that cannot be requested.
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    url.setPath(path, QUrl::DecodedMode);
    return url;
}

QUrl ReleaseNotesFetcher::localizedUrl(const QUrl &notesUrl) const
{
    const QString language = m_language.left(2);
    if (language.isEmpty() || language == QLatin1String("en"))
        return QUrl();
    QString path = notesUrl.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1String(".md")))
        return notesUrl;
    path.insert(path.size() - 3, QLatin1Char('.') + language);
    QUrl url = notesUrl;
    url.setPath(path, QUrl::DecodedMode);
    return url;
}

void ReleaseNotesFetcher::fetch()
{
    const QUrl localized = localizedUrl(m_notesUrl);
    if (localized.isValid()) {
        QNetworkReply *reply = get(localized);
        connect(reply, &QNetworkReply::finished, this, [this, reply] { onLocalizedReply(reply); });
        return;
    }
    QNetworkReply *reply = get(m_notesUrl);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onBaseReply(reply); });
}

QNetworkReply *ReleaseNotesFetcher::get(const QUrl &url)
{
    QNetworkReply *reply = m_network->get(makeRequest(url, m_tag, m_timeoutMs));
    // The notes are shown once whole: a server trickling them is cut off.
    Net::ReplyGuard::watch(reply, {0, Client::DefaultDeadlineMs});
    // A file far larger than any release notes is cut off early.
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > MaxNotesBytes)
            reply->abort();
    });
    return reply;
}

QString ReleaseNotesFetcher::notesOf(QNetworkReply *reply)
{
    if (reply->error() != QNetworkReply::NoError)
        return QString();
    const QByteArray body = reply->readAll();
    if (body.size() > MaxNotesBytes)
        return QString();
    return QString::fromUtf8(body).trimmed();
}

void ReleaseNotesFetcher::onLocalizedReply(QNetworkReply *reply)
{
    reply->deleteLater();
    const QString notes = notesOf(reply);
    if (!notes.isEmpty()) {
        Q_EMIT notesReady(notes);
        return;
    }
    QNetworkReply *base = get(m_notesUrl);
    connect(base, &QNetworkReply::finished, this, [this, base] { onBaseReply(base); });
}

void ReleaseNotesFetcher::onBaseReply(QNetworkReply *reply)
{
    reply->deleteLater();
    const QString notes = notesOf(reply);
    if (notes.isEmpty())
        Q_EMIT notesUnavailable();
    else
        Q_EMIT notesReady(notes);
}

} // namespace TindUpdate
