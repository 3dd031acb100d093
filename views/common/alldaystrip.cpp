#include "views/common/alldaystrip.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

#include "app/theme/theme.h"
#include "calendar/alldaydates.h"
#include "views/common/eventcolors.h"
#include "views/common/wordfit.h"

#include <algorithm>

namespace {

constexpr int LaneHeight = 22;
constexpr int BarHeight = 20;
constexpr int VisibleLanes = 3;
constexpr int ChipTop = 48;

bool overlaps(const AllDayStrip::Lane &a, const AllDayStrip::Lane &b)
{
    return a.endCol >= b.startCol && a.startCol <= b.endCol;
}

} // namespace

AllDayStrip::AllDayStrip(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(28);
}

QList<AllDayStrip::Lane> AllDayStrip::layoutLanes(const QList<Event> &events, const QDate &rangeStart, int dayCount)
{
    QList<Lane> records;
    for (qsizetype i = 0; i < events.size(); ++i) {
        const Event &event = events.at(i);
        if (!event.is_all_day)
            continue;
        Lane record;
        record.eventId = event.id;
        record.eventIndex = i;
        record.startCol = int(rangeStart.daysTo(AllDayDates::firstDay(event)));
        record.endCol = int(rangeStart.daysTo(AllDayDates::lastDay(event)));
        if (record.endCol < 0 || record.startCol > dayCount - 1)
            continue;
        record.startCol = std::max(record.startCol, 0);
        record.endCol = std::min(record.endCol, dayCount - 1);
        records.append(record);
    }
    std::sort(records.begin(), records.end(), [](const Lane &a, const Lane &b) {
        return a.startCol != b.startCol ? a.startCol < b.startCol : a.endCol > b.endCol;
    });

    QList<QList<const Lane *>> occupied;
    for (Lane &record : records) {
        int lane = 0;
        for (; lane < occupied.size(); ++lane) {
            const QList<const Lane *> &taken = occupied.at(lane);
            const bool conflict = std::any_of(taken.cbegin(), taken.cend(),
                                              [&record](const Lane *other) { return overlaps(*other, record); });
            if (!conflict)
                break;
        }
        if (lane == occupied.size())
            occupied.append(QList<const Lane *>());
        record.lane = lane;
        occupied[lane].append(&record);
    }
    return records;
}

void AllDayStrip::setEvents(int labelWidth, const QDate &rangeStart, int dayCount, const QList<Event> &events,
                            const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds)
{
    m_labelWidth = labelWidth;
    m_rangeStart = rangeStart;
    m_dayCount = std::max(dayCount, 1);
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmedIds = dimmedIds;
    m_lanes = layoutLanes(m_events, m_rangeStart, m_dayCount);
    m_laneCount = 0;
    for (const Lane &lane : std::as_const(m_lanes))
        m_laneCount = std::max(m_laneCount, lane.lane + 1);
    updateGeometry();
    update();
}

void AllDayStrip::followScrollBar(QScrollBar *bar)
{
    if (m_scrollBar)
        m_scrollBar->removeEventFilter(this);
    m_scrollBar = bar;
    if (bar)
        bar->installEventFilter(this);
    m_rightInset = bar && bar->isVisibleTo(bar->window()) ? bar->width() : 0;
    update();
}

bool AllDayStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scrollBar) {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || type == QEvent::Hide || type == QEvent::Resize) {
            const int inset = m_scrollBar->isVisibleTo(m_scrollBar->window()) ? m_scrollBar->width() : 0;
            if (inset != m_rightInset) {
                m_rightInset = inset;
                update();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QSize AllDayStrip::sizeHint() const
{
    const int lanes = std::max(m_laneCount, 1);
    if (m_expanded && m_laneCount > VisibleLanes)
        return QSize(1, 20 + lanes * LaneHeight);
    return QSize(1, 6 + std::min(lanes, VisibleLanes) * LaneHeight);
}

QFont AllDayStrip::gutterLabelFont(const QFont &widgetFont, const QString &label, int width)
{
    QFont font = widgetFont;
    font.setPointSizeF(std::max(widgetFont.pointSizeF() - 2, 7.0));
    return fitWordsToWidth(font, label, width, 5.5);
}

void AllDayStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette &pal = palette();
    painter.fillRect(rect(), pal.brush(QPalette::Base));
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawLine(0, height() - 1, width(), height() - 1);

    const QString label = tr("all-day");
    painter.setFont(gutterLabelFont(font(), label, m_labelWidth));
    // The line colour is too faint to read as text; the label takes the
    // muted text colour. A label of several words wraps in the gutter.
    painter.setPen(Theme::textMuted());
    painter.drawText(QRect(0, 0, m_labelWidth, height()), Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap, label);

    QFont barFont = font();
    barFont.setWeight(QFont::Bold);
    barFont.setPointSize(std::max(barFont.pointSize() - 1, 8));
    painter.setFont(barFont);
    const int colWidth = std::max(width() - m_labelWidth - m_rightInset, 0) / m_dayCount;
    const bool collapsed = isCollapsed();

    QList<int> hidden(m_dayCount, 0);
    QList<HitRect> hits;
    hits.reserve(m_lanes.size());
    for (const Lane &lane : std::as_const(m_lanes)) {
        if (lane.eventIndex < 0 || lane.eventIndex >= m_events.size())
            continue;
        if (collapsed && lane.lane >= 2) {
            for (int day = std::max(lane.startCol, 0); day <= std::min(lane.endCol, m_dayCount - 1); ++day)
                ++hidden[day];
            continue;
        }
        const QRect bar(m_labelWidth + 2 + lane.startCol * colWidth, lane.lane * LaneHeight + 4,
                        (lane.endCol - lane.startCol + 1) * colWidth - 4, BarHeight);
        hits.append({lane.eventId, bar});
        paintBar(painter, m_events.at(lane.eventIndex), bar);
    }
    paintCollapseBar(painter);
    m_moreRects.clear();
    if (collapsed)
        paintChips(painter, hidden, colWidth);
    m_hitRects = hits;
}

void AllDayStrip::paintBar(QPainter &painter, const Event &event, const QRect &rect)
{
    const QColor colour = EventColors::colorOf(event, m_calendarColors);
    const bool dimmed = m_dimmedIds.contains(event.id);
    QColor fill = colour;
    fill.setAlpha(dimmed ? 30 : 90);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(rect, 4.0, 4.0);

    const QColor windowText = palette().color(QPalette::WindowText);
    QColor text = colour.darker(180);
    if (text.lightness() > windowText.lightness() + 40 || text.lightness() < 100)
        text = windowText;
    if (dimmed)
        text.setAlpha(140);
    painter.setPen(text);
    const QString title = painter.fontMetrics().elidedText(event.title, Qt::ElideRight, rect.width() - 12);
    painter.drawText(rect.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, title);
}

void AllDayStrip::paintCollapseBar(QPainter &painter)
{
    m_collapseRect = QRect();
    if (!m_expanded || m_laneCount < 4)
        return;
    m_collapseRect = QRect(0, height() - 14, width(), 14);
    QColor fill = palette().color(QPalette::Mid);
    fill.setAlpha(50);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRect(m_collapseRect);
    QPen chevron(palette().color(QPalette::WindowText), 1.6);
    chevron.setCapStyle(Qt::RoundCap);
    chevron.setJoinStyle(Qt::RoundJoin);
    painter.setPen(chevron);
    painter.setBrush(Qt::NoBrush);
    const QPointF c = QRectF(m_collapseRect).center();
    const QPointF points[] = {{c.x() - 5, c.y() + 2}, {c.x(), c.y() - 3}, {c.x() + 5, c.y() + 2}};
    painter.drawPolyline(points, 3);
}

void AllDayStrip::paintChips(QPainter &painter, const QList<int> &hidden, int colWidth)
{
    QFont chipFont = font();
    chipFont.setPointSize(std::max(chipFont.pointSize() - 1, 8));
    painter.setFont(chipFont);
    QColor fill = palette().color(QPalette::Mid);
    fill.setAlpha(80);
    for (int day = 0; day < m_dayCount; ++day) {
        if (hidden.at(day) < 1)
            continue;
        const QRect chip(m_labelWidth + 2 + day * colWidth, ChipTop, colWidth - 4, BarHeight);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(chip, 4.0, 4.0);
        painter.setPen(palette().color(QPalette::WindowText));
        const QString text =
            painter.fontMetrics().elidedText(tr("+%1 more").arg(hidden.at(day)), Qt::ElideRight, chip.width() - 12);
        painter.drawText(chip.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        m_moreRects.append(chip);
    }
}

const AllDayStrip::HitRect *AllDayStrip::barAt(const QPoint &pos) const
{
    for (auto it = m_hitRects.crbegin(); it != m_hitRects.crend(); ++it) {
        if (it->rect.contains(pos))
            return &*it;
    }
    return nullptr;
}

void AllDayStrip::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const bool onCollapse = !m_collapseRect.isNull() && m_collapseRect.contains(pos);
    const bool onChip = std::any_of(m_moreRects.cbegin(), m_moreRects.cend(),
                                    [&pos](const QRect &chip) { return chip.contains(pos); });
    if (onCollapse || onChip) {
        m_expanded = onCollapse ? false : !m_expanded;
        updateGeometry();
        update();
        event->accept();
        return;
    }
    // The bar under the pointer anchors the popover, not another bar of the
    // same series.
    if (const HitRect *hit = barAt(pos)) {
        const QString id = hit->eventId;
        const QRect screenRect(mapToGlobal(hit->rect.topLeft()), hit->rect.size());
        Q_EMIT eventSelected(id, screenRect);
        event->accept();
        return;
    }
    Q_EMIT eventSelected(QString(), QRect());
    QWidget::mouseReleaseEvent(event);
}

void AllDayStrip::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (const HitRect *hit = barAt(event->position().toPoint())) {
            Q_EMIT eventActivated(hit->eventId);
            event->accept();
            return;
        }
    }
    QWidget::mouseDoubleClickEvent(event);
}

void AllDayStrip::contextMenuEvent(QContextMenuEvent *event)
{
    if (const HitRect *hit = barAt(event->pos())) {
        Q_EMIT eventContextRequested(hit->eventId, event->globalPos());
        event->accept();
        return;
    }
    QWidget::contextMenuEvent(event);
}
