#pragma once

#include "store/task.h"
#include "store/treetask.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QSet>
#include <QString>

struct ViewRangeSources;

// What the tasks pane lists, worked out where the store is read (a worker
// thread), so the GUI thread only builds the rows: the visible calendars of
// the active group, their tasks filtered and ordered as a tree, in one
// section per calendar or in one list.
struct TaskListing
{
    // How the pane asked to list, taken on the GUI thread.
    struct Settings
    {
        int filter = 0;
        bool hideCompleted = false;
        bool groupByCalendar = true;
        QString activeViewId;
        QDate today;
    };

    struct Section
    {
        // "Account / Calendar"; empty in the ungrouped list.
        QString title;
        QString color;
        QList<TreeTask> lines;
    };

    // The store holds no calendar at all.
    bool noCalendars = true;
    bool grouped = true;
    // Grouped: one section per calendar with listed tasks; else at most one.
    QList<Section> sections;
    // Calendar id to colour, for the stripes of the ungrouped list.
    QHash<QString, QString> colors;

    static TaskListing read(const ViewRangeSources &sources, const Settings &settings);
    int rowCount() const;
};

Q_DECLARE_METATYPE(TaskListing)
