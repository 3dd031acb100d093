#pragma once

#include "store/task.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>

struct ViewRangeSources;

// What the reminders pane lists, worked out where the store is read (a
// worker thread), so the GUI thread only builds the rows: the reminders of
// the visible calendars of the active group, the open ones in sections by
// their due day or the completed ones in one.
struct ReminderListing
{
    // How the pane asked to list, taken on the GUI thread.
    struct Settings
    {
        bool completed = false;
        QString activeViewId;
        QDate today;
    };

    enum Kind { Overdue, Today, Upcoming, NoDate, Completed };

    struct Section
    {
        Kind kind = Overdue;
        QList<Task> reminders;
    };

    // Only sections with reminders, in the order shown.
    QList<Section> sections;
    // Calendar id to colour.
    QHash<QString, QString> colors;

    bool isEmpty() const { return sections.isEmpty(); }

    // Open (neither completed nor cancelled) or completed reminders.
    static QList<Task> collect(const ViewRangeSources &sources, const QString &activeViewId, bool completed);
    static ReminderListing read(const ViewRangeSources &sources, const Settings &settings);
};

Q_DECLARE_METATYPE(ReminderListing)
