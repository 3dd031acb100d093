#pragma once

#include "store/event.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <optional>

class EventRepository;

// What the store erased for good of a delete since it was made, each row
// as it was last: the rows the delete removed, once their deletion went
// up, with what a pull merged into them between the delete and its push;
// and the changed occurrences a pull added to a removed series meanwhile,
// which the series' deletion took along, on the server and here. The undo
// of the delete gives them back so, not as the delete found them. Kept
// while the undo entry is.
class ErasedRows : public QObject
{
    Q_OBJECT
public:
    // `removed`: every row the delete removed.
    ErasedRows(EventRepository *events, const QList<Event> &removed);

    // A removed row, erased since.
    std::optional<Event> find(const QString &id) const;
    // The changed occurrences of a removed series erased after the series
    // itself, in the order they went. One erased before it was another
    // device's removal, not the delete's.
    QList<Event> takenAlong() const { return m_along; }

private:
    QSet<QString> m_ids;
    QHash<QString, Event> m_rows;
    // The names (uid, provider's id) of the removed series erased so far.
    QSet<QString> m_goneSeries;
    QList<Event> m_along;
};
