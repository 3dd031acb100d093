#include "views/minimonth/minimonthcalendar.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "calendar/eventdays.h"
#include "views/common/viewrangeloader.h"

#include <algorithm>

namespace {

constexpr int GridDays = 42;
constexpr int WheelThreshold = 60;

QDate monthStart(const QDate &date)
{
    return QDate(date.year(), date.month(), 1);
}

} // namespace

MiniMonthCalendar::MiniMonthCalendar(AppState *appState, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_StyledBackground, false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const QDate current = m_appState && m_appState->currentDate().isValid() ? m_appState->currentDate()
                                                                             : QDate::currentDate();
    m_shownMonth = monthStart(current);
    if (m_appState) {
        m_loader = new ViewRangeLoader(m_appState, this);
        // Unlike the views, an unknown group shows every visible calendar here.
        ViewRangeOptions options;
        options.missingGroupShowsVisible = true;
        // The busy days are worked out beside the read, a slice of the
        // grid's occurrences at a time; only they come back.
        options.eachSlice = [](const QList<Event> &slice, ViewRangeData &data) {
            const QDate start = data.from.date();
            QSet<QDate> busy = data.digest.value<QSet<QDate>>();
            busy.unite(busyDaysOf(slice, start, start.addDays(GridDays)));
            data.digest = QVariant::fromValue(busy);
        };
        m_loader->setOptions(options);
        connect(m_loader, &ViewRangeLoader::loaded, this, &MiniMonthCalendar::applyBusyDays);
        connect(m_appState, &AppState::currentDateChanged, this, &MiniMonthCalendar::onCurrentDateChanged);
        connect(m_appState, &AppState::firstDayOfWeekChanged, this, qOverload<>(&QWidget::update));
        // The loader hears of the store's changes first and says when to read.
        m_loader->setWatchedSources(ViewRangeLoader::Sources(ViewRangeLoader::Source::Events)
                                    | ViewRangeLoader::Source::Calendars);
        connect(m_loader, &ViewRangeLoader::sourcesChanged, this, &MiniMonthCalendar::reloadWhenShown);
    }
    // The first read waits for the first show: the window paints before it.
}

void MiniMonthCalendar::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_stale)
        reloadBusyDays();
}

void MiniMonthCalendar::reloadWhenShown()
{
    if (isVisible())
        reloadBusyDays();
    else
        m_stale = true;
}

bool MiniMonthCalendar::isLoading() const
{
    return m_loader && (!m_loaded || m_loader->isLoading());
}

QSize MiniMonthCalendar::sizeHint() const
{
    return QSize(240, 274);
}

QDate MiniMonthCalendar::gridStart(const QDate &monthStart, Qt::DayOfWeek firstDay)
{
    int offset = monthStart.dayOfWeek() - int(firstDay);
    if (offset < 0)
        offset += 7;
    return monthStart.addDays(-offset);
}

QRect MiniMonthCalendar::cellRect(int row, int column, int width)
{
    const int avail = width - 8;
    const int base = avail / 7;
    const int rem = avail - 7 * base;
    const int x = 4 + base * column + std::min(column, rem);
    return QRect(x, 66 + 34 * row, column < rem ? base + 1 : base, 34);
}

int MiniMonthCalendar::wheelStep(const QPoint &angleDelta)
{
    if (angleDelta.y() >= WheelThreshold)
        return -1;
    if (angleDelta.y() <= -WheelThreshold)
        return 1;
    if (angleDelta.x() >= WheelThreshold)
        return 1;
    if (angleDelta.x() <= -WheelThreshold)
        return -1;
    return 0;
}

Qt::DayOfWeek MiniMonthCalendar::firstDay() const
{
    return m_appState ? m_appState->firstDayOfWeek() : QLocale().firstDayOfWeek();
}

QDate MiniMonthCalendar::dayAt(const QPoint &pos) const
{
    const QDate start = gridStart(m_shownMonth, firstDay());
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 7; ++column) {
            if (cellRect(row, column, width()).contains(pos))
                return start.addDays(7 * row + column);
        }
    }
    return QDate();
}

QSet<QDate> MiniMonthCalendar::busyDaysOf(const QList<Event> &events, const QDate &gridStart, const QDate &gridEnd)
{
    QSet<QDate> busy;
    for (const Event &event : events) {
        const auto [first, last] = EventDays::of(event);
        if (!first.isValid() || !last.isValid())
            continue;
        // Walk only the grid's days, however long the event.
        for (QDate day = std::max(first, gridStart); day <= last && day < gridEnd; day = day.addDays(1))
            busy.insert(day);
    }
    return busy;
}

void MiniMonthCalendar::reloadBusyDays()
{
    m_stale = false;
    if (!m_loader)
        return;
    const QDate start = gridStart(m_shownMonth, firstDay());
    m_loader->request(QDateTime(start, QTime(0, 0)), QDateTime(start.addDays(GridDays), QTime(0, 0)));
}

void MiniMonthCalendar::applyBusyDays(const ViewRangeData &data)
{
    m_loaded = true;
    m_busyDays = data.digest.value<QSet<QDate>>();
    update();
    Q_EMIT busyDaysLoaded();
}

void MiniMonthCalendar::onCurrentDateChanged(const QDate &date)
{
    const QDate month = monthStart(date);
    if (month.isValid() && month != m_shownMonth) {
        m_shownMonth = month;
        reloadBusyDays();
    }
    update();
}

void MiniMonthCalendar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const QDate day = dayAt(event->position().toPoint());
        if (day.isValid()) {
            if (m_appState)
                m_appState->setCurrentDate(day);
            event->accept();
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void MiniMonthCalendar::mouseMoveEvent(QMouseEvent *event)
{
    m_hoverPos = event->position().toPoint();
    update();
    QWidget::mouseMoveEvent(event);
}

void MiniMonthCalendar::leaveEvent(QEvent *event)
{
    m_hoverPos = QPoint();
    update();
    QWidget::leaveEvent(event);
}

void MiniMonthCalendar::wheelEvent(QWheelEvent *event)
{
    const int step = wheelStep(event->angleDelta());
    if (step == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    m_shownMonth = m_shownMonth.addMonths(step);
    reloadBusyDays();
    event->accept();
}

void MiniMonthCalendar::paintHeader(QPainter &painter, Qt::DayOfWeek first)
{
    QFont titleFont = font();
    titleFont.setWeight(QFont::Bold);
    titleFont.setPointSize(std::max(titleFont.pointSize() + 1, 11));
    painter.setFont(titleFont);
    painter.setPen(Theme::textPrimary());
    const QLocale locale;
    painter.drawText(QRect(4, 4, width() - 8, 32), Qt::AlignLeft | Qt::AlignVCenter,
                     locale.standaloneMonthName(m_shownMonth.month(), QLocale::LongFormat) + QLatin1Char(' ')
                         + QString::number(m_shownMonth.year()));

    QFont dayFont = font();
    dayFont.setWeight(QFont::Bold);
    dayFont.setPointSize(std::max(dayFont.pointSize() - 2, 8));
    dayFont.setCapitalization(QFont::AllUppercase);
    painter.setFont(dayFont);
    painter.setPen(Theme::textMuted());
    const QRect header(4, 40, width() - 8, 22);
    for (int i = 0; i < 7; ++i) {
        const int weekday = ((int(first) - 1 + i) % 7) + 1;
        const QString label = locale.standaloneDayName(weekday, QLocale::ShortFormat).left(2);
        painter.drawText(QRect(header.left() + (header.width() * i) / 7, header.top(), header.width() / 7,
                               header.height()),
                         Qt::AlignCenter, label);
    }
}

void MiniMonthCalendar::paintCell(QPainter &painter, const QRect &cell, const QDate &date, const QDate &selected,
                                  const QDate &hovered)
{
    const bool inMonth = date.month() == m_shownMonth.month() && date.year() == m_shownMonth.year();
    const bool isSelected = date == selected;
    const bool isToday = date == QDate::currentDate();
    const bool isHover = date == hovered && !isSelected;
    const QRect inner(cell.x(), cell.y(), cell.width(), cell.height() - 8);
    const int size = std::min(inner.width(), inner.height()) - 4;
    const QRect circle(inner.x() + (inner.width() - size) / 2, inner.y() + (inner.height() - size) / 2, size, size);

    QColor numberColor;
    if (isSelected) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::accent());
        painter.drawEllipse(circle);
        numberColor = Qt::white;
    } else {
        if (isHover) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Theme::accentMuted());
            painter.drawEllipse(circle);
        } else if (isToday) {
            painter.setPen(QPen(Theme::accent(), 1.4));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(circle);
        }
        numberColor = !inMonth ? Theme::textDisabled() : (isToday ? Theme::accent() : Theme::textPrimary());
    }
    painter.setPen(numberColor);
    painter.drawText(inner, Qt::AlignCenter, QString::number(date.day()));

    if (m_busyDays.contains(date) && !isSelected) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(inMonth ? Theme::accent() : Theme::textDisabled());
        painter.drawEllipse(QPointF(cell.x() + cell.width() / 2, cell.bottom() - 4), 2, 2);
    }
}

void MiniMonthCalendar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Qt::DayOfWeek first = firstDay();
    paintHeader(painter, first);

    const QDate selected = m_appState ? m_appState->currentDate() : QDate();
    const QDate hovered = m_hoverPos != QPoint(0, 0) ? dayAt(m_hoverPos) : QDate();
    QFont body = font();
    body.setPointSize(std::max(body.pointSize(), 9));
    painter.setFont(body);
    const QDate start = gridStart(m_shownMonth, first);
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 7; ++column)
            paintCell(painter, cellRect(row, column, width()), start.addDays(7 * row + column), selected, hovered);
    }
}
