#pragma once

#include <QObject>
#include <QSet>
#include <QString>

#include "store/calendar.h"
#include "sync/core/syncrepositories.h"
#include "sync/microsoft/microsoftendpoints.h"
#include "sync/microsoft/microsoftpulledchanges.h"
#include "sync/oauth/tokenrenewer.h"

#include <functional>

class PageReader;

namespace Microsoft {

class CalendarClient;

// Fetches what changed in one calendar. Graph v1.0 offers a delta only for
// the view of the user's default calendar ("/me/calendarView/delta"):
// which calendar that is is asked first, every run; that calendar is read
// through the delta, from its stored token, or over the window the first
// time; any other calendar is listed over the whole window each time.
// Then the series masters the listing points at, and the stored ones it
// may have dropped, are read by id. An expired delta token starts the
// listing over the window once.
class PullRun : public QObject
{
    Q_OBJECT
public:
    // Asked for a new token when Graph answers 401.
    void setTokenRenewer(const OAuth::TokenRenewer &renewer);
    PullRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
            const QString &accessToken, QObject *parent = nullptr);

    // The window: six months back, two years ahead of `now`.
    static QDateTime windowStart(const QDateTime &now);
    static QDateTime windowEnd(const QDateTime &now);

    void start();

Q_SIGNALS:
    void pulled(const Microsoft::PulledChanges &changes);
    // The stored delta token was refused; it has been cleared.
    void deltaTokenExpired();
    void failed(const QString &reason);

private:
    void list(bool delta);
    void onListed(const QList<QJsonObject> &events, const QList<QList<ListedEvent>> &listedPages,
                  const QString &deltaToken);
    void readMasters();
    void requestMasters(const QSet<QString> &masters);
    void masterDone();

    Sync::Repositories m_store;
    Calendar m_calendar;
    CalendarClient *m_client;
    // Reads the stored rows the listing is matched with, off this thread.
    PageReader *m_reader;
    PulledChanges m_changes;
    QSet<QString> m_pendingMasters;
};

} // namespace Microsoft
