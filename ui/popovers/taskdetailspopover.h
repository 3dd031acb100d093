#pragma once

#include "store/task.h"

#include <QString>

#include "ui/popovers/openone.h"
#include "ui/popovers/popovercard.h"

class AppState;
class QHBoxLayout;
class QLabel;
class QPushButton;

// The card that shows one task: title, dates, calendar, priority,
// categories, notes and the events linked to it, with Edit, Add Subtask,
// the completion toggle and Delete. At most one is open; it closes on
// Escape, on a click elsewhere in its window and when it starts an action.
class TaskDetailsPopover : public PopoverCard, public OpenOne<TaskDetailsPopover>
{
    Q_OBJECT
public:
    // A child of the anchor's window. Closes the open task card first. The
    // caller places and shows it.
    TaskDetailsPopover(AppState *app, const Task &task, QWidget *anchor);

    const Task &task() const { return m_task; }
    QString firstLinkedEventId() const { return m_firstEventId; }

    // "Today", "Tomorrow", "Yesterday" or the long date, then the time
    // unless it is midnight. A date-only value shows its stored date.
    static QString formatTaskDate(const QDateTime &value, bool dateOnly, const QDate &today);

protected:
    QWidget *linkedLine() const override;
    void openLinked() override;

private:
    void buildUi();
    void rebuild();
    void fillCalendarLine();
    void fillCategories();
    void fillLinkedEvents();
    void onEdit();
    void onAddSubtask();
    void onToggleCompleted();
    void onDelete();
    void openFirstLinkedEvent();

    AppState *m_app;
    Task m_task;
    QString m_firstEventId;
    QLabel *m_title = nullptr;
    QLabel *m_start = nullptr;
    QLabel *m_due = nullptr;
    QLabel *m_calendar = nullptr;
    QLabel *m_priority = nullptr;
    QLabel *m_categories = nullptr;
    QLabel *m_notes = nullptr;
    QLabel *m_linkedEvents = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_subtaskButton = nullptr;
    QPushButton *m_completeButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QHBoxLayout *m_actions = nullptr;
};
