#include "services/invitationsservice.h"

#include <QDebug>
#include <QStringList>

#include "app/edits/eventeditor.h"
#include "calendar/eventorder.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"

#include <algorithm>

namespace Invitations {

namespace {

constexpr int PastWindowDays = 90;
constexpr int FutureWindowDays = 365;

} // namespace

Service::Service(AccountRepository *accounts, CalendarRepository *calendars, EventRepository *events,
                 QObject *parent)
    : QObject(parent)
    , m_accounts(accounts)
    , m_calendars(calendars)
    , m_events(events)
    , m_clock([] { return QDateTime::currentDateTime(); })
{
    if (m_events)
        connect(m_events, &EventRepository::eventsChanged, this, &Service::invitationsChanged);
    if (m_accounts)
        connect(m_accounts, &AccountRepository::accountsChanged, this, &Service::invitationsChanged);
}

void Service::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

QSet<QString> Service::myEmails() const
{
    QSet<QString> addresses;
    if (!m_accounts)
        return addresses;
    const QList<Account> accounts = m_accounts->getAll();
    for (const Account &account : accounts) {
        if (account.username.contains(QLatin1Char('@')))
            addresses.insert(account.username.toLower());
    }
    return addresses;
}

Lists Service::pending() const
{
    Lists lists;
    if (!m_events || !m_calendars)
        return lists;
    const QSet<QString> addresses = myEmails();
    if (addresses.isEmpty())
        return lists;

    QStringList calendarIds;
    const QList<Calendar> calendars = m_calendars->getAll();
    for (const Calendar &calendar : calendars) {
        if (calendar.is_visible)
            calendarIds.append(calendar.id);
    }
    if (calendarIds.isEmpty())
        return lists;

    const QDateTime now = m_clock();
    const QList<Event> events =
        m_events->getInRange(now.addDays(-PastWindowDays), now.addDays(FutureWindowDays), calendarIds);
    for (const Event &event : events) {
        if (event.status == QLatin1String("cancelled"))
            continue;
        const auto mine = std::find_if(event.attendees.cbegin(), event.attendees.cend(),
                                       [&](const Attendee &attendee) {
                                           return addresses.contains(attendee.email.toLower());
                                       });
        if (mine == event.attendees.cend())
            continue;
        const QDateTime end = event.end_time.value_or(event.start_time);
        if (end < now)
            lists.past.append(event);
        else if (mine->status.toLower() == QLatin1String("needs-action"))
            lists.pending.append(event);
        else
            lists.past.append(event);
    }

    EventOrder::sort(lists.pending);
    std::sort(lists.past.begin(), lists.past.end(),
              [](const Event &a, const Event &b) { return EventOrder::startsBefore(b, a); });
    return lists;
}

int Service::pendingCount() const
{
    return pending().pending.size();
}

EditResult Service::respond(const QString &eventId, const QString &email, const QString &status)
{
    EventEditor editor(m_events, m_calendars, nullptr, nullptr);
    const EditResult answered = editor.answerInvitation(eventId, email, status);
    if (!answered) {
        qWarning().noquote() << "Invitations::Service::respond failed:" << answered.error;
        return answered;
    }
    Q_EMIT invitationsChanged();
    return answered;
}

} // namespace Invitations
