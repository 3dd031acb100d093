#pragma once

#include "store/event.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class EventRepository;

// The rows a delete removed that the store erased for good since (their
// deletion went up), each as it was last, with what a pull merged into it
// between the delete and its push: the undo of the delete gives such a row
// back so, not as the delete found it. Kept while the undo entry is.
class ErasedRows : public QObject
{
    Q_OBJECT
public:
    ErasedRows(EventRepository *events, const QStringList &ids);

    std::optional<Event> find(const QString &id) const;

private:
    QSet<QString> m_ids;
    QHash<QString, Event> m_rows;
};
