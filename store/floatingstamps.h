#pragma once

#include <QString>

#include "store/event.h"

class Database;

// A floating series stepped in UTC before migration 25 gave it no zone:
// the days this device skipped (EXDATE) or changed (RECURRENCE-ID) in it
// were named by that stepping's instants, which after a change of summer
// time, or where its rule names days read on the UTC date, name no
// occurrence of the wall-clock stepping it has now. Each such name is
// renamed as the occurrence it named where that is clear (OldStepping), on
// the wall clock of the zone the series was read in (ReadInZones), which
// need not be the computer's at the first start after the upgrade;
// Database::migrate() does it once the schema is current, before the
// floating rows are pinned on the computer's zone.
namespace FloatingStamps {

// Does the renaming when migration 26 marked it due: the rows and the
// mark's removal in one transaction, so that a start cut short leaves it
// all due. False, and still due, when it could not be finished: the
// series written stay written, and the next start renames the rest.
bool runIfDue(Database *db);

// The renaming itself, inside the caller's transaction, series by series:
// a name another change of the series holds stays as it was, and a series
// whose write fails stays whole as it was (logged; *everyWrite false),
// while the others go on. A changed row turns pending with its text
// written from the record, so that the mended series goes up. Run again,
// it renames nothing. The number of rows changed; -1 when the series could
// not be read.
int rename(Database *db, bool *everyWrite = nullptr);

// The name of the occurrence the stamp (UTC, "yyyyMMddTHHmmssZ") named in
// the old stepping (OldStepping::renamed); else empty.
QString renamed(const Event &series, const QString &stamp);

} // namespace FloatingStamps
