#pragma once

#include "store/calendar.h"

#include <QString>

#include <functional>

class AppState;

// Calendars of public feeds (holidays, ICS subscriptions): read-only rows
// under the shared subscriptions account, fetched once right away.
namespace SubscriptionCalendar {

// A new read-only, visible calendar of the feed, named and coloured as
// given, with its canonical key; not yet stored.
Calendar make(const QString &accountId, const QString &url, const QString &name, const QString &color);
// Stores the calendar under the subscriptions account (created when
// missing); false when the row could not be written.
bool add(AppState *state, Calendar &calendar);
// Asks the sync orchestration for the first download. A failed download is
// told in a message over the window in front.
void fetchNow(AppState *state, const Calendar &calendar);

// What a dialog does with a calendar it just stored; tests record instead
// of downloading.
using Fetcher = std::function<void(AppState *state, const Calendar &calendar)>;

} // namespace SubscriptionCalendar
