#pragma once

#include <QObject>
#include <QString>

#include "store/calendar.h"

namespace Sync {

// One provider's sync of single calendars (CalDAV, Google, Microsoft, the
// cloud service, webcal feeds). The main window creates a client per sync
// pass, hands it calendars and learns the outcome only from the signals:
// every syncCalendar emits calendarSyncStarted and later exactly one of
// calendarSyncCompleted or a final calendarSyncFailed for that calendar.
// Several calendars may be in flight on one client at once; a client
// destroyed before they finish reports nothing more for them.
class CalendarSyncClient : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~CalendarSyncClient() override;

    // Starts one run for the calendar and returns at once; the outcome,
    // failures included, arrives through the signals, never synchronously
    // before calendarSyncStarted. Whatever else a provider needs (accounts,
    // credentials, tokens) the client finds itself or was given beforehand.
    virtual void syncCalendar(const Calendar &calendar) = 0;

    // Whether a run of the calendar is still going. Asked when a failure
    // arrives: a provider whose failures may leave the run going answers
    // true for those, so its callers count the calendar once, on its final
    // signal. By default every failure ends its run.
    virtual bool isSyncing(const QString &calendarId) const;

Q_SIGNALS:
    void calendarSyncStarted(const QString &calendarId);
    // eventCount: the items the run brought in from the provider; items it
    // pushed are not counted.
    void calendarSyncCompleted(const QString &calendarId, int eventCount);
    // reason: a message the user can read. A provider may report a failure
    // that does not end the run (the run then still completes).
    void calendarSyncFailed(const QString &calendarId, const QString &reason);
    // text: what the run changed that the user did not ask for and should
    // hear of once (a repair), in words the user can read. No failure.
    void calendarSyncNotice(const QString &calendarId, const QString &text);
};

} // namespace Sync
