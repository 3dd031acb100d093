#include "ui/panes/agendalistwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "calendar/agendadays.h"
#include "calendar/tasktree.h"
#include "dialogs/editing/taskformdialog.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "ui/panes/agendaeventrow.h"
#include "ui/panes/agendarowcolor.h"
#include "ui/panes/agendataskrow.h"
#include "ui/panes/paneparts.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/popoverplacement.h"
#include "ui/popovers/taskdetailspopover.h"
#include "views/common/eventedits.h"
#include "views/common/viewrange.h"

#include <algorithm>

AgendaListWidget::AgendaListWidget(AppState *app, bool showEmptyDays, int dayCount, const QString &modeKey,
                                   QWidget *parent)
    : QWidget(parent)
    , m_app(app)
    , m_showEmptyDays(showEmptyDays)
    , m_dayCount(dayCount)
    , m_modeKey(modeKey)
    , m_clock([] { return QDateTime::currentDateTime(); })
{
    if (!m_modeKey.isEmpty()) {
        const QString mode = m_app->preferences()->getString(m_modeKey);
        if (mode == QLatin1String("agenda"))
            m_showEmptyDays = true;
        else if (mode == QLatin1String("list"))
            m_showEmptyDays = false;
    }
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_stack = new QStackedWidget(this);
    outer->addWidget(m_stack, 1);
    m_scroll = PaneParts::makeScrollList(m_stack, &m_content);
    m_stack->addWidget(m_scroll);

    auto *empty = new QWidget(m_stack);
    auto *emptyLayout = new QVBoxLayout(empty);
    emptyLayout->setContentsMargins(16, 16, 16, 16);
    emptyLayout->setAlignment(Qt::AlignCenter);
    emptyLayout->addStretch(1);
    auto *label = new QLabel(tr("No upcoming events"), empty);
    label->setObjectName(QStringLiteral("agendaEmpty"));
    label->setProperty("muted", true);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPointSize(std::max(font.pointSize(), 10));
    label->setFont(font);
    emptyLayout->addWidget(label);
    emptyLayout->addStretch(2);
    m_stack->addWidget(empty);

    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(120);
    connect(m_reloadTimer, &QTimer::timeout, this, &AgendaListWidget::reload);
    const auto restart = [this] { m_reloadTimer->start(); };
    connect(m_app, &AppState::activeViewChanged, this, restart);
    connect(m_app, &AppState::currentDateChanged, this, restart);
    connect(m_app->calendars(), &CalendarRepository::calendarsChanged, this, restart);
    connect(m_app->events(), &EventRepository::eventsChanged, this, restart);
    connect(m_app->tasks(), &TaskRepository::tasksChanged, this, restart);
    connect(m_app->filterRules(), &FilterRuleRepository::filterRulesChanged, this, restart);
    auto *minute = new QTimer(this);
    minute->setInterval(60000);
    connect(minute, &QTimer::timeout, this, restart);
    minute->start();
    reload();
}

void AgendaListWidget::setClock(std::function<QDateTime()> clock)
{
    m_clock = clock ? std::move(clock) : [] { return QDateTime::currentDateTime(); };
}

void AgendaListWidget::setMode(bool showEmptyDays)
{
    if (showEmptyDays == m_showEmptyDays)
        return;
    m_showEmptyDays = showEmptyDays;
    if (!m_modeKey.isEmpty())
        m_app->preferences()->set(m_modeKey, showEmptyDays ? QStringLiteral("agenda") : QStringLiteral("list"));
    Q_EMIT showEmptyDaysChanged(showEmptyDays);
    reload();
}

void AgendaListWidget::reload()
{
    m_reloadTimer->stop();
    QWidget *content = m_scroll->widget();
    content->setUpdatesEnabled(false);
    PaneParts::clearRows(m_content);
    const QStringList ids = ViewRange::activeViewCalendarIds(m_app);
    if (ids.isEmpty()) {
        m_stack->setCurrentIndex(1);
        content->setUpdatesEnabled(true);
        return;
    }
    const QDateTime now = m_clock();
    const QDate today = now.date();
    const QDate start = AgendaDays::windowStart(m_app->currentDate().isValid() ? m_app->currentDate() : today,
                                                m_app->viewMode(), m_app->firstDayOfWeek());
    const QDateTime from(start, QTime(0, 0));
    const QDateTime to = from.addDays(m_dayCount);
    const ViewRangeData data = ViewRange::load(m_app, from, to);
    const QList<Task> tasks = m_app->tasks()->getInRange(from, to, ids);
    const QList<AgendaDays::Day> days = AgendaDays::spread(data.events, tasks, start, m_dayCount, now);

    int position = 0;
    for (const AgendaDays::Day &day : days) {
        if (day.events.isEmpty() && day.tasks.isEmpty() && !m_showEmptyDays)
            continue;
        m_content->insertWidget(position++, makeDayHeader(day.date, today));
        for (const Event &event : day.events) {
            const bool pending = event.sync_status == QLatin1String("pending")
                                 && data.pendingMarkCalendarIds.contains(event.calendar_id);
            auto *row = new AgendaEventRow(
                m_app, event, content, AgendaRowColor::resolve(event.color, event.calendar_id, data.calendarColors),
                pending);
            connect(row, &AgendaEventRow::rowSelected, this,
                    [this, event](const QString &, const QRect &rect) { openEventPopover(event, rect); });
            connect(row, &AgendaEventRow::rowActivated, this, &AgendaListWidget::openEventEditor);
            connect(row, &AgendaEventRow::rowContextRequested, this, &AgendaListWidget::showEventContextMenu);
            m_content->insertWidget(position++, row);
        }
        for (const Task &task : day.tasks) {
            auto *row = new AgendaTaskRow(m_app, task, content,
                                          AgendaRowColor::resolve(task.color, task.calendar_id, data.calendarColors));
            connect(row, &AgendaTaskRow::rowSelected, this, &AgendaListWidget::openTaskPopover);
            connect(row, &AgendaTaskRow::rowActivated, this, &AgendaListWidget::openTaskEditor);
            connect(row, &AgendaTaskRow::rowContextRequested, this, &AgendaListWidget::showTaskContextMenu);
            m_content->insertWidget(position++, row);
        }
    }
    m_stack->setCurrentIndex(position > 0 ? 0 : 1);
    content->setUpdatesEnabled(true);
}

QWidget *AgendaListWidget::makeDayHeader(const QDate &date, const QDate &today)
{
    auto *header = new QWidget(m_scroll->widget());
    header->setObjectName(QStringLiteral("agendaDayHeader"));
    auto *layout = new QHBoxLayout(header);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(8);
    auto *dot = new QLabel(QStringLiteral("●"), header);
    dot->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::accent().name()));
    QFont dotFont = dot->font();
    dotFont.setPointSize(dotFont.pointSize() + 2);
    dot->setFont(dotFont);
    layout->addWidget(dot);
    QString text;
    if (date == today)
        text = tr("Today");
    else if (date == today.addDays(1))
        text = tr("Tomorrow");
    else
        text = date.toString(QStringLiteral("ddd MMM d"));
    auto *label = new QLabel(text, header);
    label->setObjectName(QStringLiteral("dayTitle"));
    QFont bold = label->font();
    bold.setWeight(QFont::Bold);
    label->setFont(bold);
    layout->addWidget(label);
    layout->addStretch(1);
    return header;
}

QStringList AgendaListWidget::headerTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_content->count(); ++i) {
        QWidget *widget = m_content->itemAt(i)->widget();
        if (widget && widget->objectName() == QLatin1String("agendaDayHeader"))
            texts.append(widget->findChild<QLabel *>(QStringLiteral("dayTitle"))->text());
    }
    return texts;
}

bool AgendaListWidget::showsEmptyState() const
{
    return m_stack->currentIndex() == 1;
}

void AgendaListWidget::openEventPopover(const Event &event, const QRect &screenRect)
{
    m_app->setSelectedEventId(event.id);
    auto *popover = new EventDetailsPopover(m_app, event, this);
    positionPopoverNear(popover, screenRect);
}

void AgendaListWidget::openEventEditor(const QString &eventId)
{
    const std::optional<Event> stored = m_app->events()->getById(eventId);
    if (!stored || stored->deleted_at)
        return;
    EventEdits::openEditor(m_app, *stored, this);
}

void AgendaListWidget::openTaskPopover(const QString &taskId, const QRect &screenRect)
{
    const std::optional<Task> task = m_app->tasks()->getById(taskId);
    if (!task || task->deleted_at)
        return;
    auto *popover = new TaskDetailsPopover(m_app, *task, this);
    if (screenRect.isValid())
        positionPopoverNear(popover, screenRect);
    else
        showPopoverCentered(popover);
}

void AgendaListWidget::openTaskEditor(const QString &taskId)
{
    const std::optional<Task> task = m_app->tasks()->getById(taskId);
    if (!task || task->deleted_at)
        return;
    TaskFormDialog dialog(m_app, *task, this);
    dialog.exec();
}

void AgendaListWidget::showEventContextMenu(const QString &eventId, const QPoint &globalPos)
{
    const std::optional<Event> stored = m_app->events()->getById(eventId);
    if (!stored || stored->deleted_at)
        return;
    m_app->setSelectedEventId(eventId);
    EventMenuTexts menuTexts;
    menuTexts.edit = tr("Edit…");
    menuTexts.remove = tr("Delete");
    menuTexts.editFilter = tr("Edit filter \"%1\"…");
    menuTexts.createFilter = tr("Create Filter from Event…");
    menuTexts.deleteTitle = tr("Delete event?");
    menuTexts.deleteQuestion = tr("Delete \"%1\"? You can undo with %2.");
    EventEditTexts editTexts;
    editTexts.moved = tr("Moved \"%1\"");
    editTexts.resized = tr("Resized \"%1\"");
    editTexts.deleted = tr("Deleted \"%1\"");
    editTexts.saveFailedTitle = tr("Couldn't save the change");
    editTexts.saveFailedText = tr("\"%1\" could not be stored, so nothing was changed. The log has the details.");
    EventEdits::showContextMenu(m_app, this, eventId, globalPos, menuTexts, editTexts);
}

void AgendaListWidget::showTaskContextMenu(const QString &taskId, const QPoint &globalPos)
{
    const std::optional<Task> found = m_app->tasks()->getById(taskId);
    if (!found || found->deleted_at)
        return;
    const Task task = *found;
    AppState *app = m_app;
    QMenu menu(this);
    menu.addAction(tr("Edit…"), this, [this, task] { openTaskEditor(task.id); });
    menu.addAction(task.status == QLatin1String("completed") ? tr("Mark Incomplete") : tr("Mark Complete"), this,
                   [app, task] { app->tasks()->setCompleted(task.id, !isTaskCompleted(task)); });
    menu.addAction(tr("Delete"), this, [this, app, task] {
        QMessageBox box(QMessageBox::Question, tr("Delete task?"),
                        tr("Delete \"%1\"? This cannot be undone.").arg(task.title), QMessageBox::Yes | QMessageBox::No,
                        this);
        box.setTextFormat(Qt::PlainText);
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() == QMessageBox::Yes)
            app->tasks()->remove(task.id);
    });
    menu.exec(globalPos);
}
