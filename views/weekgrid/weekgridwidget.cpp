#include "views/weekgrid/weekgridwidget.h"

#include <QContextMenuEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include "app/theme/theme.h"
#include "views/common/eventcolors.h"
#include "views/common/viewdates.h"

#include <algorithm>

WeekGridWidget::WeekGridWidget(QWidget *parent)
    : EventCellsWidget(parent)
    , m_today([] { return QDate::currentDate(); })
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(220, 240);
}

QSize WeekGridWidget::sizeHint() const
{
    return QSize(880, 480);
}

void WeekGridWidget::setContent(const QDate &startDate, const QList<Event> &events,
                                const QHash<QString, QString> &calendarColors, const QSet<QString> &dimmedIds,
                                const QHash<QDate, QString> &weatherLabels)
{
    m_startDate = startDate;
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmedIds = dimmedIds;
    m_weatherLabels = weatherLabels;
    update();
}

void WeekGridWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    update();
}

void WeekGridWidget::setClock(std::function<QDate()> today)
{
    if (today)
        m_today = std::move(today);
    update();
}

int WeekGridWidget::columnsFor(int width)
{
    if (width >= 1760)
        return 8;
    if (width >= 880)
        return 4;
    if (width >= 440)
        return 2;
    return 1;
}

QString WeekGridWidget::lineText(const Event &event)
{
    if (event.title.isEmpty())
        return QString();
    if (event.is_all_day)
        return QStringLiteral("• ") + event.title;
    const QTime time = event.start_time.toLocalTime().time();
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2%3")
               .arg(hour12)
               .arg(time.minute(), 2, 10, QLatin1Char('0'))
               .arg(time.hour() < 12 ? QLatin1Char('a') : QLatin1Char('p'))
           + QStringLiteral("  ") + event.title;
}

void WeekGridWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Theme::canvas());
    m_eventHits.clear();
    m_dayHits.clear();
    m_overflowTexts.clear();
    if (!m_startDate.isValid())
        return;

    const int columns = columnsFor(width());
    const int cellWidth = width() / columns;
    const int rows = (columns + 7) / columns;
    const int rowHeight = std::max(120, height() / rows);

    // Each event in the card of the day it starts on.
    QHash<QDate, QList<const Event *>> buckets;
    for (const Event &event : std::as_const(m_events))
        buckets[ViewDates::startDay(event)].append(&event);
    for (int i = 0; i < 8; ++i) {
        const QDate date = m_startDate.addDays(i);
        QList<const Event *> bucket = buckets.value(date);
        std::stable_sort(bucket.begin(), bucket.end(),
                         [](const Event *a, const Event *b) { return a->start_time < b->start_time; });
        const QRect card((i % columns) * cellWidth + 3, (i / columns) * rowHeight + 3, cellWidth - 6, rowHeight - 6);
        m_dayHits.append({date, card});
        paintCard(painter, card, date, bucket);
    }
}

void WeekGridWidget::paintCard(QPainter &painter, const QRect &card, const QDate &date,
                               const QList<const Event *> &bucket)
{
    const bool today = date == m_today();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::surface());
    painter.drawRoundedRect(card, 10, 10);
    if (today) {
        painter.setPen(QPen(Theme::accent(), 1.6));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(card.adjusted(0, 0, -1, -1), 10, 10);
    }

    const QRect header(card.x() + 10, card.y() + 10, card.width() - 20, 22);
    QFont headerFont = font();
    headerFont.setWeight(QFont::Bold);
    headerFont.setCapitalization(QFont::AllUppercase);
    headerFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    painter.setFont(headerFont);
    painter.setPen(today ? Theme::accent() : Theme::textMuted());
    const QLocale locale;
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("%1 · %2 %3")
                         .arg(locale.toString(date, QStringLiteral("ddd")), locale.toString(date, QStringLiteral("MMM")))
                         .arg(date.day()));
    const QString weather = m_weatherLabels.value(date);
    if (!weather.isEmpty()) {
        painter.setPen(Theme::textPrimary());
        painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, weather);
    }

    QFont body = font();
    if (body.pointSizeF() > 0 && body.pointSizeF() < 9)
        body.setPointSizeF(9);
    painter.setFont(body);
    const QFontMetrics metrics(body);
    const int lineHeight = m_compact ? 18 : 22;
    const int gap = m_compact ? 2 : 3;
    int y = header.bottom() + 1 + 6;
    const int x = card.x() + 10;
    const int w = card.width() - 20;
    const int maxLines = (card.bottom() + 1 + gap - y - 10) / (lineHeight + gap);
    const int n = int(bucket.size());
    const int shown = n <= maxLines ? n : std::max(maxLines - 1, 0);
    for (int k = 0; k < shown; ++k) {
        const Event &event = *bucket.at(k);
        const bool dimmed = m_dimmedIds.contains(event.id);
        QColor fill = EventColors::colorOf(event, m_calendarColors);
        if (dimmed)
            fill.setAlphaF(0.45f);
        const QRect pill(x, y, w, lineHeight);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(pill, 8, 8);
        const double luminance = 0.299 * fill.redF() + 0.587 * fill.greenF() + 0.114 * fill.blueF();
        QColor text = luminance > 0.55 ? QColor(0, 0, 0, 220) : QColor(255, 255, 255, 240);
        if (dimmed)
            text.setAlpha(text.alpha() / 2);
        painter.setPen(text);
        painter.drawText(pill.adjusted(8, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(lineText(event), Qt::ElideRight, w - 12));
        m_eventHits.append({event.id, pill, event.start_time});
        y += lineHeight + gap;
    }
    if (n > maxLines) {
        const QString more = tr("+%n more", nullptr, n - shown);
        m_overflowTexts.insert(date, more);
        painter.setPen(Theme::textMuted());
        painter.drawText(QRect(x, y, w, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, more);
    }
}

void WeekGridWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (selectEventAt(event))
        return;
    const QPoint pos = event->position().toPoint();
    for (const DayHit &day : std::as_const(m_dayHits)) {
        if (day.rect.contains(pos)) {
            event->accept();
            Q_EMIT dayActivated(day.date);
            return;
        }
    }
    Q_EMIT eventSelected(QString(), QDateTime(), QRect());
    QWidget::mouseReleaseEvent(event);
}

