#include "ui/panes/reminderspane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "calendar/remindersections.h"
#include "calendar/tasktree.h"
#include "dialogs/editing/taskformdialog.h"
#include "store/calendarrepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"
#include "ui/panes/paneparts.h"
#include "ui/panes/taskspanerow.h"
#include "ui/popovers/popoverplacement.h"
#include "ui/popovers/taskdetailspopover.h"

#include <algorithm>

RemindersPane::RemindersPane(AppState *appState, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *header = new QWidget(this);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(12, 8, 12, 8);
    headerLayout->setSpacing(8);
    auto *title = new QLabel(tr("Reminders"), header);
    QFont titleFont = title->font();
    titleFont.setWeight(QFont::Bold);
    titleFont.setPointSize(std::max(1, 13 * Theme::fontScale() / 100));
    title->setFont(titleFont);
    headerLayout->addWidget(title);
    headerLayout->addStretch(1);
    m_clearButton = new QPushButton(tr("Clear"), header);
    m_clearButton->setObjectName(QStringLiteral("clearCompleted"));
    m_clearButton->setCursor(Qt::PointingHandCursor);
    m_clearButton->setToolTip(tr("Delete all completed reminders"));
    m_clearButton->hide();
    connect(m_clearButton, &QPushButton::clicked, this, &RemindersPane::clearCompleted);
    headerLayout->addWidget(m_clearButton);
    m_completedButton = new QToolButton(header);
    m_completedButton->setObjectName(QStringLiteral("showCompleted"));
    m_completedButton->setText(tr("Completed"));
    m_completedButton->setCheckable(true);
    m_completedButton->setCursor(Qt::PointingHandCursor);
    m_completedButton->setToolTip(tr("Show completed reminders"));
    connect(m_completedButton, &QToolButton::toggled, this, &RemindersPane::setShowCompleted);
    headerLayout->addWidget(m_completedButton);
    layout->addWidget(header);

    m_scroll = PaneParts::makeScrollList(this, &m_list);
    layout->addWidget(m_scroll, 1);
    m_empty = PaneParts::makeEmptyState(this, tr("No reminders yet"),
                                        tr("Add a reminder to get a nudge at the time you set."))
                  .widget;
    layout->addWidget(m_empty, 1);

    auto *footer = new QWidget(this);
    auto *footerLayout = new QHBoxLayout(footer);
    footerLayout->setContentsMargins(12, 8, 12, 12);
    auto *add = new QPushButton(tr("+ New Reminder"), footer);
    add->setObjectName(QStringLiteral("newReminderButton"));
    add->setCursor(Qt::PointingHandCursor);
    QFont bold = add->font();
    bold.setWeight(QFont::Bold);
    add->setFont(bold);
    add->setMinimumHeight(36);
    connect(add, &QPushButton::clicked, this, &RemindersPane::addReminder);
    footerLayout->addWidget(add);
    layout->addWidget(footer);

    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(120);
    connect(m_reloadTimer, &QTimer::timeout, this, &RemindersPane::reload);
    const auto restart = [this] { m_reloadTimer->start(); };
    connect(m_appState->tasks(), &TaskRepository::tasksChanged, this, restart);
    connect(m_appState->calendars(), &CalendarRepository::calendarsChanged, this, restart);
    connect(m_appState, &AppState::activeViewChanged, this, restart);
    connect(m_appState->views(), &ViewRepository::viewsChanged, this, restart);
    reload();
}

void RemindersPane::setShowCompleted(bool on)
{
    if (on == m_showCompleted)
        return;
    m_showCompleted = on;
    m_clearButton->setVisible(on);
    if (m_completedButton->isChecked() != on)
        m_completedButton->setChecked(on);
    reload();
}

QList<Task> RemindersPane::collectReminders(bool completed) const
{
    const std::optional<QSet<QString>> group = PaneParts::groupFilter(m_appState);
    QList<Task> out;
    for (const Calendar &calendar : m_appState->calendars()->getAll()) {
        if (!calendar.is_visible || (group && !group->contains(calendar.id)))
            continue;
        for (const Task &task : m_appState->tasks()->getByCalendar(calendar.id)) {
            if (task.item_type != QLatin1String("reminder"))
                continue;
            const bool isCompleted = task.status == QLatin1String("completed");
            const bool isCancelled = task.status == QLatin1String("cancelled");
            if (completed ? isCompleted : (!isCompleted && !isCancelled))
                out.append(task);
        }
    }
    return out;
}

void RemindersPane::reload()
{
    m_reloadTimer->stop();
    QWidget *content = m_scroll->widget();
    content->setUpdatesEnabled(false);
    PaneParts::clearRows(m_list);
    QHash<QString, QString> colours;
    for (const Calendar &calendar : m_appState->calendars()->getAll())
        colours.insert(calendar.id, calendar.color);
    const QList<Task> reminders = collectReminders(m_showCompleted);
    m_empty->setVisible(reminders.isEmpty());
    m_scroll->setVisible(!reminders.isEmpty());
    if (!reminders.isEmpty()) {
        if (m_showCompleted) {
            addSection(tr("Completed"), ReminderSections::sortCompleted(reminders), colours);
        } else {
            const ReminderSections::Sections sections = ReminderSections::split(reminders, QDate::currentDate());
            addSection(tr("Overdue"), sections.overdue, colours);
            addSection(tr("Today"), sections.today, colours);
            addSection(tr("Upcoming"), sections.upcoming, colours);
            addSection(tr("No date"), sections.noDate, colours);
        }
    }
    content->setUpdatesEnabled(true);
}

void RemindersPane::addSection(const QString &title, const QList<Task> &reminders,
                               const QHash<QString, QString> &colours)
{
    if (reminders.isEmpty())
        return;
    PaneParts::appendRow(m_list, PaneParts::makeSectionHeader(title, int(reminders.size()), QString(), m_scroll->widget()));
    for (const Task &task : reminders) {
        auto *row = new TasksPaneRow(m_appState, task, false, true, colours.value(task.calendar_id), 0,
                                     m_scroll->widget());
        row->setDraggable(false);
        connect(row, &TasksPaneRow::rowSelected, this, &RemindersPane::openRowPopover);
        connect(row, &TasksPaneRow::rowActivated, this, &RemindersPane::openEditor);
        connect(row, &TasksPaneRow::rowContextRequested, this, &RemindersPane::showContextMenu);
        PaneParts::appendRow(m_list, row);
    }
}

QStringList RemindersPane::sectionTitles() const
{
    QStringList titles;
    for (int i = 0; i < m_list->count(); ++i) {
        QWidget *widget = m_list->itemAt(i)->widget();
        if (widget && widget->objectName() == QLatin1String("sectionHeader"))
            titles.append(widget->findChild<QLabel *>(QStringLiteral("sectionTitle"))->text());
    }
    return titles;
}

QList<TasksPaneRow *> RemindersPane::rows() const
{
    QList<TasksPaneRow *> out;
    for (int i = 0; i < m_list->count(); ++i) {
        if (auto *row = qobject_cast<TasksPaneRow *>(m_list->itemAt(i)->widget()))
            out.append(row);
    }
    return out;
}

void RemindersPane::openRowPopover(const QString &taskId, const QRect &screenRect)
{
    const std::optional<Task> task = m_appState->tasks()->getById(taskId);
    if (!task || task->deleted_at)
        return;
    auto *popover = new TaskDetailsPopover(m_appState, *task, this);
    if (screenRect.isValid())
        positionPopoverNear(popover, screenRect);
    else
        showPopoverCentered(popover);
}

void RemindersPane::openEditor(const QString &taskId)
{
    const std::optional<Task> task = m_appState->tasks()->getById(taskId);
    if (!task || task->deleted_at)
        return;
    TaskFormDialog dialog(m_appState, *task, this);
    dialog.exec();
}

void RemindersPane::showContextMenu(const QString &taskId, const QPoint &globalPos)
{
    const std::optional<Task> found = m_appState->tasks()->getById(taskId);
    if (!found || found->deleted_at)
        return;
    const Task task = *found;
    AppState *state = m_appState;
    QMenu menu(this);
    menu.addAction(tr("Edit…"), this, [this, task] { openEditor(task.id); });
    menu.addAction(task.status == QLatin1String("completed") ? tr("Mark Incomplete") : tr("Mark Complete"), this,
                   [state, task] { state->tasks()->setCompleted(task.id, !isTaskCompleted(task)); });
    menu.addSeparator();
    menu.addAction(tr("Delete"), this, [this, state, task] {
        QMessageBox box(QMessageBox::Question, tr("Delete reminder?"),
                        tr("Delete \"%1\"? This cannot be undone.").arg(task.title), QMessageBox::Yes | QMessageBox::No,
                        this);
        box.setTextFormat(Qt::PlainText);
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() == QMessageBox::Yes)
            state->tasks()->remove(task.id);
    });
    menu.exec(globalPos);
}

void RemindersPane::clearCompleted()
{
    const QList<Task> completed = collectReminders(true);
    if (completed.isEmpty())
        return;
    QMessageBox box(QMessageBox::Question, tr("Clear completed reminders?"),
                    tr("Delete all %n completed reminder(s)? This cannot be undone.", nullptr, int(completed.size())),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    for (const Task &task : completed)
        m_appState->tasks()->remove(task.id);
}

void RemindersPane::addReminder()
{
    if (m_appState->calendars()->getAll().isEmpty()) {
        QMessageBox::information(this, tr("No calendars"), tr("Create a calendar first."), QMessageBox::Ok);
        return;
    }
    TaskFormDialog dialog(m_appState, this);
    dialog.setItemType(QStringLiteral("reminder"));
    dialog.exec();
}
