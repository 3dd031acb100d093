#pragma once

#include "store/task.h"

#include <QDialog>
#include <QList>
#include <QString>

class AppState;
class DateTimePicker;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

// Creates and edits to-dos, and in a reduced form reminder items (tasks
// whose item type is "reminder"). Saving stores the task with its reminders
// and its iCalendar text as pending for upload; moving a task to another
// calendar deletes it there and creates it anew here, with its subtasks.
class TaskFormDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Problem { None, MissingTitle, NoCalendars, StoreFailed };
    struct SaveOutcome
    {
        Problem problem = Problem::None;
        QString title;
        QString text;

        bool saved() const { return problem == Problem::None; }
    };

    TaskFormDialog(AppState *state, QWidget *parent = nullptr);
    TaskFormDialog(AppState *state, const Task &task, QWidget *parent = nullptr);
    ~TaskFormDialog() override;

    // A subtask stays in its parent's calendar: the choice is locked.
    void setParentTaskUid(const QString &uid);
    void setCalendarId(const QString &id);
    void setItemType(const QString &type);

    // Validates and stores without showing anything; the OK button shows
    // the refusal and keeps the dialog open.
    SaveOutcome save();

    static QString reminderLabel(int minutes);

private:
    void buildUi();
    QWidget *buildDateRow(QCheckBox **check, DateTimePicker **picker, const QString &checkText, const char *name,
                          const QDateTime &initial);
    QWidget *buildRemindersRow();
    void populateCalendars();
    void loadTask();
    void buildReminderUi();
    void rebuildReminderChips();
    void editRecurrence();
    void updateRepeatUi();
    void onAccepted();

    AppState *m_state;
    Task m_task;
    bool m_editing = false;
    QLabel *m_header = nullptr;
    QLabel *m_subtitle = nullptr;
    QFormLayout *m_form = nullptr;
    QLineEdit *m_title = nullptr;
    QComboBox *m_calendar = nullptr;
    QCheckBox *m_startCheck = nullptr;
    DateTimePicker *m_startPicker = nullptr;
    QCheckBox *m_dueCheck = nullptr;
    DateTimePicker *m_duePicker = nullptr;
    QWidget *m_startRow = nullptr;
    QWidget *m_dueRow = nullptr;
    QWidget *m_remindersRow = nullptr;
    QComboBox *m_presets = nullptr;
    QVBoxLayout *m_chips = nullptr;
    QList<int> m_reminderMinutes;
    QPushButton *m_repeat = nullptr;
    QString m_rrule;
    QComboBox *m_repeatFrom = nullptr;
    QString m_repeatMode = QStringLiteral("fromDueDate");
    QComboBox *m_priority = nullptr;
    QCheckBox *m_completed = nullptr;
    QLineEdit *m_categories = nullptr;
    QPlainTextEdit *m_notes = nullptr;
    QPushButton *m_okButton = nullptr;
    bool m_reminderMode = false;
    QString m_itemType;
    QString m_parentTaskUid;
};
