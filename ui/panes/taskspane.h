#pragma once

#include "store/calendar.h"
#include "store/task.h"
#include "ui/panes/tasklisting.h"
#include "ui/panes/taskspanerow.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QWidget>

class AppState;
class PaneReader;
class QAction;
class QLabel;
class QScrollArea;
class QToolButton;
class QVBoxLayout;
class SlicedRows;

// The task list beside the calendar views and in the detached tasks window:
// the tasks of the visible calendars of the active group as an indented
// tree, in one list or under one header per calendar, with a due-date
// filter, switches that persist, a task menu, and drag and drop to reorder
// and nest tasks. It writes to the store and redraws from it. The list reads
// the store off the GUI thread, first when it is first shown; the rows change
// when the read arrives, and a read that a newer one has overtaken is dropped.
class TasksPane : public QWidget
{
    Q_OBJECT
public:
    enum Filter { AllTasks = 0, DueToday = 1, DueThisWeek = 2, Overdue = 3 };

    explicit TasksPane(AppState *appState, QWidget *parent = nullptr);

    // Reads the list anew; the rows change when the read arrives.
    void reload();
    // A read is on its way, or none has arrived yet.
    bool isLoading() const;
    void setFilter(int filter);
    void setGroupByCalendar(bool on);
    void setHideCompleted(bool on);
    void setShowCategories(bool on);
    void setShowNotes(bool on);

    void moveTaskUnderParent(const QString &sourceUid, const QString &targetUid, DropZone zone);
    void showTaskContextMenu(const QString &taskId, const QPoint &globalPos);

    // The sibling order of the pane: manual orders first, then open before
    // completed, priority, due date, title.
    static bool siblingLess(const Task &a, const Task &b);
    // Whether a task is listed under the filter (completed tasks aside).
    static bool passesFilter(const Task &task, int filter, const QDate &today);

    // The rows of the last reload, in order (tests and tools).
    QList<TasksPaneRow *> rows() const;

Q_SIGNALS:
    // The rows of a read are in place.
    void reloaded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildHeader();
    QWidget *buildFooter();
    void buildFilterMenu();
    void connectRow(TasksPaneRow *row);
    void apply(const QVariant &digest);
    QWidget *nextRow(QWidget *parent);
    QWidget *makeRow(const TreeTask &line, QWidget *parent);
    void updateEmptyTexts();
    void openRowPopover(const QString &taskId, const QRect &screenRect);
    void openEditor(const QString &taskId);
    void newTask();
    std::optional<Task> findByUid(const QString &uid) const;
    void reorderNextTo(const Task &dragged, const Task &target, bool above);

    AppState *m_appState;
    QScrollArea *m_scroll = nullptr;
    QVBoxLayout *m_list = nullptr;
    QWidget *m_empty = nullptr;
    QLabel *m_emptyTitle = nullptr;
    QLabel *m_emptyBody = nullptr;
    QToolButton *m_filterButton = nullptr;
    QAction *m_groupAction = nullptr;
    QAction *m_hideCompletedAction = nullptr;
    QAction *m_notesAction = nullptr;
    QAction *m_categoriesAction = nullptr;
    int m_filter = AllTasks;
    bool m_hideCompleted = false;
    bool m_groupByCalendar = true;
    bool m_showNotes = false;
    bool m_showCategories = false;
    PaneReader *m_reader = nullptr;
    SlicedRows *m_rows = nullptr;
    // The last read's listing and the next of its rows to make.
    TaskListing m_listing;
    int m_nextSection = 0;
    int m_nextLine = -1;
};
