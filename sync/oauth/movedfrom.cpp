#include "sync/oauth/movedfrom.h"

#include <QJsonDocument>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"

namespace OAuth {

QJsonObject MovedFrom::heldBy(AccountType provider) const
{
    if (type != provider)
        return QJsonObject();
    const QJsonDocument held = QJsonDocument::fromJson(row.raw_icalendar.toUtf8());
    return held.isObject() ? held.object() : QJsonObject();
}

std::optional<MovedFrom> movedFrom(const Sync::Repositories &store, const Event &copy)
{
    if (!store.events || !store.calendars || !copy.provider_event_id.isEmpty())
        return std::nullopt;
    const QString fromId = store.events->movedFrom(copy.id);
    const std::optional<Event> row = fromId.isEmpty() ? std::nullopt : store.events->getById(fromId);
    if (!row)
        return std::nullopt;
    const std::optional<Calendar> calendar = store.calendars->getById(row->calendar_id);
    if (!calendar)
        return std::nullopt;
    MovedFrom found{*row, *calendar, calendar->account_id, AccountType::Unknown};
    if (store.accounts) {
        if (const std::optional<Account> account = store.accounts->getById(calendar->account_id))
            found.type = account->type;
    }
    return found;
}

} // namespace OAuth
