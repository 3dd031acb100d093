#pragma once

#include <QDebug>
#include <QString>
#include <QStringView>

// Where a syncing row stands against its server: "synced" once the server
// holds it, "pending" after a local change it has yet to receive.
enum class SyncStatus { Synced, Pending };

// The text stored in the sync_status column.
QString toText(SyncStatus status);
// A text this build does not know (or an empty column) reads as synced:
// such a row was neither pushed nor kept from a pull before, as a synced one.
SyncStatus syncStatusFromText(QStringView text);
QDebug operator<<(QDebug debug, SyncStatus status);
