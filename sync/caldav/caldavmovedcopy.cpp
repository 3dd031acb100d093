#include "sync/caldav/caldavmovedcopy.h"

#include "calendar/eventconflictmerge.h"
#include "calendar/icscodec.h"
#include "calendar/taskconflictmerge.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavpulledrow.h"

namespace CalDavMovedCopy {

namespace {

Task startedFrom(TaskRepository *tasks, const Task &old)
{
    if (const std::optional<TaskSyncBase> base = tasks->syncBase(old.id)) {
        for (const Task &candidate : IcsCodec::parseTodoResource(base->raw_icalendar)) {
            if (candidate.uid == old.uid)
                return candidate;
        }
    }
    return old;
}

// The copy's text: the server's written over under the copy's UID. A copy
// a provider (Google, Microsoft) already holds keeps the provider's own
// text, which its sync compares the record with.
QString eventText(const Event &merged, const Event &copy)
{
    if (!copy.provider_event_id.isEmpty() && copy.raw_icalendar.trimmed().startsWith(QLatin1Char('{')))
        return copy.raw_icalendar;
    return IcsCodec::buildEventIcs(merged);
}

// The copy's text: the server's part written over under the copy's UID,
// with the occurrences changed there; the copy's own when the writer
// refuses the record.
QString taskText(const Task &merged, const Task &copy)
{
    const QString written = IcsCodec::patchTodoIcs(merged.raw_icalendar, merged);
    return written.isEmpty() ? copy.raw_icalendar : written;
}

} // namespace

Event startedFrom(EventRepository *events, const Event &old)
{
    if (const std::optional<EventSyncBase> base = events->syncBase(old.id)) {
        for (const Event &candidate : IcsCodec::parseEvents(base->raw_icalendar)) {
            if (candidate.recurrence_id == old.recurrence_id)
                return candidate;
        }
    }
    return old;
}

bool handOn(EventRepository *events, const Event &old, const QString &storedTag, const Event &server, bool *handed)
{
    const std::optional<Event> copy = CalDavPulledRow::movedCopyToTell(events, old, storedTag, server);
    *handed = copy.has_value();
    return !copy
        || CalDavPulledRow::handOnToCopy(events, *copy, startedFrom(events, old), server, &EventConflictMerge::merged,
                                         &eventText);
}

bool handOn(TaskRepository *tasks, const Task &old, const QString &storedTag, const Task &server)
{
    const std::optional<Task> copy = CalDavPulledRow::movedCopyToTell(tasks, old, storedTag, server);
    if (!copy)
        return true;
    if (!CalDavPulledRow::handOnToCopy(tasks, *copy, startedFrom(tasks, old), server, &TaskConflictMerge::merged,
                                       &taskText))
        return false;
    const std::optional<TaskSyncBase> base = tasks->syncBase(copy->id);
    if (!base)
        return true;
    for (const Task &synced : IcsCodec::parseTodoResource(base->raw_icalendar)) {
        if (synced.uid != copy->uid)
            continue;
        const QString taken = IcsCodec::patchTodoIcs(server.raw_icalendar, synced);
        if (!taken.isEmpty() && !tasks->keepSyncBase(copy->id, {base->etag, taken}))
            qCWarning(caldavLog) << "[CalDav] Could not keep the occurrences of" << copy->title << "for its copy";
        break;
    }
    return true;
}

QString takeOccurrence(EventRepository *events, const Event &pulled, const Event &seriesCopy)
{
    return MovedCopy::takeOccurrence(events, pulled, seriesCopy, [](const Event &copy) {
        qCInfo(caldavLog).noquote() << "[CalDav]" << copy.title << "was changed on the server of the calendar its"
                                    << "series was moved from; it goes to the series' new calendar too";
        return IcsCodec::buildEventIcs(copy);
    });
}

} // namespace CalDavMovedCopy
