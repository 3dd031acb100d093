#pragma once

#include "store/event.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// The last record of each tombstone erased for good since the repository
// was made (its deletion went up): the undo of a delete gives a row erased
// so back as this device last held it, with what a pull merged into it
// between the delete and its push, and not as the delete found it. Kept in
// memory only, as the undo stack is, and only the newest few hundred: the
// stack holds few deletes, and an undo that finds none falls back to the
// delete's own copy.
class ErasedTombstones
{
public:
    static constexpr int MaxKept = 512;

    void keep(const Event &tombstone);
    std::optional<Event> find(const QString &id) const;

private:
    QHash<QString, Event> m_rows;
    // Their ids, the oldest first.
    QList<QString> m_order;
};
