#include "dialogs/editing/taskformdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/calendarchoice.h"
#include "app/edits/taskeditor.h"
#include "app/rruleformat.h"
#include "app/theme/theme.h"
#include "dialogs/editing/formparts.h"
#include "dialogs/editing/formscrollarea.h"
#include "dialogs/editing/recurrenceeditdialog.h"
#include "dialogs/editing/screenfit.h"
#include "dialogs/editing/taskactions.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "ui/pickers/datetimepicker.h"

#include <algorithm>

namespace {

// Now, to the minute.
QDateTime nowToTheMinute()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute()));
}

// The stored priority shown as one of the four choices.
int priorityChoice(int priority)
{
    if (priority <= 0)
        return 0;
    if (priority <= 3)
        return 1;
    if (priority <= 6)
        return 5;
    return 9;
}

} // namespace

TaskFormDialog::TaskFormDialog(AppState *state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    setWindowTitle(tr("New Task"));
    setModal(true);
    buildUi();
    populateCalendars();
}

TaskFormDialog::TaskFormDialog(AppState *state, const Task &task, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_task(task)
    , m_editing(true)
{
    setWindowTitle(tr("Edit Task"));
    setModal(true);
    buildUi();
    populateCalendars();
    loadTask();
    if (task.item_type == QLatin1String("reminder"))
        buildReminderUi();
}

TaskFormDialog::~TaskFormDialog() = default;

void TaskFormDialog::buildUi()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    m_header = new QLabel(m_editing ? tr("Edit task") : tr("New task"), this);
    QFont headingFont = m_header->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(Theme::fontXl());
    m_header->setFont(headingFont);
    layout->addWidget(m_header);
    m_subtitle = FormParts::addSubtitle(layout,
                                        m_editing ? tr("Update the task and save to apply.")
                                                  : tr("Drop a quick to-do; due date and priority are optional."),
                                        this);

    m_form = FormParts::newFormLayout();
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setPlaceholderText(tr("Buy birthday gift, prep Q1 report…"));
    m_form->addRow(tr("&Title"), m_title);
    m_calendar = new QComboBox(this);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_form->addRow(tr("&Calendar"), m_calendar);

    const QDateTime now = nowToTheMinute();
    m_startRow = buildDateRow(&m_startCheck, &m_startPicker, tr("Set start date"), "start", now);
    m_form->addRow(tr("&Starts"), m_startRow);
    m_dueRow = buildDateRow(&m_dueCheck, &m_duePicker, tr("Set due date"), "due", now.addDays(1));
    m_form->addRow(tr("&Due"), m_dueRow);
    m_remindersRow = buildRemindersRow();
    m_form->addRow(tr("Re&minders"), m_remindersRow);

    m_repeat = new QPushButton(tr("Does not repeat"), this);
    m_repeat->setObjectName(QStringLiteral("repeat"));
    m_repeat->setStyleSheet(QStringLiteral("text-align: left; padding-left: 8px;"));
    connect(m_repeat, &QPushButton::clicked, this, &TaskFormDialog::editRecurrence);
    m_form->addRow(tr("&Repeat"), m_repeat);
    m_repeatFrom = new QComboBox(this);
    m_repeatFrom->setObjectName(QStringLiteral("repeatFrom"));
    m_repeatFrom->addItem(tr("Due date"), QStringLiteral("fromDueDate"));
    m_repeatFrom->addItem(tr("Completion date"), QStringLiteral("fromCompletionDate"));
    m_repeatFrom->setToolTip(tr("Due date: next due = current due + interval.\n"
                                "Completion date: next due = today + interval."));
    m_repeatFrom->setEnabled(false);
    connect(m_repeatFrom, &QComboBox::currentIndexChanged, this,
            [this] { m_repeatMode = m_repeatFrom->currentData().toString(); });
    m_form->addRow(tr("Repeats &from"), m_repeatFrom);

    m_priority = new QComboBox(this);
    m_priority->setObjectName(QStringLiteral("priority"));
    m_priority->addItem(tr("— None"), 0);
    m_priority->addItem(tr("● High"), 1);
    m_priority->addItem(tr("● Medium"), 5);
    m_priority->addItem(tr("● Low"), 9);
    m_form->addRow(tr("&Priority"), m_priority);
    m_completed = new QCheckBox(tr("Completed"), this);
    m_completed->setObjectName(QStringLiteral("completed"));
    m_form->addRow(QString(), m_completed);
    m_categories = new QLineEdit(this);
    m_categories->setObjectName(QStringLiteral("categories"));
    m_categories->setPlaceholderText(tr("e.g. Personal, Health, Errands"));
    m_form->addRow(tr("&Categories"), m_categories);
    m_notes = new QPlainTextEdit(this);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setPlaceholderText(tr("Steps, links, context…"));
    m_notes->setMinimumHeight(110);
    m_notes->setMaximumHeight(160);
    m_form->addRow(tr("&Notes"), m_notes);
    layout->addLayout(m_form);
    layout->addStretch();
    outer->addWidget(new FormScrollArea(body, this), 1);

    QDialogButtonBox *buttons = FormParts::addOkCancelFooter(
        outer, this, m_editing ? tr("Save changes") : tr("Create task"), tr("Cancel"));
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &TaskFormDialog::onAccepted);

    rebuildReminderChips();
    resize(480, sizeHint().height());
    ScreenFit::keepOnScreen(this);
    m_title->setFocus();
}

QWidget *TaskFormDialog::buildDateRow(QCheckBox **check, DateTimePicker **picker, const QString &checkText,
                                      const char *name, const QDateTime &initial)
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    *check = new QCheckBox(checkText, row);
    (*check)->setObjectName(QString::fromLatin1(name) + QStringLiteral("Check"));
    layout->addWidget(*check);
    *picker = new DateTimePicker(m_state->firstDayOfWeek(), row);
    (*picker)->setObjectName(QString::fromLatin1(name));
    (*picker)->setDateTime(initial);
    (*picker)->setEnabled(false);
    layout->addWidget(*picker, 1);
    connect(*check, &QCheckBox::toggled, *picker, &QWidget::setEnabled);
    return row;
}

QWidget *TaskFormDialog::buildRemindersRow()
{
    auto *row = new QWidget(this);
    auto *column = new QVBoxLayout(row);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    m_chips = new QVBoxLayout;
    m_chips->setSpacing(2);
    column->addLayout(m_chips);
    auto *addRow = new QHBoxLayout;
    m_presets = new QComboBox(row);
    m_presets->setObjectName(QStringLiteral("reminderPreset"));
    m_presets->addItem(tr("At due time"), 0);
    m_presets->addItem(tr("10 minutes before"), 10);
    m_presets->addItem(tr("30 minutes before"), 30);
    m_presets->addItem(tr("1 hour before"), 60);
    m_presets->addItem(tr("1 day before"), 1440);
    m_presets->addItem(tr("2 days before"), 2880);
    addRow->addWidget(m_presets, 1);
    auto *add = new QPushButton(tr("Add"), row);
    add->setObjectName(QStringLiteral("addReminder"));
    connect(add, &QPushButton::clicked, this, [this] {
        const int minutes = m_presets->currentData().toInt();
        if (!m_reminderMinutes.contains(minutes))
            m_reminderMinutes.append(minutes);
        std::sort(m_reminderMinutes.begin(), m_reminderMinutes.end());
        rebuildReminderChips();
    });
    addRow->addWidget(add);
    column->addLayout(addRow);
    return row;
}

void TaskFormDialog::populateCalendars()
{
    // The task's own calendar is offered while hidden: hiding a calendar
    // must not turn an edit into a move.
    CalendarPick pick;
    pick.forTasks = true;
    pick.keepId = m_editing ? m_task.calendar_id : QString();
    FormParts::fillCalendarPicker(m_calendar, m_state, pick);
}

void TaskFormDialog::loadTask()
{
    m_title->setText(m_task.title);
    const int index = m_calendar->findData(m_task.calendar_id);
    if (index >= 0)
        m_calendar->setCurrentIndex(index);
    if (m_task.due_date) {
        m_dueCheck->setChecked(true);
        m_duePicker->setDateTime(m_task.due_is_date_only ? QDateTime(m_task.due_date->date(), QTime(0, 0))
                                                         : *m_task.due_date);
        m_duePicker->setDateOnly(m_task.due_is_date_only);
    }
    if (m_task.start_date) {
        m_startCheck->setChecked(true);
        m_startPicker->setDateTime(m_task.start_is_date_only ? QDateTime(m_task.start_date->date(), QTime(0, 0))
                                                             : *m_task.start_date);
        m_startPicker->setDateOnly(m_task.start_is_date_only);
    }
    m_rrule = m_task.recurrence_rule;
    m_repeatMode = m_task.repeat_mode.isEmpty() ? QStringLiteral("fromDueDate") : m_task.repeat_mode;
    updateRepeatUi();
    m_categories->setText(m_task.categories.join(QStringLiteral(", ")));
    m_priority->setCurrentIndex(m_priority->findData(priorityChoice(m_task.priority)));
    m_completed->setChecked(m_task.status == TaskStatus::Completed);
    m_notes->setPlainText(m_task.description);
    m_reminderMinutes.clear();
    for (const Reminder &reminder : m_task.reminders)
        m_reminderMinutes.append(reminder.minutes_before);
    std::sort(m_reminderMinutes.begin(), m_reminderMinutes.end());
    rebuildReminderChips();
}

void TaskFormDialog::setParentTaskUid(const QString &uid)
{
    m_parentTaskUid = uid;
    m_calendar->setEnabled(uid.isEmpty());
    m_calendar->setToolTip(uid.isEmpty() ? QString() : tr("Subtasks stay in their parent task's calendar."));
}

void TaskFormDialog::setCalendarId(const QString &id)
{
    const int index = m_calendar->findData(id, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        m_calendar->setCurrentIndex(index);
}

void TaskFormDialog::setItemType(const QString &type)
{
    m_itemType = type;
    if (type != QLatin1String("reminder") || m_editing)
        return;
    if (m_reminderMinutes.isEmpty()) {
        m_reminderMinutes.append(0);
        rebuildReminderChips();
    }
    buildReminderUi();
}

void TaskFormDialog::buildReminderUi()
{
    if (m_reminderMode)
        return;
    m_reminderMode = true;
    setWindowTitle(m_editing ? tr("Edit Reminder") : tr("New Reminder"));
    m_header->setText(m_editing ? tr("Edit reminder") : tr("New reminder"));
    m_subtitle->setText(tr("A reminder is a to-do that nudges you at the time you set."));
    m_form->setRowVisible(m_startRow, false);
    m_form->setRowVisible(m_priority, false);
    m_form->setRowVisible(m_completed, false);
    m_form->setRowVisible(m_remindersRow, false);
    if (auto *label = qobject_cast<QLabel *>(m_form->labelForField(m_dueRow)))
        label->setText(tr("Remind me"));
    m_dueCheck->setChecked(true);
    m_dueCheck->hide();
    m_duePicker->setEnabled(true);
    // A reminder fires at a time: its due value is never a bare date.
    m_duePicker->setDateOnly(false);
    if (auto *label = qobject_cast<QLabel *>(m_form->labelForField(m_categories)))
        label->setText(tr("Tags"));
    m_okButton->setText(m_editing ? tr("Save changes") : tr("Create reminder"));
    resize(480, sizeHint().height());
}

QString TaskFormDialog::reminderLabel(int minutes)
{
    if (minutes == 0)
        return tr("At due time");
    if (minutes < 60)
        return tr("%1 minutes before").arg(minutes);
    if (minutes < 120)
        return tr("1 hour before");
    if (minutes < 1440)
        return tr("%1 hours before").arg(minutes / 60);
    if (minutes < 2880)
        return tr("1 day before");
    return tr("%1 days before").arg(minutes / 1440);
}

void TaskFormDialog::rebuildReminderChips()
{
    while (QLayoutItem *item = m_chips->takeAt(0)) {
        if (QWidget *widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
    if (m_reminderMinutes.isEmpty()) {
        auto *none = new QLabel(tr("No reminders"), this);
        none->setProperty("muted", true);
        m_chips->addWidget(none);
        return;
    }
    for (int minutes : std::as_const(m_reminderMinutes)) {
        auto *chip = new QWidget(this);
        chip->setObjectName(QStringLiteral("reminderChip"));
        auto *row = new QHBoxLayout(chip);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(new QLabel(reminderLabel(minutes), chip), 1);
        auto *remove = new QPushButton(QStringLiteral("✕"), chip);
        remove->setFlat(true);
        remove->setFixedWidth(28);
        remove->setToolTip(tr("Remove reminder"));
        connect(remove, &QPushButton::clicked, this, [this, minutes] {
            m_reminderMinutes.removeAll(minutes);
            rebuildReminderChips();
        });
        row->addWidget(remove);
        m_chips->addWidget(chip);
    }
}

void TaskFormDialog::editRecurrence()
{
    QDate reference = QDate::currentDate();
    if (m_dueCheck->isChecked())
        reference = m_duePicker->date();
    else if (m_startCheck->isChecked())
        reference = m_startPicker->date();
    RecurrenceEditDialog dialog(m_rrule, reference, int(m_state->firstDayOfWeek()), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_rrule = dialog.toRRule();
    updateRepeatUi();
}

void TaskFormDialog::updateRepeatUi()
{
    m_repeat->setText(m_rrule.isEmpty() ? tr("Does not repeat") : describeRrule(m_rrule));
    m_repeatFrom->setEnabled(!m_rrule.isEmpty());
    const int index = m_repeatFrom->findData(m_repeatMode, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        m_repeatFrom->setCurrentIndex(index);
}

TaskFormDialog::SaveOutcome TaskFormDialog::save()
{
    const QString title = m_title->text().trimmed();
    if (title.isEmpty())
        return {Problem::MissingTitle, tr("Title required"), tr("Please enter a title for the task.")};
    if (m_calendar->count() == 0)
        return {Problem::NoCalendars, tr("No calendars"), tr("Create a calendar first.")};

    const QDateTime now = QDateTime::currentDateTimeUtc();
    Task record = m_editing ? m_task : Task();
    const bool update = m_editing && !record.id.isEmpty();
    if (!update) {
        if (!m_parentTaskUid.isEmpty())
            record.parent_task_uid = m_parentTaskUid;
        if (!m_itemType.isEmpty())
            record.item_type = m_itemType;
    }
    record.calendar_id = m_calendar->currentData().toString();
    record.title = title;
    record.description = m_notes->toPlainText();
    record.priority = m_priority->currentData().toInt();
    record.due_date = m_dueCheck->isChecked() ? std::optional<QDateTime>(m_duePicker->dateTime()) : std::nullopt;
    record.start_date =
        m_startCheck->isChecked() ? std::optional<QDateTime>(m_startPicker->dateTime()) : std::nullopt;
    record.recurrence_rule = m_rrule;
    record.repeat_mode = m_repeatMode.isEmpty() ? QStringLiteral("fromDueDate") : m_repeatMode;
    record.due_is_date_only = m_duePicker->isDateOnly() && !m_reminderMode;
    record.start_is_date_only = m_startPicker->isDateOnly();
    record.categories.clear();
    for (const QString &part : m_categories->text().split(QLatin1Char(','))) {
        if (!part.trimmed().isEmpty())
            record.categories.append(part.trimmed());
    }
    if (m_completed->isChecked()) {
        record.status = TaskStatus::Completed;
        record.percent_complete = 100;
        if (!record.completed_date)
            record.completed_date = now;
    } else {
        record.status = TaskStatus::NeedsAction;
        record.percent_complete = 0;
        record.completed_date.reset();
    }
    if (m_reminderMode && record.due_date && m_reminderMinutes.isEmpty())
        m_reminderMinutes.append(0);
    record.reminders.clear();
    for (int minutes : std::as_const(m_reminderMinutes)) {
        Reminder reminder;
        reminder.task_id = record.id;
        reminder.minutes_before = minutes;
        record.reminders.append(reminder);
    }

    const std::optional<Task> original = update ? std::optional<Task>(m_task) : std::nullopt;
    QString storedId;
    const EditResult result =
        TaskEditor(m_state->tasks(), m_state->calendars()).saveFromForm(record, original, &storedId);
    if (!result && storedId.isEmpty())
        return {Problem::StoreFailed, tr("Database Error"), tr("Could not save the task.")};
    // Only a preselection for the next form; the store logs a refusal.
    if (!record.calendar_id.isEmpty())
        (void)m_state->preferences()->set(lastUsedCalendarKey(true), record.calendar_id);
    // Stored in its new calendar, though the old one kept some of it: saving
    // again would only make another copy.
    TaskActions::showFailure(this, result);
    return {};
}

void TaskFormDialog::onAccepted()
{
    const SaveOutcome outcome = save();
    if (outcome.saved()) {
        QDialog::accept();
        return;
    }
    if (outcome.problem == Problem::StoreFailed) {
        QMessageBox::critical(this, outcome.title, outcome.text);
        return;
    }
    QMessageBox::warning(this, outcome.title, outcome.text);
    if (outcome.problem == Problem::MissingTitle)
        m_title->setFocus();
}
