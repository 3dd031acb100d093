#pragma once

#include "store/account.h"

#include <QString>

// The name an account is shown under. The account of this device is seeded
// with an English name in the database, where no translation reaches it.
namespace AccountName {

// "On This Device" as it is stored when the account is seeded.
QString seeded();

// The device account's seeded name reads in the interface's language; a name
// the user gave it, and every other account's name, reads as written.
QString shown(const Account &account);

} // namespace AccountName
