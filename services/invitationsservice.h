#pragma once

#include "app/edits/editresult.h"
#include "services/invitationlists.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

class AccountRepository;
class CalendarRepository;
class EventRepository;

namespace Invitations {

// Finds the meetings the user was invited to among the stored events (an
// attendee carries one of the user's account addresses) and records the
// user's answer. Keeps nothing: every call reads the store afresh.
class Service : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    Service(AccountRepository *accounts, CalendarRepository *calendars, EventRepository *events,
            QObject *parent = nullptr);

    // Lower-cased usernames of the live accounts that look like addresses.
    QSet<QString> myEmails() const;
    Lists pending() const;
    int pendingCount() const;
    // Sets the participation status of every attendee with this address and
    // stores the event for upload. Failed when nothing matched or the store
    // refused.
    EditResult respond(const QString &eventId, const QString &email, const QString &status);

    // The current local time; replaceable for tests.
    void setClock(Clock clock);

Q_SIGNALS:
    void invitationsChanged();

private:
    AccountRepository *m_accounts;
    CalendarRepository *m_calendars;
    EventRepository *m_events;
    Clock m_clock;
};

} // namespace Invitations
