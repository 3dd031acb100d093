#include "app/edits/meetingmove.h"

#include <QCoreApplication>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/meetingorganizer.h"

namespace MeetingMove {

namespace {

bool ofType(AccountRepository &accounts, const std::optional<Calendar> &calendar, AccountType type)
{
    const std::optional<Account> account = calendar ? accounts.getById(calendar->account_id) : std::nullopt;
    return account && account->type == type;
}

// Google moves an event between calendars of one account as it is; from
// anywhere else the copy is a new event of the account it goes to, which
// becomes its organizer.
bool copiedIntoGoogle(AccountRepository &accounts, const std::optional<Calendar> &from,
                      const std::optional<Calendar> &to)
{
    return ofType(accounts, to, AccountType::Google) && (!from || from->account_id != to->account_id);
}

} // namespace

QString refusal(Database *database, CalendarRepository *calendars, const Event &event, const QString &toCalendarId)
{
    if (!database || !calendars || !MeetingOrganizer::hasGuests(event))
        return QString();
    AccountRepository accounts(database);
    const std::optional<Calendar> from = calendars->getById(event.calendar_id);
    const std::optional<Calendar> to = calendars->getById(toCalendarId);
    const QString toName = to ? to->name : toCalendarId;
    const QString fromName = from ? from->name : event.calendar_id;
    if (ofType(accounts, from, AccountType::Microsoft) || ofType(accounts, to, AccountType::Microsoft))
        return QCoreApplication::translate("MeetingMove",
                                           "\"%1\" has guests, and Outlook would send them a new invitation (or a "
                                           "cancellation) if it moved to \"%2\". It stays in \"%3\".")
            .arg(event.title, toName, fromName);
    // A meeting someone else organizes would become the user's own, shown
    // to its guests without its organizer.
    if (copiedIntoGoogle(accounts, from, to)
        && !MeetingOrganizer::organizedBy(&accounts, calendars, event, to->account_id))
        return QCoreApplication::translate("MeetingMove",
                                           "\"%1\" is organized by %2, and on Google it would become your own "
                                           "meeting, shown to its guests without its organizer, if it moved to "
                                           "\"%3\". It stays in \"%4\".")
            .arg(event.title, event.organizer_name.isEmpty() ? event.organizer_email : event.organizer_name, toName,
                 fromName);
    return QString();
}

} // namespace MeetingMove
