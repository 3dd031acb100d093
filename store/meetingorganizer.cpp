#include "store/meetingorganizer.h"

#include "store/accountrepository.h"
#include "store/calendarrepository.h"

#include <algorithm>

namespace MeetingOrganizer {

bool organizedBy(const AccountRepository *accounts, const CalendarRepository *calendars, const Event &event,
                 const QString &accountId)
{
    const QString organizer = event.organizer_email.trimmed();
    if (organizer.isEmpty())
        return true;
    const auto same = [&organizer](const QString &address) {
        return organizer.compare(address.trimmed(), Qt::CaseInsensitive) == 0;
    };
    const std::optional<Account> account = accounts ? accounts->getById(accountId) : std::nullopt;
    if (!account)
        return false;
    if (same(account->username))
        return true;
    if (!calendars)
        return false;
    const QList<Calendar> own = calendars->getByAccount(accountId);
    return std::any_of(own.cbegin(), own.cend(),
                       [&same](const Calendar &calendar) { return !calendar.is_read_only && same(calendar.url); });
}

bool hasGuests(const Event &event)
{
    return std::any_of(event.attendees.cbegin(), event.attendees.cend(), [&event](const Attendee &attendee) {
        return attendee.email.compare(event.organizer_email, Qt::CaseInsensitive) != 0;
    });
}

} // namespace MeetingOrganizer
