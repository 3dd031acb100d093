#pragma once

#include <QString>
#include <QUrl>

#include "store/account.h"
#include "store/calendar.h"
#include "sync/core/calendarsyncclient.h"
#include "sync/core/syncrepositories.h"

class AccountRepository;
class QNetworkAccessManager;
class QNetworkReply;

namespace Webcal {

// Keeps subscribed iCalendar feeds (webcal calendars, holiday calendars) in
// step with their feeds, one way: each syncCalendar fetches the calendar's
// url and makes the calendar hold exactly the feed's events. Nothing is
// written back; local edits give way to the feed's copy on the next fetch.
class SyncClient : public Sync::CalendarSyncClient
{
    Q_OBJECT
public:
    static constexpr const char *SubscriptionsAccountId = "webcal-subscriptions-account";
    static constexpr int kDefaultTransferTimeoutMs = 30000;
    static constexpr qint64 kMaxFeedBytes = 32 * 1024 * 1024;
    static constexpr int kMaxRedirects = 10;
    static constexpr int kDefaultDeadlineMs = 5 * 60 * 1000;

    // Uses the events repository and its database.
    explicit SyncClient(const Sync::Repositories &store, QObject *parent = nullptr);

    void syncCalendar(const Calendar &calendar) override;

    // Inactivity limit of each later fetch: a feed server that stops
    // sending fails the sync instead of holding it open for ever.
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }
    int transferTimeout() const { return m_transferTimeoutMs; }
    // How long a whole fetch may take, however slowly the feed trickles in.
    void setDeadline(int milliseconds) { m_deadlineMs = milliseconds; }

    // The account that owns every subscription and holiday calendar,
    // created on first use.
    static Account ensureSubscriptionsAccount(AccountRepository *accounts);
    // The address to fetch: webcal and webcals become https; everything
    // else stays as written.
    static QUrl normalizeUrl(const QString &text);

private:
    void handleFeedReply(QNetworkReply *reply, const Calendar &calendar);
    QString transportError(QNetworkReply *reply) const;

    Sync::Repositories m_store;
    QNetworkAccessManager *m_manager;
    int m_deadlineMs = kDefaultDeadlineMs;
    int m_transferTimeoutMs = kDefaultTransferTimeoutMs;
};

} // namespace Webcal
