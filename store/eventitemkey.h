#pragma once

#include <QString>

// The key of one event of a calendar in the lookups of a pull or a write
// batch. A series and its moved occurrences share a uid: the recurrence id
// tells them apart, as in the store's own unique index.
QString eventItemKey(const QString &uid, const QString &recurrenceId);
