#include "ui/panes/agendalistwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/activeviewcalendars.h"
#include "app/appstate.h"
#include "app/theme/theme.h"
#include "calendar/agendadays.h"
#include "calendar/tasktree.h"
#include "dialogs/editing/taskactions.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "ui/panes/agendaeventrow.h"
#include "ui/panes/agendarowcolor.h"
#include "ui/panes/agendataskrow.h"
#include "ui/panes/agendawindow.h"
#include "ui/panes/paneparts.h"
#include "ui/panes/windowedrows.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/popoverplacement.h"
#include "views/common/eventedits.h"
#include "views/common/viewrangeloader.h"

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
    m_rows = new WindowedRows(m_stack);
    m_stack->addWidget(m_rows);

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

    m_loader = new ViewRangeLoader(m_app, this);
    connect(m_loader, &ViewRangeLoader::loaded, this, &AgendaListWidget::apply);

    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(120);
    connect(m_reloadTimer, &QTimer::timeout, this, &AgendaListWidget::reloadWhenShown);
    const auto restart = [this] { m_reloadTimer->start(); };
    connect(m_app, &AppState::activeViewChanged, this, restart);
    connect(m_app, &AppState::currentDateChanged, this, restart);
    // The list reads the window's tasks too: the loader reports their changes.
    m_loader->setWatchedSources(ViewRangeLoader::Sources(ViewRangeLoader::Source::Events)
                                | ViewRangeLoader::Source::Calendars | ViewRangeLoader::Source::FilterRules
                                | ViewRangeLoader::Source::Tasks);
    connect(m_loader, &ViewRangeLoader::sourcesChanged, this, restart);
    auto *minute = new QTimer(this);
    minute->setInterval(60000);
    connect(minute, &QTimer::timeout, this, restart);
    minute->start();
    // The first read waits for the first show: the window paints before it.
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
    // Only remembered for the next start; the store logs a refusal.
    if (!m_modeKey.isEmpty())
        (void)m_app->preferences()->set(m_modeKey, showEmptyDays ? QStringLiteral("agenda") : QStringLiteral("list"));
    Q_EMIT showEmptyDaysChanged(showEmptyDays);
    // The mode only picks which days of the last read show.
    if (m_loaded)
        rebuild();
}

void AgendaListWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_stale)
        reload();
}

void AgendaListWidget::reloadWhenShown()
{
    if (isVisible())
        reload();
    else
        m_stale = true;
}

void AgendaListWidget::reload()
{
    m_reloadTimer->stop();
    m_stale = false;
    const QDateTime now = m_clock();
    const QDate start = AgendaDays::windowStart(m_app->currentDate().isValid() ? m_app->currentDate() : now.date(),
                                                m_app->viewMode(), m_app->firstDayOfWeek());
    // The events are spread over the days beside the read, as of now.
    ViewRangeOptions options;
    options.withTasks = true;
    const int dayCount = m_dayCount;
    options.digest = [start, dayCount, now](ViewRangeData &data) {
        data.digest = QVariant::fromValue(
            AgendaWindow::take(AgendaDays::spread(data.events, data.tasks, start, dayCount, now)));
        // Released, not only emptied: the list is kept until the next read.
        data.events = {};
        data.tasks = {};
    };
    m_loader->setOptions(options);
    m_today = now.date();
    const QDateTime from(start, QTime(0, 0));
    m_loader->request(from, from.addDays(m_dayCount));
}

bool AgendaListWidget::isLoading() const
{
    return !m_loaded || m_loader->isLoading();
}

void AgendaListWidget::apply(const ViewRangeData &data)
{
    m_data = data;
    m_window = data.digest.value<AgendaWindow>();
    m_data.digest.clear();
    m_loaded = true;
    rebuild();
    Q_EMIT reloaded();
}

void AgendaListWidget::rebuild()
{
    m_entries.clear();
    if (!m_data.calendarIds.isEmpty()) {
        for (int d = 0; d < m_window.days.size(); ++d) {
            const AgendaWindow::Day &day = m_window.days.at(d);
            if (day.eventCount == 0 && day.tasks.isEmpty() && !m_showEmptyDays)
                continue;
            m_entries.append({Entry::Header, d, -1});
            for (int i = 0; i < day.eventCount; ++i)
                m_entries.append({Entry::EventRow, d, i});
            for (int i = 0; i < day.tasks.size(); ++i)
                m_entries.append({Entry::TaskRow, d, i});
        }
    }
    m_rows->setRows(
        int(m_entries.size()), [this](int index) { return int(m_entries.at(index).kind); },
        [this](int index, QWidget *parent) { return buildEntry(index, parent); });
    m_stack->setCurrentIndex(m_entries.isEmpty() ? 1 : 0);
}

QWidget *AgendaListWidget::buildEntry(int index, QWidget *parent)
{
    const Entry &entry = m_entries.at(index);
    const AgendaWindow::Day &day = m_window.days.at(entry.day);
    switch (entry.kind) {
    case Entry::Header:
        return makeDayHeader(day.date, m_today, parent);
    case Entry::EventRow:
        return makeEventRow(m_window.events.at(day.firstEvent + entry.item), parent);
    case Entry::TaskRow:
        return makeTaskRow(day.tasks.at(entry.item), parent);
    }
    return nullptr;
}

QWidget *AgendaListWidget::makeEventRow(const Event &event, QWidget *parent)
{
    const bool pending = event.sync_status == SyncStatus::Pending
                         && m_data.pendingMarkCalendarIds.contains(event.calendar_id);
    auto *row = new AgendaEventRow(m_app, event, parent,
                                   AgendaRowColor::resolve(event.color, event.calendar_id, m_data.calendarColors),
                                   pending);
    connect(row, &AgendaEventRow::rowSelected, this,
            [this, event](const QString &, const QRect &rect) { openEventPopover(event, rect); });
    connect(row, &AgendaEventRow::rowActivated, this, &AgendaListWidget::openEventEditor);
    connect(row, &AgendaEventRow::rowContextRequested, this, &AgendaListWidget::showEventContextMenu);
    return row;
}

QWidget *AgendaListWidget::makeTaskRow(const Task &task, QWidget *parent)
{
    auto *row = new AgendaTaskRow(m_app, task, parent,
                                  AgendaRowColor::resolve(task.color, task.calendar_id, m_data.calendarColors));
    connect(row, &AgendaTaskRow::rowSelected, this, &AgendaListWidget::openTaskPopover);
    connect(row, &AgendaTaskRow::rowActivated, this, &AgendaListWidget::openTaskEditor);
    connect(row, &AgendaTaskRow::rowContextRequested, this, &AgendaListWidget::showTaskContextMenu);
    return row;
}

QWidget *AgendaListWidget::makeDayHeader(const QDate &date, const QDate &today, QWidget *parent)
{
    auto *header = new QWidget(parent);
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
    auto *label = new QLabel(headerText(date, today), header);
    label->setObjectName(QStringLiteral("dayTitle"));
    QFont bold = label->font();
    bold.setWeight(QFont::Bold);
    label->setFont(bold);
    layout->addWidget(label);
    layout->addStretch(1);
    return header;
}

QString AgendaListWidget::headerText(const QDate &date, const QDate &today)
{
    if (date == today)
        return tr("Today");
    if (date == today.addDays(1))
        return tr("Tomorrow");
    return QLocale().toString(date, QStringLiteral("ddd MMM d"));
}

QStringList AgendaListWidget::headerTexts() const
{
    QStringList texts;
    for (const Entry &entry : m_entries) {
        if (entry.kind == Entry::Header)
            texts.append(headerText(m_window.days.at(entry.day).date, m_today));
    }
    return texts;
}

int AgendaListWidget::builtRowCount() const
{
    return m_rows->builtCount();
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
    PaneParts::openTaskCard(m_app, taskId, screenRect, this);
}

void AgendaListWidget::openTaskEditor(const QString &taskId)
{
    TaskActions::openEditor(m_app, taskId, this);
}

void AgendaListWidget::showEventContextMenu(const QString &eventId, const QPoint &globalPos)
{
    EventEdits::showContextMenu(m_app, this, eventId, globalPos);
}

void AgendaListWidget::showTaskContextMenu(const QString &taskId, const QPoint &globalPos)
{
    TaskMenuTexts texts;
    texts.edit = tr("Edit…");
    texts.markComplete = tr("Mark Complete");
    texts.markIncomplete = tr("Mark Incomplete");
    texts.remove = tr("Delete");
    texts.deleteTitle = tr("Delete task?");
    texts.deleteQuestion = tr("Delete \"%1\"? This cannot be undone.");
    TaskActions::showMenu(m_app, this, taskId, globalPos, texts);
}
