#include "views/month/monthgridwidget.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include "app/timeformatsetting.h"
#include "views/common/calendardrop.h"
#include "views/common/eventcolors.h"
#include "views/common/taskdrop.h"
#include "views/common/viewdates.h"

#include <algorithm>

MonthGridWidget::MonthGridWidget(AppState *appState, QWidget *parent)
    : EventCellsWidget(parent)
    , m_appState(appState)
{
    // Seven readable day columns fit the view area of a 1024-pixel window
    // beside the side panes, and six rows the height of a 700-pixel screen.
    setMinimumSize(7 * MinDayWidth, HeaderHeight + 6 * MinRowHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAcceptDrops(true);
}

QSize MonthGridWidget::sizeHint() const
{
    return QSize(1000, 720);
}

void MonthGridWidget::setContent(const QDate &shownDate, const QList<Event> &events,
                                 const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds,
                                 const QHash<QDate, QString> &weatherLabels)
{
    m_shownDate = shownDate;
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmedIds = dimmedIds;
    m_weatherLabels = weatherLabels;
    update();
}

void MonthGridWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    update();
}

void MonthGridWidget::setFirstDayOfWeek(int day)
{
    if (day == m_firstDayOfWeek)
        return;
    m_firstDayOfWeek = day;
    update();
}

void MonthGridWidget::setIcsImportSink(IcsImportSink sink)
{
    m_icsImportSink = std::move(sink);
}

QDate MonthGridWidget::gridStart() const
{
    return ViewDates::monthGridStart(m_shownDate, Qt::DayOfWeek(std::clamp(m_firstDayOfWeek, 1, 7)));
}

QRect MonthGridWidget::cellRect(int row, int column) const
{
    const int w = width() / 7;
    const int h = (height() - HeaderHeight) / 6;
    return QRect(column * w, HeaderHeight + row * h, w, h);
}

int MonthGridWidget::lineCapacity(const QRect &cell) const
{
    return std::max(0, (cell.bottom() - 4 - (cell.top() + 24)) / lineStep());
}

void MonthGridWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette &pal = palette();
    painter.fillRect(rect(), pal.brush(QPalette::Base));

    const QDate first = gridStart();
    const int w = width() / 7;
    const int h = (height() - HeaderHeight) / 6;
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    painter.setFont(bold);
    painter.setPen(pal.color(QPalette::WindowText));
    for (int i = 0; i < 7; ++i) {
        painter.drawText(QRect(i * w, 0, w, HeaderHeight), Qt::AlignCenter,
                         QLocale().toString(first.addDays(i), QStringLiteral("ddd")));
    }
    painter.setPen(pal.color(QPalette::Mid));
    for (int r = 0; r <= 6; ++r)
        painter.drawLine(0, HeaderHeight + r * h, width(), HeaderHeight + r * h);
    for (int c = 0; c <= 7; ++c)
        painter.drawLine(c * w, HeaderHeight, c * w, HeaderHeight + 6 * h);

    // Each event under its start day, in the loader's order.
    QHash<QDate, QList<const Event *>> byDay;
    const QDate last = first.addDays(41);
    for (const Event &event : std::as_const(m_events)) {
        const QDate day = ViewDates::startDay(event);
        if (day >= first && day <= last)
            byDay[day].append(&event);
    }
    // The loader lists single events before the occurrences of series; a
    // day reads in order of time (all-day events, at midnight, first).
    for (QList<const Event *> &day : byDay) {
        std::stable_sort(day.begin(), day.end(),
                         [](const Event *a, const Event *b) { return a->start_time < b->start_time; });
    }
    m_eventHits.clear();
    m_overflowTexts.clear();
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 7; ++c) {
            const QDate date = first.addDays(7 * r + c);
            paintCell(painter, cellRect(r, c), date, byDay.value(date));
        }
    }
}

void MonthGridWidget::paintCell(QPainter &painter, const QRect &cell, const QDate &date,
                                const QList<const Event *> &events)
{
    const QPalette &pal = palette();
    const bool inMonth = date.month() == m_shownDate.month();
    const bool today = date == QDate::currentDate();
    if (today) {
        QColor tint = pal.color(QPalette::Highlight);
        tint.setAlpha(28);
        painter.fillRect(cell.adjusted(1, 1, -1, -1), tint);
    }
    QColor text = pal.color(QPalette::WindowText);
    const QString number = QString::number(date.day());
    const int numberWidth = QFontMetrics(font()).horizontalAdvance(number);
    QFont numberFont = font();
    if (today)
        numberFont.setWeight(QFont::Bold);
    painter.setFont(numberFont);
    QColor numberColour = text;
    if (!inMonth)
        numberColour.setAlpha(110);
    painter.setPen(numberColour);
    painter.drawText(QRect(cell.right() - numberWidth - 4, cell.top() + 4, numberWidth, 18),
                     Qt::AlignRight | Qt::AlignTop, number);

    const QString weather = m_weatherLabels.value(date);
    if (!weather.isEmpty() && inMonth) {
        QFont weatherFont = font();
        weatherFont.setPointSizeF(std::max(weatherFont.pointSizeF() - 2.0, 7.0));
        painter.setFont(weatherFont);
        QColor weatherColour = text;
        weatherColour.setAlpha(200);
        painter.setPen(weatherColour);
        painter.drawText(QRect(cell.left() + 4, cell.top() + 4,
                               std::max(cell.right() - 10 - numberWidth - (cell.left() + 4), 0), 18),
                         Qt::AlignLeft | Qt::AlignTop, weather);
    }

    const int capacity = lineCapacity(cell);
    const int count = int(events.size());
    const int shown = count <= capacity ? count : std::max(capacity - 1, 0);
    QFont small = font();
    small.setPointSizeF(std::max(small.pointSizeF() - 1, 1.0));
    painter.setFont(small);
    const QFontMetrics metrics(small);
    const QString pattern = TimeFormat::pattern(m_appState);
    for (int k = 0; k < shown; ++k) {
        const Event &event = *events.at(k);
        const QRect chip(cell.left() + 4, cell.top() + 24 + k * lineStep(), cell.width() - 8, chipHeight());
        m_eventHits.append({event.id, chip, event.start_time});
        const bool dimmed = m_dimmedIds.contains(event.id);
        QColor colour = EventColors::colorOf(event, m_calendarColors);
        if (dimmed)
            colour.setAlpha(110);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QPoint(chip.left() + 5, chip.top() + chip.height() / 2), 4, 4);
        QColor lineColour = text;
        if (dimmed)
            lineColour.setAlpha(120);
        else if (!inMonth)
            lineColour.setAlpha(140);
        painter.setPen(lineColour);
        const QString line = event.is_all_day ? event.title
                                              : QLocale().toString(event.start_time.toLocalTime(), pattern)
                                                    + QLatin1Char(' ') + event.title;
        const int textWidth = chip.right() - (chip.left() + 14);
        painter.drawText(QRect(chip.left() + 14, chip.top(), textWidth, chip.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(line, Qt::ElideRight, textWidth));
    }
    if (count > shown && capacity >= 1) {
        const QString more = tr("+%1 more").arg(count - shown);
        m_overflowTexts.insert(date, more);
        painter.setPen(text);
        painter.drawText(QRect(cell.left() + 4, cell.top() + 24 + shown * lineStep(), cell.width() - 8, chipHeight()),
                         Qt::AlignLeft | Qt::AlignVCenter, more);
    }
}

void MonthGridWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (!selectEventAt(event)) {
        QWidget::mouseReleaseEvent(event);
        Q_EMIT eventSelected(QString(), QDateTime(), QRect());
    }
}

void MonthGridWidget::dragEnterEvent(QDragEnterEvent *event)
{
    CalendarDrop::acceptOrIgnore(event);
}

void MonthGridWidget::dragMoveEvent(QDragMoveEvent *event)
{
    CalendarDrop::acceptOrIgnore(event);
}

void MonthGridWidget::dropEvent(QDropEvent *event)
{
    if (CalendarDrop::takeIcsDrop(event, this, m_icsImportSink))
        return;
    const QString taskId = CalendarDrop::taskIdFromMime(event->mimeData());
    const QPoint pos = event->position().toPoint();
    if (taskId.isEmpty() || pos.y() < HeaderHeight || !m_shownDate.isValid()) {
        event->ignore();
        return;
    }
    const int column = std::clamp(pos.x() / std::max(width() / 7, 1), 0, 6);
    const int row = std::clamp((pos.y() - HeaderHeight) / std::max(std::max(height() - HeaderHeight, 1) / 6, 1), 0, 5);
    const QDate date = gridStart().addDays(7 * row + column);
    TaskDrop::handleDrop(m_appState, taskId, QDateTime(date, QTime(12, 0)), true, mapToGlobal(pos), this);
    event->acceptProposedAction();
}
