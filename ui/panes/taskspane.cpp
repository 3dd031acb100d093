#include "ui/panes/taskspane.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "calendar/taskmarks.h"
#include "calendar/taskreorder.h"
#include "calendar/tasktree.h"
#include "dialogs/editing/taskactions.h"
#include "dialogs/editing/taskformdialog.h"
#include "store/calendarrepository.h"
#include "store/preferencekeys.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"
#include "ui/panes/panereader.h"
#include "ui/panes/paneparts.h"
#include "ui/panes/slicedrows.h"
#include "ui/panes/tasklisting.h"

#include <algorithm>

namespace {

constexpr char16_t FilterGlyph = 0xE152;
const char *const FilterNames[] = {"all", "today", "thisweek", "overdue"};

bool readBool(PreferencesRepository *preferences, const char *key, bool fallback)
{
    const std::optional<QString> value = preferences->get(QString::fromLatin1(key));
    if (!value || value->isEmpty())
        return fallback;
    return *value == QLatin1String("1") || *value == QLatin1String("true");
}

// A view choice is only remembered for the next start: the pane shows it
// all the same, and the store logs a refusal.
void remember(PreferencesRepository *preferences, const char *key, const QString &value)
{
    (void)preferences->set(QString::fromLatin1(key), value);
}

void remember(PreferencesRepository *preferences, const char *key, bool on)
{
    (void)preferences->setBool(QString::fromLatin1(key), on);
}

int readFilter(PreferencesRepository *preferences)
{
    const QString value = preferences->getString(QString::fromLatin1(PreferenceKeys::TasksFilter));
    for (int i = 0; i < 4; ++i) {
        if (value == QLatin1String(FilterNames[i]))
            return i;
    }
    return TasksPane::AllTasks;
}

bool baseLess(const Task &a, const Task &b)
{
    const bool aDone = a.status == TaskStatus::Completed;
    const bool bDone = b.status == TaskStatus::Completed;
    if (aDone != bDone)
        return !aDone;
    const int aPriority = a.priority == 0 ? 100 : a.priority;
    const int bPriority = b.priority == 0 ? 100 : b.priority;
    if (aPriority != bPriority)
        return aPriority < bPriority;
    if (a.due_date.has_value() != b.due_date.has_value())
        return a.due_date.has_value();
    if (a.due_date && *a.due_date != *b.due_date)
        return *a.due_date < *b.due_date;
    return QString::localeAwareCompare(a.title, b.title) < 0;
}

} // namespace

TasksPane::TasksPane(AppState *appState, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
{
    PreferencesRepository *preferences = m_appState->preferences();
    m_filter = readFilter(preferences);
    m_hideCompleted = readBool(preferences, PreferenceKeys::TasksHideCompleted, false);
    m_groupByCalendar = readBool(preferences, PreferenceKeys::TasksGroupByCalendar, true);
    m_showNotes = readBool(preferences, PreferenceKeys::TasksShowNotes, false);
    m_showCategories = readBool(preferences, PreferenceKeys::TasksShowCategories, false);

    setMinimumWidth(280);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    m_scroll = PaneParts::makeScrollList(this, &m_list);
    layout->addWidget(m_scroll, 1);
    const PaneParts::EmptyState empty =
        PaneParts::makeEmptyState(this, tr("No tasks yet"), tr("Create a task to track what needs doing."));
    m_empty = empty.widget;
    m_emptyTitle = empty.title;
    m_emptyBody = empty.body;
    layout->addWidget(m_empty, 1);
    layout->addWidget(buildFooter());
    buildFilterMenu();

    // The tasks of the calendars of the active group.
    m_reader = PaneParts::makeTaskReader(m_appState, this);
    connect(m_reader, &PaneReader::readWanted, this, &TasksPane::reload);
    connect(m_reader, &PaneReader::arrived, this, &TasksPane::apply);
    connect(m_appState, &AppState::lastSyncErroredChanged, this, [this] { m_reader->noteChange(); });
    m_rows = new SlicedRows(m_list, this);
    connect(m_rows, &SlicedRows::finished, this, &TasksPane::reloaded);
    // The first read waits for the first show: the window paints before it.
}

QWidget *TasksPane::buildHeader()
{
    auto *header = new QWidget(this);
    auto *layout = new QHBoxLayout(header);
    layout->setContentsMargins(12, 12, 12, 8);
    layout->setSpacing(8);
    auto *title = new QLabel(tr("Tasks"), header);
    QFont bold = title->font();
    bold.setWeight(QFont::Bold);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addStretch(1);
    m_filterButton = new QToolButton(header);
    m_filterButton->setObjectName(QStringLiteral("tasksFilterButton"));
    m_filterButton->setIcon(Theme::tintedIcon(QChar(FilterGlyph), 18, Theme::textPrimary()));
    m_filterButton->setPopupMode(QToolButton::InstantPopup);
    m_filterButton->setAutoRaise(true);
    m_filterButton->setToolTip(tr("Filter tasks"));
    layout->addWidget(m_filterButton);
    return header;
}

QWidget *TasksPane::buildFooter()
{
    QPushButton *add = nullptr;
    QWidget *footer = PaneParts::makeAddFooter(this, tr("+ New Task"), QStringLiteral("newTaskButton"), &add);
    connect(add, &QPushButton::clicked, this, &TasksPane::newTask);
    return footer;
}

void TasksPane::buildFilterMenu()
{
    auto *menu = new QMenu(this);
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    const QString names[] = {tr("All tasks"), tr("Due today"), tr("Due this week"), tr("Overdue")};
    for (int i = 0; i < 4; ++i) {
        QAction *action = menu->addAction(names[i]);
        action->setCheckable(true);
        action->setChecked(i == m_filter);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, i] { setFilter(i); });
    }
    menu->addSeparator();
    const auto addToggle = [this, menu](const QString &text, bool checked, void (TasksPane::*setter)(bool)) {
        QAction *action = menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(checked);
        connect(action, &QAction::toggled, this, setter);
        return action;
    };
    m_groupAction = addToggle(tr("Group by calendar"), m_groupByCalendar, &TasksPane::setGroupByCalendar);
    m_hideCompletedAction = addToggle(tr("Hide completed"), m_hideCompleted, &TasksPane::setHideCompleted);
    m_notesAction = addToggle(tr("Show notes"), m_showNotes, &TasksPane::setShowNotes);
    m_categoriesAction = addToggle(tr("Show categories"), m_showCategories, &TasksPane::setShowCategories);
    m_filterButton->setMenu(menu);
}

void TasksPane::setFilter(int filter)
{
    if (filter < AllTasks || filter > Overdue || filter == m_filter)
        return;
    m_filter = filter;
    remember(m_appState->preferences(), PreferenceKeys::TasksFilter, QString::fromLatin1(FilterNames[filter]));
    reload();
}

void TasksPane::setGroupByCalendar(bool on)
{
    if (on == m_groupByCalendar)
        return;
    m_groupByCalendar = on;
    remember(m_appState->preferences(), PreferenceKeys::TasksGroupByCalendar, on);
    reload();
}

void TasksPane::setHideCompleted(bool on)
{
    if (on == m_hideCompleted)
        return;
    m_hideCompleted = on;
    remember(m_appState->preferences(), PreferenceKeys::TasksHideCompleted, on);
    reload();
}

void TasksPane::setShowCategories(bool on)
{
    if (on == m_showCategories)
        return;
    m_showCategories = on;
    remember(m_appState->preferences(), PreferenceKeys::TasksShowCategories, on);
    reload();
}

void TasksPane::setShowNotes(bool on)
{
    if (on == m_showNotes)
        return;
    m_showNotes = on;
    remember(m_appState->preferences(), PreferenceKeys::TasksShowNotes, on);
    reload();
}

bool TasksPane::siblingLess(const Task &a, const Task &b)
{
    static const TaskTree::SiblingLess less = TaskTree::withManualSortOrder(baseLess);
    return less(a, b);
}

bool TasksPane::passesFilter(const Task &task, int filter, const QDate &today)
{
    if (filter == AllTasks)
        return true;
    const QDate due = TaskDates::dueDay(task);
    if (!due.isValid())
        return false;
    switch (filter) {
    case DueToday:
        return due == today;
    case DueThisWeek:
        return due >= today && due < today.addDays(7);
    case Overdue:
        return due < today;
    default:
        return true;
    }
}

void TasksPane::reload()
{
    m_reader->readListing<TaskListing>(
        {m_filter, m_hideCompleted, m_groupByCalendar, m_appState->activeViewId(), QDate::currentDate()});
}

bool TasksPane::isLoading() const
{
    return m_reader->isReading() || m_rows->isBuilding();
}

void TasksPane::apply(const QVariant &digest)
{
    m_listing = digest.value<TaskListing>();
    if (m_listing.noCalendars) {
        m_empty->show();
        m_scroll->hide();
    } else {
        const int inserted = m_listing.rowCount();
        m_empty->setVisible(inserted == 0);
        m_scroll->setVisible(inserted != 0);
        updateEmptyTexts();
    }
    m_nextSection = 0;
    m_nextLine = -1;
    m_rows->start([this](QWidget *parent) { return nextRow(parent); });
}

QWidget *TasksPane::nextRow(QWidget *parent)
{
    while (m_nextSection < m_listing.sections.size()) {
        const TaskListing::Section &section = m_listing.sections.at(m_nextSection);
        if (m_nextLine < 0) {
            m_nextLine = 0;
            if (m_listing.grouped)
                return PaneParts::makeSectionHeader(section.title, int(section.lines.size()), section.color,
                                                    parent);
        } else if (m_nextLine < section.lines.size()) {
            return makeRow(section.lines.at(m_nextLine++), parent);
        } else {
            ++m_nextSection;
            m_nextLine = -1;
        }
    }
    return nullptr;
}

QWidget *TasksPane::makeRow(const TreeTask &line, QWidget *parent)
{
    // Grouped rows carry no stripe: their header has the colour.
    const QString stripe =
        m_listing.grouped ? QString() : m_listing.colors.value(line.task.calendar_id, QStringLiteral("#9aa0a6"));
    auto *row = new TasksPaneRow(m_appState, line.task, m_showNotes, m_showCategories, stripe, line.depth,
                                 parent);
    connectRow(row);
    return row;
}

void TasksPane::updateEmptyTexts()
{
    switch (m_filter) {
    case DueToday:
        m_emptyTitle->setText(tr("Nothing due today"));
        m_emptyBody->setText(tr("Switch the filter to see other tasks."));
        break;
    case DueThisWeek:
        m_emptyTitle->setText(tr("Nothing due this week"));
        m_emptyBody->setText(tr("Switch the filter to see other tasks."));
        break;
    case Overdue:
        m_emptyTitle->setText(tr("Nothing overdue"));
        m_emptyBody->setText(tr("You're caught up. Nice."));
        break;
    default:
        m_emptyTitle->setText(tr("No tasks yet"));
        m_emptyBody->setText(tr("Create a task to track what needs doing."));
        break;
    }
}

QList<TasksPaneRow *> TasksPane::rows() const
{
    return PaneParts::taskRows(m_rows->rows());
}

bool TasksPane::eventFilter(QObject *watched, QEvent *event)
{
    return QWidget::eventFilter(watched, event);
}

void TasksPane::connectRow(TasksPaneRow *row)
{
    connect(row, &TasksPaneRow::rowSelected, this, &TasksPane::openRowPopover);
    connect(row, &TasksPaneRow::rowActivated, this, &TasksPane::openEditor);
    connect(row, &TasksPaneRow::rowContextRequested, this, &TasksPane::showTaskContextMenu);
    connect(row, &TasksPaneRow::rowDropTargeted, this, &TasksPane::moveTaskUnderParent);
}

void TasksPane::openRowPopover(const QString &taskId, const QRect &screenRect)
{
    PaneParts::openTaskCard(m_appState, taskId, screenRect, this);
}

void TasksPane::openEditor(const QString &taskId)
{
    TaskActions::openEditor(m_appState, taskId, this);
}

void TasksPane::newTask()
{
    if (m_appState->calendars()->getAll().isEmpty()) {
        QMessageBox::information(this, tr("No calendars"), tr("Create a calendar first."), QMessageBox::Ok);
        return;
    }
    TaskFormDialog dialog(m_appState, this);
    dialog.exec();
}

std::optional<Task> TasksPane::findByUid(const QString &uid) const
{
    for (const Calendar &calendar : m_appState->calendars()->getAll()) {
        std::optional<Task> task = m_appState->tasks()->getByUidAndCalendar(uid, calendar.id);
        if (task && !task->deleted_at)
            return task;
    }
    return std::nullopt;
}

void TasksPane::moveTaskUnderParent(const QString &sourceUid, const QString &targetUid, DropZone zone)
{
    const std::optional<Task> dragged = findByUid(sourceUid);
    const std::optional<Task> target = findByUid(targetUid);
    if (!dragged || !target || zone == DropNone || dragged->uid == target->uid)
        return;
    if (dragged->calendar_id != target->calendar_id) {
        QMessageBox box(QMessageBox::Information, tr("Can't move task"),
                        tr("Subtasks must belong to the same calendar as their parent. Move \"%1\" to the same "
                           "calendar first.")
                            .arg(dragged->title),
                        QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    if (zone == DropOnto) {
        if (dragged->parent_task_uid == target->uid)
            return;
        Task changed = *dragged;
        changed.parent_task_uid = target->uid;
        TaskActions::update(m_appState, changed, this);
        return;
    }
    reorderNextTo(*dragged, *target, zone == DropAbove);
}

void TasksPane::reorderNextTo(const Task &dragged, const Task &target, bool above)
{
    QList<Task> siblings;
    for (const Task &task : m_appState->tasks()->getByCalendar(target.calendar_id)) {
        if (task.uid != dragged.uid && task.parent_task_uid == target.parent_task_uid)
            siblings.append(task);
    }
    std::stable_sort(siblings.begin(), siblings.end(), &TasksPane::siblingLess);
    const std::optional<TaskReorder::Plan> plan = TaskReorder::plan(siblings, target.uid, above);
    if (!plan)
        return;
    for (const auto &[id, order] : plan->renumbered) {
        const auto it = std::find_if(siblings.cbegin(), siblings.cend(), [&id](const Task &t) { return t.id == id; });
        Task changed = *it;
        changed.sort_order = order;
        // One refusal is shown once; the rest would be refused alike.
        if (!TaskActions::update(m_appState, changed, this))
            return;
    }
    Task changed = dragged;
    changed.parent_task_uid = target.parent_task_uid;
    changed.sort_order = plan->order;
    TaskActions::update(m_appState, changed, this);
}

void TasksPane::showTaskContextMenu(const QString &taskId, const QPoint &globalPos)
{
    TaskMenuTexts texts;
    texts.edit = tr("Edit…");
    texts.addSubtask = tr("Add Subtask");
    texts.markComplete = tr("Mark Complete");
    texts.markIncomplete = tr("Mark Incomplete");
    texts.markInProgress = tr("Mark In Progress");
    texts.clearInProgress = tr("Clear In Progress");
    texts.markCancelled = tr("Mark Cancelled");
    texts.restoreTask = tr("Restore Task");
    texts.makeTopLevel = tr("Make Top-Level");
    texts.remove = tr("Delete");
    texts.deleteTitle = tr("Delete task?");
    texts.deleteQuestion = tr("Delete \"%1\"? This cannot be undone.");
    texts.separatorBeforeDelete = true;
    TaskActions::showMenu(m_appState, this, taskId, globalPos, texts);
}
