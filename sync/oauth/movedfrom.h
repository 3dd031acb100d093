#pragma once

#include <QJsonObject>

#include "store/accounttype.h"
#include "store/calendar.h"
#include "store/event.h"
#include "sync/core/syncrepositories.h"

#include <optional>

namespace OAuth {

// The row an event pending as new was moved here from, left behind in
// another calendar, with that calendar and its account's type: what the
// old calendar's server held of the event is there (its stored text), and,
// until the old calendar's sync has passed on its deletion, the event
// itself on that server.
struct MovedFrom
{
    Event row;
    Calendar calendar;
    QString accountId;
    AccountType type = AccountType::Unknown;

    // The provider's own copy (its JSON) the row kept, when the old calendar
    // belongs to an account of `provider`; empty otherwise.
    QJsonObject heldBy(AccountType provider) const;
};

std::optional<MovedFrom> movedFrom(const Sync::Repositories &store, const Event &copy);

} // namespace OAuth
