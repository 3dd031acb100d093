#pragma once

#include "store/event.h"

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// One timed event of a day as a timeline paints it: clipped to the day and
// placed in its column, with its own (unclipped) times and what painting it
// needs. Made once when the events or the day change, so that a drag
// repaints without laying the day out again or converting any time. The
// event itself stays in the list the block was built from (a week holds
// thousands of blocks; a copy of each event would double the page's events).
struct DayBlock
{
    // The event's place in the list the block was built from.
    int eventIndex = 0;
    int column = 0;
    int columnCount = 0;
    QDateTime start;
    std::optional<QDateTime> end;
    // Wall-clock minutes of the clipped start and end from the day's
    // midnight, 0 … 1440.
    int topMinute = 0;
    int bottomMinute = 0;
    QColor colour;
    bool dimmed = false;
    bool pendingUpload = false;
    // The time line and the pattern it was written with.
    mutable QString detail;
    mutable QString detailPattern;
};

namespace DayBlocks {

// The timed events that touch the day, in layout order. Two occurrences of
// one series on the day keep their own times. The blocks index `events`:
// whoever keeps them keeps that list with them.
QList<DayBlock> build(const QList<Event> &events, const QDate &day, const QHash<QString, QString> &calendarColors,
                      const QSet<QString> &dimmedIds, const QSet<QString> &pendingMarkCalendarIds);

// "9:00 AM – 10:00 AM", or with day names when the event ends on a later
// day; written once per pattern.
const QString &timeText(const DayBlock &block, const QString &pattern);

} // namespace DayBlocks
