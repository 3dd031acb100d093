#pragma once

#include "store/task.h"
#include "ui/panes/reminderlisting.h"

#include <QList>
#include <QString>
#include <QWidget>

class AppState;
class PaneReader;
class QPushButton;
class QScrollArea;
class QToolButton;
class QVBoxLayout;
class SlicedRows;
class TasksPaneRow;

// The user's reminders (tasks of item type "reminder") of the visible
// calendars of the active group: open ones under Overdue, Today, Upcoming
// and No date, or, with the Completed toggle on, the completed ones, which
// can be cleared in one step. The list reads the store off the GUI thread,
// first when it is first shown; the rows change when the read arrives, and
// a read that a newer one has overtaken is dropped.
class RemindersPane : public QWidget
{
    Q_OBJECT
public:
    explicit RemindersPane(AppState *appState, QWidget *parent = nullptr);

    // Reads the list anew; the rows change when the read arrives.
    void reload();
    // A read is on its way, or none has arrived yet.
    bool isLoading() const;
    void setShowCompleted(bool on);
    void clearCompleted();
    void addReminder();
    void showContextMenu(const QString &taskId, const QPoint &globalPos);
    QList<Task> collectReminders(bool completed) const;

    // Section titles and rows of the last reload, in order (tests, tools).
    QStringList sectionTitles() const;
    QList<TasksPaneRow *> rows() const;

Q_SIGNALS:
    // The rows of a read are in place.
    void reloaded();

private:
    static QString sectionTitle(int kind);
    void apply(const QVariant &digest);
    QWidget *nextRow(QWidget *parent);
    QWidget *makeRow(const Task &task, QWidget *parent);
    void openRowPopover(const QString &taskId, const QRect &screenRect);
    void openEditor(const QString &taskId);

    AppState *m_appState;
    QScrollArea *m_scroll = nullptr;
    QVBoxLayout *m_list = nullptr;
    QWidget *m_empty = nullptr;
    QToolButton *m_completedButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    PaneReader *m_reader = nullptr;
    SlicedRows *m_rows = nullptr;
    bool m_showCompleted = false;
    // The last read's listing and the next of its rows to make.
    ReminderListing m_listing;
    int m_nextSection = 0;
    int m_nextRow = -1;
};
