#pragma once

#include <QString>

#include "store/event.h"

class Database;

// A floating series stepped in UTC before migration 25 gave it no zone:
// the days this device skipped (EXDATE) or changed (RECURRENCE-ID) in it
// were named by that stepping's instants, which after a change of summer
// time name no occurrence of the wall-clock stepping it has now. Each such
// name is renamed as the occurrence it named; Database::migrate() does it
// once the schema is current.
namespace FloatingStamps {

// Does the renaming when migration 26 marked it due: the rows and the
// mark's removal in one transaction. False, and still due, when it could
// not be finished.
bool runIfDue(Database *db);

// The renaming itself, inside the caller's transaction. A changed row
// turns pending with its text written from the record, so that the
// mended series goes up. The number of rows changed; -1 when a write
// failed.
int rename(Database *db);

// The name of the occurrence the stamp (UTC, "yyyyMMddTHHmmssZ") named in
// the old stepping: the k-th start of the wall-clock stepping where it is
// no start of it but the k-th of the UTC stepping; else empty.
QString renamed(const Event &series, const QString &stamp);

} // namespace FloatingStamps
