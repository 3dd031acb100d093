#include "views/common/dayblocks.h"

#include <QLocale>

#include "views/common/eventcolors.h"
#include "views/common/timedlayout.h"
#include "views/common/timelinegeometry.h"

namespace DayBlocks {

namespace {

QDateTime effectiveEnd(const Event &event)
{
    return event.end_time ? *event.end_time : event.start_time;
}

} // namespace

QList<DayBlock> build(const QList<Event> &events, const QDate &day, const QHash<QString, QString> &calendarColors,
                      const QSet<QString> &dimmedIds, const QSet<QString> &pendingMarkCalendarIds)
{
    QList<DayBlock> blocks;
    if (!day.isValid())
        return blocks;
    const QDateTime dayStart(day, QTime(0, 0));
    const QDateTime dayEnd(day.addDays(1), QTime(0, 0));

    // Clipped copies for the layout, alive only while the day is laid out.
    // Each copy's id is its event's place in `events`: two occurrences of a
    // series share an id and may share a clipped start.
    QList<Event> clipped;
    // Each comparison of local times converts them again (a costly call per
    // time): every time is converted once and compared as a number.
    const qint64 dayStartMs = dayStart.toMSecsSinceEpoch();
    const qint64 dayEndMs = dayEnd.toMSecsSinceEpoch();
    for (int index = 0; index < events.size(); ++index) {
        const Event &event = events.at(index);
        if (event.is_all_day || !event.start_time.isValid())
            continue;
        const qint64 startMs = event.start_time.toMSecsSinceEpoch();
        if (!(startMs < dayEndMs))
            continue;
        const qint64 endMs = event.end_time ? event.end_time->toMSecsSinceEpoch() : startMs;
        if (!(endMs > dayStartMs || startMs >= dayStartMs))
            continue;
        Event copy = event;
        if (startMs < dayStartMs)
            copy.start_time = dayStart;
        if (copy.end_time && endMs > dayEndMs)
            copy.end_time = dayEnd;
        copy.id = QString::number(index);
        clipped.append(std::move(copy));
    }

    const QList<TimedLayoutEntry> layout = layoutTimedEvents(std::move(clipped));
    blocks.reserve(layout.size());
    for (const TimedLayoutEntry &entry : layout) {
        const Event &clip = entry.event;
        DayBlock block;
        block.eventIndex = clip.id.toInt();
        block.column = entry.column;
        block.columnCount = entry.columnCount;
        const Event &event = events.at(block.eventIndex);
        block.start = event.start_time;
        block.end = event.end_time;
        block.topMinute = TimelineGeometry::wallMinuteOfDay(clip.start_time, day);
        block.bottomMinute = TimelineGeometry::wallMinuteOfDay(effectiveEnd(clip), day);
        block.colour = EventColors::colorOf(event, calendarColors);
        block.dimmed = dimmedIds.contains(event.id);
        block.pendingUpload = event.sync_status == SyncStatus::Pending
                              && pendingMarkCalendarIds.contains(event.calendar_id);
        blocks.append(std::move(block));
    }
    return blocks;
}

const QString &timeText(const DayBlock &block, const QString &pattern)
{
    if (block.detailPattern == pattern && !block.detail.isNull())
        return block.detail;
    block.detailPattern = pattern;
    const QDateTime start = block.start.toLocalTime();
    if (!block.end) {
        block.detail = QLocale().toString(start, pattern);
        return block.detail;
    }
    const QDateTime end = block.end->toLocalTime();
    if (end.date() > start.date()) {
        block.detail = QLocale().toString(start, QStringLiteral("ddd ") + pattern) + QStringLiteral(" – ")
                       + QLocale().toString(end, QStringLiteral("ddd ") + pattern);
    } else {
        block.detail = QLocale().toString(start, pattern) + QStringLiteral(" – ") + QLocale().toString(end, pattern);
    }
    return block.detail;
}

} // namespace DayBlocks
