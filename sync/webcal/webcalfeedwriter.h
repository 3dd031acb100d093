#pragma once

#include <QList>
#include <QString>

#include "store/event.h"
#include "sync/core/syncrepositories.h"

namespace Webcal {

// Makes a subscription calendar hold exactly the events of its feed. Rows
// are keyed by uid and recurrence id, so a series and each of its changed
// occurrences keep their own rows; a row that already reads as the feed
// says is left alone, so an unchanged feed writes nothing.
class FeedWriter
{
public:
    struct Outcome
    {
        int stored = 0;  // feed events now held (written or already equal)
        int written = 0; // rows inserted or updated
        int removed = 0; // rows the feed no longer has
        bool saved = true; // false: the batch was undone, nothing changed
    };

    explicit FeedWriter(const Sync::Repositories &store);

    // Applies the feed in one transaction, with the event repository's
    // signals held back; one change notice follows when anything changed.
    // A failed write is logged by the repository and not counted; a batch
    // that cannot be kept is undone whole and reported as not saved.
    Outcome apply(const QString &calendarId, const QList<Event> &feedEvents);

    // True when the stored row already holds what the feed would write:
    // every field the feed sets, and no local edit or deletion pending.
    static bool holdsFeedVersion(const Event &stored, const Event &incoming);

private:
    Sync::Repositories m_store;
};

} // namespace Webcal
