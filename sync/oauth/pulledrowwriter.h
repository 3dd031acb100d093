#pragma once

#include <QHash>
#include <QString>

#include "store/calendar.h"
#include "store/eventproviderkey.h"
#include "sync/core/syncrepositories.h"
#include "sync/oauth/pullapplyresult.h"

#include <memory>

class EventBatchWriter;
class EventRepository;
struct Event;

namespace OAuth {

// What a provider's pull keeps while it writes one listing into a calendar:
// the calendar's rows by provider id, read once when first asked for (a
// read per listed item would cost more than its write, and an empty
// listing needs none) and kept as the pull writes them, new rows through
// statements prepared once, and the counts.
class PulledRowWriter
{
public:
    PulledRowWriter(const Sync::Repositories &store, const Calendar &calendar);
    ~PulledRowWriter();

    PullApplyResult result() const { return m_result; }

protected:
    // The calendar's rows by provider id; keysRead() says whether the read
    // succeeded.
    QHash<QString, EventProviderKey> &keys();
    bool keysRead()
    {
        keys();
        return m_keysRead;
    }
    // Writes a row the calendar does not hold yet.
    bool insertNew(const Event &event);
    // The same resource may be listed twice in one listing.
    void remember(const Event &written);

    EventRepository *m_events;
    const Calendar &m_calendar;
    QHash<QString, EventProviderKey> m_keys;
    PullApplyResult m_result;

private:
    std::unique_ptr<EventBatchWriter> m_newRows;
    bool m_keysAsked = false;
    bool m_keysRead = false;
};

} // namespace OAuth
