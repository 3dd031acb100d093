#pragma once

#include <QDateTime>
#include <QString>

#include "store/accounttype.h"

struct Account;
struct Calendar;

// What the sync orchestration reads from an account's type and schedule.
namespace SyncAccounts {

// "caldav", "icloud" and "zoho": all three are CalDAV servers.
bool isCalDav(AccountType type);
// One of the seven types the orchestration syncs.
bool isSyncedType(AccountType type);
// Enabled and neither a feed subscription nor the cloud service: the
// accounts a full sync stamps with its start time.
bool isStampedBySync(const Account &account);
// Stamped by a sync and on a schedule of a minute or more: the accounts
// whose schedule can start a full sync.
bool takesPeriodicSync(const Account &account);
// Whether a calendar takes part in syncs, whatever its kind: not while its
// sync_enabled is off (switched off, disabled after the server refused to
// delete it, or a placeholder waiting for discovery to adopt it).
bool syncsCalendar(const Calendar &calendar);
// Never synced, or last synced at least its interval before `now`.
bool isDue(const Account &account, const QDateTime &now);

} // namespace SyncAccounts
