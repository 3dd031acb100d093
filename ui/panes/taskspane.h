#pragma once

#include "store/calendar.h"
#include "store/task.h"
#include "ui/panes/taskspanerow.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QWidget>

class AppState;
class QAction;
class QLabel;
class QScrollArea;
class QTimer;
class QToolButton;
class QVBoxLayout;

// The task list beside the calendar views and in the detached tasks window:
// the tasks of the visible calendars of the active group as an indented
// tree, in one list or under one header per calendar, with a due-date
// filter, switches that persist, a task menu, and drag and drop to reorder
// and nest tasks. It writes to the store and redraws from it.
class TasksPane : public QWidget
{
    Q_OBJECT
public:
    enum Filter { AllTasks = 0, DueToday = 1, DueThisWeek = 2, Overdue = 3 };

    explicit TasksPane(AppState *appState, QWidget *parent = nullptr);

    void reload();
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildHeader();
    QWidget *buildFooter();
    void buildFilterMenu();
    void connectRow(TasksPaneRow *row);
    bool listed(const Task &task, const QDate &today) const;
    int addUngrouped(const QList<Calendar> &calendars, const QDate &today);
    int addGrouped(const QList<Calendar> &calendars, const QDate &today);
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
    QTimer *m_reloadTimer = nullptr;
    QSet<QString> m_keptCompleted;
};
