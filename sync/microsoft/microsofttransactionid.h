#pragma once

#include <QString>

#include "store/event.h"

namespace Microsoft {

// The "transactionId" an insert of a row goes under. Graph makes one event
// of every POST under the same id, so a retry after a lost answer cannot
// make two; a row given back after its deletion went up goes under one of
// its own, so that Graph cannot answer it with the event it replaces.
QString transactionIdOf(const Event &row);

// The local row an event's "transactionId" names.
QString rowIdOfTransaction(const QString &transactionId);

} // namespace Microsoft
