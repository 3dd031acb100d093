#pragma once

#include "store/syncbase.h"

// The copy a pending event's local edits started from.
using EventSyncBase = SyncBase;

// What an upload sent of a pending row (the tag it went up against and the
// row's own text in it; an empty text where the upload left the row out),
// with the text of the row's sync base (empty without one).
struct EventSentCopy
{
    EventSyncBase sent;
    QString base;
};
