#include "app/edits/meetingmove.h"

#include <QCoreApplication>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"

namespace MeetingMove {

namespace {

bool hasGuests(const Event &event)
{
    for (const Attendee &attendee : event.attendees) {
        if (attendee.email.compare(event.organizer_email, Qt::CaseInsensitive) != 0)
            return true;
    }
    return false;
}

bool inOutlook(AccountRepository &accounts, const std::optional<Calendar> &calendar)
{
    const std::optional<Account> account = calendar ? accounts.getById(calendar->account_id) : std::nullopt;
    return account && account->type == AccountType::Microsoft;
}

} // namespace

QString refusal(Database *database, CalendarRepository *calendars, const Event &event, const QString &toCalendarId)
{
    if (!database || !calendars || !hasGuests(event))
        return QString();
    AccountRepository accounts(database);
    const std::optional<Calendar> from = calendars->getById(event.calendar_id);
    const std::optional<Calendar> to = calendars->getById(toCalendarId);
    if (!inOutlook(accounts, from) && !inOutlook(accounts, to))
        return QString();
    return QCoreApplication::translate("MeetingMove",
                                       "\"%1\" has guests, and Outlook would send them a new invitation (or a "
                                       "cancellation) if it moved to \"%2\". It stays in \"%3\".")
        .arg(event.title, to ? to->name : toCalendarId, from ? from->name : event.calendar_id);
}

} // namespace MeetingMove
