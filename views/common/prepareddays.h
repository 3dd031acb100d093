#pragma once

#include "views/common/dayblocks.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QSet>
#include <QString>

struct ViewRangeData;

// What a timeline works out from a range's events before it paints: the
// blocks of each day, laid out, and the events a drag may not move. A view
// has it made on the loading thread, so that applying a large range on the
// GUI thread costs no layout and no time conversion.
struct PreparedDays
{
    QDate first;
    // The events the blocks index, shared with the range they came from;
    // kept here so that the blocks never outlive them.
    QList<Event> events;
    QList<QList<DayBlock>> dayBlocks;
    // Events that end on a later day than they start.
    QSet<QString> undraggableIds;

    bool covers(const QDate &from, int dayCount) const
    {
        return first == from && dayBlocks.size() == dayCount;
    }

    const Event &eventOf(const DayBlock &block) const { return events.at(block.eventIndex); }

    static PreparedDays build(const ViewRangeData &data, const QDate &first, int dayCount);
    // The blocks alone, without the undraggable events.
    static PreparedDays layOut(const QList<Event> &events, const QDate &first, int dayCount,
                               const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds,
                               const QSet<QString> &pendingMarkCalendarIds);
    static QSet<QString> undraggable(const QList<Event> &events);
};

Q_DECLARE_METATYPE(PreparedDays)
