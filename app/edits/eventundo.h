#pragma once

#include "store/event.h"

class EventRepository;

// Undo of an edit or a delete made in the views. The snapshot taken before
// the change is written back as a new local change: its times, text and
// fields return, but it is stamped "pending" with a fresh modification time
// and keeps the server identity (etag, href, provider id) the row has now.
// A snapshot written back with its old "synced" status and old etag would
// never be pushed, and the next pull would overwrite the undo.
namespace EventUndo {

// When the row is gone (its deletion was pushed and the row erased), the
// snapshot is stored again as a new item without any server identity.
// False when the store refused the write.
bool restoreSnapshot(EventRepository *events, const Event &snapshot);

} // namespace EventUndo
