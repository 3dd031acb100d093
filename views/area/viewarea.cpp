#include "views/area/viewarea.h"

#include <QActionGroup>
#include <QApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/appstate.h"
#include "app/calendargroupname.h"
#include "app/theme/theme.h"
#include "dialogs/editing/confirmbox.h"
#include "services/weatherservice.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "store/viewrepository.h"
#include "views/area/calendargroups.h"
#include "views/area/elidinglabel.h"
#include "views/area/viewmodes.h"
#include "views/common/pagereloader.h"
#include "views/common/viewrange.h"
#include "views/common/viewrangeloader.h"
#include "views/day/dayview.h"
#include "views/month/monthview.h"
#include "views/week/weekview.h"
#include "views/weekgrid/weekgridview.h"
#include "views/year/yearview.h"
#include "store/preferencekeys.h"

namespace {

const char AllCalendarsId[] = "all-calendars";
constexpr char16_t DropDownGlyph = 0xE5C5;
const int HorizonSpans[] = {3, 5, 7, 10, 14};
// How long an area out of sight waits to be shown before it reads the count
// of hidden events on its own.
constexpr int HiddenCountWaitMs = 250;
constexpr int GroupChipTextWidth = 160;

// The mode keys in the order of the buttons' creation.
const char *const ModeKeys[] = {"day", "week", "days", "month", "year", "grid"};

QToolButton *toolButton(const QString &text, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setAutoRaise(true);
    return button;
}

} // namespace

ViewArea::ViewArea(AppState *state, QWidget *parent)
    : QWidget(parent)
    , m_appState(state)
    , m_clock(systemViewClock())
{
    buildHeader();
    buildPages();
    // The count is read off the GUI thread like the pages' events.
    m_countLoader = new ViewRangeLoader(m_appState, this);
    connect(m_countLoader, &ViewRangeLoader::loaded, this, [this](const ViewRangeData &data) {
        if (m_countByLoader)
            m_appState->setFilterHiddenCount(data.hiddenCount);
    });
    // Decided a turn later, when the page in sight has asked for its range;
    // out of sight, a moment later (see showEvent).
    m_countTimer = new QTimer(this);
    m_countTimer->setSingleShot(true);
    connect(m_countTimer, &QTimer::timeout, this, &ViewArea::countNow);
    const QDate date = m_appState->currentDate().isValid() ? m_appState->currentDate() : m_clock().date();
    m_dayView->setDate(date);
    m_weekView->refresh(date);
    m_daysView->refresh(date);
    m_monthView->setDate(date);
    m_yearView->setDate(date);
    setViewMode(m_appState->viewMode());
    updateTitle();
    connectSignals();
    rebuildGroupMenu();
    installShortcuts();
    updateFilterHiddenCount();
    qApp->installEventFilter(this);
}

void ViewArea::buildHeader()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("viewAreaHeader"));
    header->setAutoFillBackground(true);
    layout->addWidget(header);
    auto *headerLayout = new QVBoxLayout(header);
    headerLayout->setContentsMargins(12, 6, 12, 6);
    headerLayout->setSpacing(4);
    auto *rowOne = new QHBoxLayout;
    auto *rowTwo = new QHBoxLayout;
    for (QHBoxLayout *row : {rowOne, rowTwo}) {
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(8);
        headerLayout->addLayout(row);
    }

    const QStringList texts = {tr("Day"), tr("Week"), tr("Days"), tr("Month"), tr("Year"), tr("Grid")};
    for (int i = 0; i < texts.size(); ++i) {
        QToolButton *button = toolButton(texts.at(i), header);
        button->setCheckable(true);
        button->setObjectName(QStringLiteral("mode_") + QLatin1String(ModeKeys[i]));
        // Narrower than other tool buttons, so the row fits beside the
        // side panes of a 1024-pixel window in every language.
        button->setStyleSheet(QStringLiteral("QToolButton { padding-left: 6px; padding-right: 6px; }"));
        m_modeButtons.append(button);
    }
    m_previous = toolButton(QStringLiteral("◀"), header);
    m_today = toolButton(tr("Today"), header);
    m_next = toolButton(QStringLiteral("▶"), header);

    m_horizonChip = new QToolButton(header);
    m_horizonChip->setObjectName(QStringLiteral("horizonChip"));
    m_horizonChip->setPopupMode(QToolButton::InstantPopup);
    m_horizonChip->setAutoRaise(true);
    m_horizonChip->setCursor(Qt::PointingHandCursor);
    m_horizonChip->setToolTip(tr("Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days"));
    m_horizonChip->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_horizonChip->setLayoutDirection(Qt::RightToLeft);
    m_horizonChip->setIcon(Theme::tintedIcon(QChar(DropDownGlyph), 14, palette().color(QPalette::WindowText)));
    m_horizonChip->setStyleSheet(
        QStringLiteral("QToolButton#horizonChip::menu-indicator { image: none; width: 0; }"
                       "QToolButton#horizonChip {  border: 1px solid %1; padding: 4px 10px;}"
                       "QToolButton#horizonChip:hover { border-color: %2; }")
            .arg(Theme::border().name(), Theme::borderStrong().name()));
    auto *horizonMenu = new QMenu(m_horizonChip);
    for (int span : HorizonSpans) {
        QAction *action = horizonMenu->addAction(tr("%n days", nullptr, span));
        action->setCheckable(true);
        action->setData(span);
        connect(action, &QAction::triggered, this, [this, span] { m_appState->setWeekHorizon(span); });
    }
    m_horizonChip->setMenu(horizonMenu);
    // Hidden outside "days", the chip keeps its room: the mode buttons stay
    // under the pointer and the row asks for one width in every mode.
    QSizePolicy chipPolicy = m_horizonChip->sizePolicy();
    chipPolicy.setRetainSizeWhenHidden(true);
    m_horizonChip->setSizePolicy(chipPolicy);

    m_groupChip = new QToolButton(header);
    m_groupChip->setObjectName(QStringLiteral("groupChip"));
    m_groupChip->setPopupMode(QToolButton::InstantPopup);
    m_groupChip->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_groupChip->setAutoRaise(true);
    m_groupChip->setCursor(Qt::PointingHandCursor);
    // The chip is a menu by its look; the arrow Qt adds below it is noise.
    m_groupChip->setStyleSheet(QStringLiteral("QToolButton#groupChip::menu-indicator { image: none; width: 0; }"));
    QFont chipFont = m_groupChip->font();
    chipFont.setPointSizeF(chipFont.pointSizeF() + 1);
    chipFont.setWeight(QFont::Bold);
    m_groupChip->setFont(chipFont);

    // A long day title is shortened rather than hold a 1024-pixel window
    // wider or wrap onto lines that push the mode buttons down.
    m_title = new ElidingLabel(header);
    m_title->setObjectName(QStringLiteral("viewTitle"));
    QFont titleFont = m_title->font();
    titleFont.setWeight(QFont::Bold);
    titleFont.setPointSizeF(titleFont.pointSizeF() + 1);
    m_title->setFont(titleFont);

    rowOne->addWidget(m_previous);
    rowOne->addWidget(m_today);
    rowOne->addWidget(m_next);
    rowOne->addSpacing(12);
    rowOne->addWidget(m_title);
    rowOne->addStretch(1);
    rowOne->addWidget(m_groupChip);
    rowTwo->addStretch();
    for (const char *key : {"day", "days"})
        rowTwo->addWidget(modeButton(QLatin1String(key)));
    rowTwo->addWidget(m_horizonChip);
    for (const char *key : {"week", "grid", "month", "year"})
        rowTwo->addWidget(modeButton(QLatin1String(key)));
    rowTwo->addStretch();
}

void ViewArea::buildPages()
{
    m_stack = new QStackedWidget(this);
    // The month and year grids ask for room a small window does not have;
    // they are clipped there rather than holding the window larger.
    m_stack->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    static_cast<QVBoxLayout *>(layout())->addWidget(m_stack, 1);
    // No page reads before it is first shown.
    const PageReloader::DeferNewPages deferLoads;
    m_dayView = new DayView(m_appState, m_stack);
    m_weekView = new WeekView(m_appState, true, m_stack);
    m_daysView = new WeekView(m_appState, false, m_stack);
    m_gridView = new WeekGridView(m_appState, m_stack);
    m_monthView = new MonthView(m_appState, m_stack);
    m_yearView = new YearView(m_appState, m_stack);
    for (QWidget *page : std::initializer_list<QWidget *>{m_dayView, m_weekView, m_daysView, m_gridView, m_monthView,
                                                          m_yearView}) {
        m_stack->addWidget(page);
        // A page out of sight reloads when it is shown next, not on every
        // change of the store.
        if (auto *reloader = page->findChild<PageReloader *>(QString(), Qt::FindDirectChildrenOnly))
            reloader->setDeferWhileHidden(true);
        if (auto *loader = page->findChild<ViewRangeLoader *>(QString(), Qt::FindDirectChildrenOnly)) {
            connect(loader, &ViewRangeLoader::loaded, this, [this, loader](const ViewRangeData &data) {
                notePageLoaded(loader, data.from, data.to, data.hiddenCount);
            });
        }
    }
}

QToolButton *ViewArea::modeButton(const QString &mode) const
{
    for (int i = 0; i < m_modeButtons.size(); ++i) {
        if (mode == QLatin1String(ModeKeys[i]))
            return m_modeButtons.at(i);
    }
    return nullptr;
}

void ViewArea::setGroupFormRunner(GroupFormRunner runner)
{
    m_groupFormRunner = std::move(runner);
    rebuildGroupMenu();
}

void ViewArea::setIcsImportSink(IcsImportSink sink)
{
    m_dayView->setIcsImportSink(sink);
    m_weekView->setIcsImportSink(sink);
    m_daysView->setIcsImportSink(sink);
    m_monthView->setIcsImportSink(sink);
}

void ViewArea::setClock(ViewClock clock)
{
    m_clock = clock ? std::move(clock) : systemViewClock();
    m_dayView->setClock(m_clock);
    m_weekView->setClock(m_clock);
    m_daysView->setClock(m_clock);
    updateTitle();
}

void ViewArea::connectSignals()
{
    connect(m_appState, &AppState::currentDateChanged, this, &ViewArea::onCurrentDateChanged);
    connect(m_appState, &AppState::viewModeChanged, this, &ViewArea::setViewMode);
    connect(m_appState, &AppState::weekHorizonChanged, this, [this] {
        updateTitle();
        updateFilterHiddenCount();
    });
    connect(m_appState, &AppState::activeViewChanged, this, [this] {
        rebuildGroupMenu();
        updateFilterHiddenCount();
    });
    connect(m_appState, &AppState::firstDayOfWeekChanged, this, [this] {
        updateTitle();
        updateFilterHiddenCount();
    });
    connect(m_appState->views(), &ViewRepository::viewsChanged, this, &ViewArea::rebuildGroupMenu);
    connect(m_appState->events(), &EventRepository::eventsChanged, this, &ViewArea::updateFilterHiddenCount);
    connect(m_appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
            &ViewArea::updateFilterHiddenCount);
    connect(m_appState->calendars(), &CalendarRepository::calendarsChanged, this, &ViewArea::updateFilterHiddenCount);
    if (m_appState->weather())
        connect(m_appState->weather(), &Weather::Service::forecastRefreshed, this, &ViewArea::updateTitle);
    for (int i = 0; i < m_modeButtons.size(); ++i) {
        const QString key = QLatin1String(ModeKeys[i]);
        connect(m_modeButtons.at(i), &QToolButton::clicked, this, [this, key] { setViewMode(key); });
    }
    connect(m_previous, &QToolButton::clicked, this, [this] { navigate(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { navigate(1); });
    connect(m_today, &QToolButton::clicked, this, [this] { m_appState->setCurrentDate(m_clock().date()); });
    const auto openDay = [this](const QDate &date) { m_appState->navigateTo(QStringLiteral("day"), date); };
    connect(m_yearView, &YearView::dayActivated, this, openDay);
    connect(m_gridView, &WeekGridView::dayActivated, this, openDay);
}

void ViewArea::setViewMode(const QString &requested)
{
    const QString mode = ViewModes::normalize(requested);
    m_mode = mode;
    for (int i = 0; i < m_modeButtons.size(); ++i)
        m_modeButtons.at(i)->setChecked(mode == QLatin1String(ModeKeys[i]));
    const int page = ViewModes::pageOf(mode);
    if (page >= 0)
        m_stack->setCurrentIndex(page);
    m_previous->setVisible(true);
    m_today->setVisible(true);
    m_next->setVisible(true);
    m_title->setVisible(true);
    m_horizonChip->setVisible(mode == QLatin1String("days"));
    updateTitle();
    updateFilterHiddenCount();
    m_appState->setViewMode(mode);
}

void ViewArea::navigate(int step)
{
    const bool control = QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
    m_appState->setCurrentDate(
        ViewModes::step(m_mode, m_appState->currentDate(), step, control, m_appState->weekHorizon()));
}

void ViewArea::moveDate(qint64 days, int months)
{
    m_appState->setCurrentDate(m_appState->currentDate().addDays(days).addMonths(months));
}

void ViewArea::onCurrentDateChanged(const QDate &date)
{
    m_dayView->setDate(date);
    m_weekView->refresh(date);
    m_daysView->refresh(date);
    m_monthView->setDate(date);
    m_yearView->setDate(date);
    updateTitle();
    updateFilterHiddenCount();
}

QString ViewArea::weatherSuffix(const QDate &date) const
{
    Weather::Service *weather = m_appState->weather();
    if (!weather || !weather->isEnabled())
        return QString();
    const std::optional<DayForecast> forecast = weather->forecastFor(date);
    if (!forecast)
        return QString();
    const QString unit = m_appState->preferences()->getString(QLatin1String(PreferenceKeys::WeatherUnit), QStringLiteral("F"));
    return QStringLiteral("  ·  ") + Weather::Service::dayLabel(*forecast, unit);
}

QString ViewArea::title() const
{
    return m_title->fullText();
}

void ViewArea::updateTitle()
{
    const QDate date = m_appState->currentDate();
    const int horizon = m_appState->weekHorizon();
    const bool dayLike = ViewModes::pageOf(m_mode) <= 0;
    m_title->setFullText(ViewModes::title(m_mode, date, m_appState->firstDayOfWeek(), horizon, m_clock().date(),
                                          dayLike ? weatherSuffix(date) : QString()));
    // Kept up to date while hidden too: the chip holds its room in every
    // mode, and a text that changed as it showed would move the buttons.
    m_horizonChip->setText(tr("%1d").arg(horizon));
    for (QAction *action : m_horizonChip->menu()->actions())
        action->setChecked(action->data().toInt() == horizon);
}

void ViewArea::updateFilterHiddenCount()
{
    if (!m_appState)
        return;
    const ViewModes::Span span = ViewModes::countedRange(m_mode, m_appState->currentDate(),
                                                         m_appState->firstDayOfWeek(), m_appState->weekHorizon());
    m_countFrom = QDateTime(span.start, QTime(0, 0));
    m_countTo = QDateTime(span.start.addDays(span.days), QTime(0, 0));
    m_countTimer->start(isVisible() ? 0 : HiddenCountWaitMs);
}

void ViewArea::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window is built out of sight and shown a few turns later: its
    // page reads now, and the count waiting for a moment comes from it.
    if (m_countTimer->isActive())
        m_countTimer->start(0);
}

void ViewArea::countNow()
{
    QWidget *page = m_stack->currentWidget();
    const ViewRangeLoader *loader =
        page ? page->findChild<ViewRangeLoader *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    m_countPage = nullptr;
    // A page in sight reloads on every change the count depends on, so its
    // read of the same range, under way or done, holds the count.
    if (loader && page->isVisible() && loader->from() == m_countFrom && loader->to() == m_countTo) {
        m_countByLoader = false;
        const auto last = m_pageCounts.constFind(loader);
        if (loader->isLoading() || last == m_pageCounts.constEnd() || last->from != m_countFrom
            || last->to != m_countTo) {
            m_countPage = loader;
            return;
        }
        m_appState->setFilterHiddenCount(last->hidden);
        return;
    }
    // With no live group the loader reads no events and counts nothing.
    m_countByLoader = true;
    m_countLoader->request(m_countFrom, m_countTo);
}

void ViewArea::notePageLoaded(const ViewRangeLoader *loader, const QDateTime &from, const QDateTime &to, int hidden)
{
    m_pageCounts.insert(loader, {from, to, hidden});
    if (loader == m_countPage && from == m_countFrom && to == m_countTo) {
        m_countPage = nullptr;
        m_appState->setFilterHiddenCount(hidden);
    }
}

bool ViewArea::isCounting() const
{
    return m_countTimer->isActive() || (m_countPage && m_countPage->isLoading())
           || (m_countByLoader && m_countLoader->isLoading());
}

void ViewArea::rebuildGroupMenu()
{
    if (!m_groupChip)
        return;
    const QList<CalendarView> groups = m_appState->views()->getAll();
    const QString activeId = m_appState->activeViewId();
    QString chipText = CalendarGroupName::builtIn();
    QString chipColour;
    for (const CalendarView &group : groups) {
        if (group.id == activeId) {
            chipText = CalendarGroupName::shown(group);
            chipColour = group.color;
            break;
        }
    }
    // A long group name is shortened rather than hold the window wider.
    const QString shown = m_groupChip->fontMetrics().elidedText(chipText, Qt::ElideRight, GroupChipTextWidth);
    m_groupChip->setText(shown);
    m_groupChip->setToolTip(shown == chipText ? QString() : chipText);
    m_groupChip->setIcon(Theme::colorDotIcon(chipColour));

    auto *menu = new QMenu(m_groupChip);
    for (const CalendarView &group : groups) {
        QAction *action = menu->addAction(CalendarGroupName::shown(group));
        action->setCheckable(true);
        action->setChecked(group.id == activeId);
        if (!group.color.isEmpty())
            action->setIcon(Theme::colorDotIcon(group.color));
        const QString id = group.id;
        connect(action, &QAction::triggered, this, [this, id] { m_appState->setActiveViewId(id); });
    }
    if (!groups.isEmpty())
        menu->addSeparator();
    QAction *add = menu->addAction(tr("Add Calendar Group…"));
    add->setEnabled(bool(m_groupFormRunner));
    connect(add, &QAction::triggered, this, [this] {
        const QString id = m_groupFormRunner ? m_groupFormRunner(m_appState, std::nullopt, this) : QString();
        if (!id.isEmpty())
            m_appState->setActiveViewId(id);
    });
    const std::optional<CalendarView> active = m_appState->views()->getById(activeId);
    if (active && !active->deleted_at) {
        QAction *edit = menu->addAction(tr("Edit Current Group…"));
        edit->setEnabled(bool(m_groupFormRunner));
        const CalendarView copy = *active;
        connect(edit, &QAction::triggered, this, [this, copy] {
            if (m_groupFormRunner)
                m_groupFormRunner(m_appState, copy, this);
        });
        if (activeId != QLatin1String(AllCalendarsId)) {
            QAction *remove = menu->addAction(tr("Delete Current Group"));
            connect(remove, &QAction::triggered, this, [this, copy] { deleteCurrentGroup(copy.id, copy.name); });
        }
    }
    QMenu *old = m_groupChip->menu();
    m_groupChip->setMenu(menu);
    if (old)
        old->deleteLater();
}

void ViewArea::deleteCurrentGroup(const QString &id, const QString &name)
{
    if (!confirmed(this, tr("Delete group?"), tr("Delete \"%1\"? You can recreate it later.").arg(name)))
        return;
    if (!m_appState->views()->remove(id)) {
        QMessageBox::critical(this, tr("Database Error"), tr("Could not delete the group."));
        return;
    }
    if (m_appState->activeViewId() == id)
        m_appState->setActiveViewId(QString::fromLatin1(AllCalendarsId));
}

void ViewArea::installShortcuts()
{
    const auto bind = [this](const QKeySequence &keys, auto action) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    bind(QKeySequence(Qt::Key_T), [this] { m_appState->setCurrentDate(m_clock().date()); });
    bind(QKeySequence(Qt::Key_J), [this] { navigate(1); });
    bind(QKeySequence(Qt::Key_K), [this] { navigate(-1); });
    bind(QKeySequence(Qt::Key_H), [this] { moveDate(-7); });
    bind(QKeySequence(Qt::Key_L), [this] { moveDate(7); });
    bind(QKeySequence(Qt::SHIFT | Qt::Key_K), [this] { moveDate(0, -1); });
    bind(QKeySequence(Qt::SHIFT | Qt::Key_J), [this] { moveDate(0, 1); });
    const char *const digitModes[] = {"day", "days", "week", "grid", "month", "year"};
    for (int i = 0; i < 6; ++i) {
        const QString mode = QLatin1String(digitModes[i]);
        bind(QKeySequence(Qt::Key_1 + i), [this, mode] { setViewMode(mode); });
    }
    for (int i = 0; i < 5; ++i) {
        const int span = HorizonSpans[i];
        bind(QKeySequence(Qt::CTRL | Qt::SHIFT | (Qt::Key_1 + i)), [this, span] {
            m_appState->setWeekHorizon(span);
            setViewMode(QStringLiteral("days"));
        });
    }
    // Calendar groups by position and in turn.
    for (int position = 1; position <= 9; ++position)
        bind(QKeySequence(Qt::CTRL | (Qt::Key_0 + position)), [this, position] {
            CalendarGroups::selectAt(m_appState, position);
        });
    bind(QKeySequence(Qt::CTRL | Qt::Key_BracketRight), [this] { CalendarGroups::cycle(m_appState, 1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), [this] { CalendarGroups::cycle(m_appState, -1); });
}

bool ViewArea::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return QWidget::eventFilter(watched, event);
    const auto *wheel = static_cast<QWheelEvent *>(event);
    if (!WheelAccumulator::takes(wheel->angleDelta()))
        return false;
    const int steps = m_wheel.add(wheel->angleDelta().x());
    for (int i = 0; i < std::abs(steps); ++i)
        navigate(steps > 0 ? 1 : -1);
    return true;
}
