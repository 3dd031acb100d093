#pragma once

#include "store/task.h"

#include <QList>
#include <QString>
#include <QWidget>

class AppState;
class QPushButton;
class QScrollArea;
class QTimer;
class QToolButton;
class QVBoxLayout;
class TasksPaneRow;

// The user's reminders (tasks of item type "reminder") of the visible
// calendars of the active group: open ones under Overdue, Today, Upcoming
// and No date, or, with the Completed toggle on, the completed ones, which
// can be cleared in one step.
class RemindersPane : public QWidget
{
    Q_OBJECT
public:
    explicit RemindersPane(AppState *appState, QWidget *parent = nullptr);

    void reload();
    void setShowCompleted(bool on);
    void clearCompleted();
    void addReminder();
    void showContextMenu(const QString &taskId, const QPoint &globalPos);
    QList<Task> collectReminders(bool completed) const;

    // Section titles and rows of the last reload, in order (tests, tools).
    QStringList sectionTitles() const;
    QList<TasksPaneRow *> rows() const;

private:
    void addSection(const QString &title, const QList<Task> &reminders, const QHash<QString, QString> &colours);
    void openRowPopover(const QString &taskId, const QRect &screenRect);
    void openEditor(const QString &taskId);

    AppState *m_appState;
    QScrollArea *m_scroll = nullptr;
    QVBoxLayout *m_list = nullptr;
    QWidget *m_empty = nullptr;
    QToolButton *m_completedButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QTimer *m_reloadTimer = nullptr;
    bool m_showCompleted = false;
};
