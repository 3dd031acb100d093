#include "sync/webcal/webcalsyncclient.h"

#include <QDateTime>
#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "app/network/replyguard.h"
#include "store/accountrepository.h"
#include "sync/webcal/webcalfeed.h"
#include "sync/webcal/webcalfeedwriter.h"

namespace Webcal {

namespace {

const char kTooLargeProperty[] = "webcalFeedTooLarge";

} // namespace

SyncClient::SyncClient(const Sync::Repositories &store, QObject *parent)
    : Sync::CalendarSyncClient(parent)
    , m_store(store)
    , m_manager(new QNetworkAccessManager(this))
{
}

Account SyncClient::ensureSubscriptionsAccount(AccountRepository *accounts)
{
    const QString id = QString::fromLatin1(SubscriptionsAccountId);
    if (const std::optional<Account> existing = accounts->getById(id))
        return *existing;

    // A removed subscriptions account leaves a tombstone under the same id;
    // the new row would collide with it and the new calendars would hang
    // under a deleted account.
    for (const Account &row : accounts->getAllIncludingDeleted()) {
        if (row.id == id && row.deleted_at) {
            if (!accounts->reapTombstone(id))
                qWarning() << "[Webcal] Could not clear the removed subscriptions account";
            break;
        }
    }
    Account account;
    account.id = id;
    account.name = QObject::tr("Calendar Subscriptions");
    account.type = AccountType::Webcal;
    account.sync_interval_minutes = 15;
    account.enabled = true;
    account.color = QStringLiteral("#4285F4");
    account.exclude_from_sync = false;
    account.created_at = QDateTime::currentDateTimeUtc();
    account.updated_at = account.created_at;
    // The calendar written under it next reports its own failure.
    if (!accounts->insert(account))
        qWarning() << "[Webcal] Could not store the subscriptions account";
    return account;
}

QUrl SyncClient::normalizeUrl(const QString &text)
{
    QUrl url(text, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("webcal") || scheme == QLatin1String("webcals"))
        url.setScheme(QStringLiteral("https"));
    return url;
}

void SyncClient::syncCalendar(const Calendar &calendar)
{
    Q_EMIT calendarSyncStarted(calendar.id);

    const QUrl url = normalizeUrl(calendar.url);
    // Only web addresses: a synced subscription must not make us read a
    // local file.
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        Q_EMIT calendarSyncFailed(calendar.id, tr("Invalid subscription URL: %1").arg(calendar.url));
        return;
    }

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("TindlebrookCalendar/1.0 (+webcal)"));
    request.setRawHeader("Accept", "text/calendar, text/plain, */*");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setTransferTimeout(m_transferTimeoutMs);

    QNetworkReply *reply = m_manager->get(request);
    Net::ReplyGuard::watch(reply, {0, m_deadlineMs});
    connect(reply, &QNetworkReply::readyRead, this, [reply] {
        if (reply->bytesAvailable() > kMaxFeedBytes) {
            reply->setProperty(kTooLargeProperty, true);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, calendar] { handleFeedReply(reply, calendar); });
}

QString SyncClient::transportError(QNetworkReply *reply) const
{
    if (reply->property(kTooLargeProperty).toBool())
        return tr("The feed is larger than %1 MB.").arg(kMaxFeedBytes / (1024 * 1024));
    if (const QString stopped = Net::ReplyGuard::failure(reply); !stopped.isEmpty())
        return stopped;
    // The transfer time-out is the only cancellation of a running fetch.
    if (reply->error() == QNetworkReply::OperationCanceledError)
        return tr("The server did not answer within %1 seconds.").arg(m_transferTimeoutMs / 1000.0);
    return reply->errorString();
}

void SyncClient::handleFeedReply(QNetworkReply *reply, const Calendar &calendar)
{
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || reply->property(kTooLargeProperty).toBool()
        || !Net::ReplyGuard::failure(reply).isEmpty()) {
        Q_EMIT calendarSyncFailed(calendar.id, tr("Subscription fetch failed (%1): %2")
                                                   .arg(status)
                                                   .arg(transportError(reply)));
        return;
    }
    if (status < 200 || status > 299) {
        Q_EMIT calendarSyncFailed(calendar.id, tr("Subscription fetch failed: HTTP %1").arg(status));
        return;
    }
    const QByteArray body = reply->readAll();
    if (body.isEmpty()) {
        Q_EMIT calendarSyncFailed(calendar.id, tr("Subscription returned an empty body"));
        return;
    }

    const Feed feed = Feed::read(body);
    switch (feed.problem) {
    case Feed::Problem::None:
        break;
    case Feed::Problem::NotACalendar:
        Q_EMIT calendarSyncFailed(calendar.id, tr("Subscription did not return a calendar"));
        return;
    case Feed::Problem::Incomplete:
        Q_EMIT calendarSyncFailed(calendar.id, tr("Subscription returned an incomplete calendar"));
        return;
    case Feed::Problem::TooManyEvents:
        Q_EMIT calendarSyncFailed(calendar.id, tr("Subscription has more than %1 events")
                                                   .arg(Feed::kMaxEvents));
        return;
    }

    const FeedWriter::Outcome outcome = FeedWriter(m_store).apply(calendar.id, feed.events);
    if (!outcome.saved) {
        Q_EMIT calendarSyncFailed(calendar.id, tr("Subscription events could not be saved"));
        return;
    }
    Q_EMIT calendarSyncCompleted(calendar.id, outcome.stored);
}

} // namespace Webcal
