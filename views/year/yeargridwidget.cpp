#include "views/year/yeargridwidget.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include "app/theme/theme.h"
#include "views/common/eventcolors.h"
#include "views/common/viewdates.h"

#include <algorithm>

namespace {

// A month card's edge: the space around the card, then the card's padding.
constexpr int CardMargin = 8;
constexpr int CardPadding = 14;
// Above the weeks: the month name and the weekday initials.
constexpr int WeeksTop = 46;
// The least a card gets, whatever its fonts measure.
constexpr int MinMonthWidth = 160;
constexpr int MinMonthHeight = 200;

} // namespace

YearGridWidget::YearGridWidget(QWidget *parent)
    : QWidget(parent)
    , m_today([] { return QDate::currentDate(); })
{
    setMinimumSize(MinMonthWidth, 3 * MinMonthHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize YearGridWidget::sizeHint() const
{
    return QSize(1100, 720);
}

void YearGridWidget::setContent(int year, const QHash<QDate, QString> &dotColors, const QSet<QDate> &busyDays)
{
    m_year = year;
    m_dotColors = dotColors;
    m_busyDays = busyDays;
    update();
}

void YearGridWidget::setFirstDayOfWeek(int day)
{
    if (day == m_firstDayOfWeek)
        return;
    m_firstDayOfWeek = day;
    update();
}

void YearGridWidget::setClock(std::function<QDate()> today)
{
    if (today)
        m_today = std::move(today);
    update();
}

QFont YearGridWidget::dayFont() const
{
    QFont dayFont = font();
    dayFont.setPointSizeF(std::max(dayFont.pointSizeF() - 1, 8.0));
    return dayFont;
}

QFont YearGridWidget::initialsFont() const
{
    QFont initials = font();
    initials.setPointSizeF(std::max(initials.pointSizeF() - 2, 7.0));
    return initials;
}

QSize YearGridWidget::minimumMonthSize() const
{
    // Measured in the fonts the card is painted with: a larger font or
    // another language needs wider days.
    const QFontMetrics days(dayFont());
    const QFontMetrics initials(initialsFont());
    // Two neighbouring day numbers stand a digit apart at the least, so
    // they read as two and not as one long number.
    const int gap = days.horizontalAdvance(QLatin1Char('0'));
    int widest = 0;
    for (int day = 1; day <= 31; ++day)
        widest = std::max(widest, days.horizontalAdvance(QString::number(day)));
    const QDate monday(2024, 1, 1);
    for (int i = 0; i < 7; ++i)
        widest = std::max(widest, initials.horizontalAdvance(weekdayInitials(monday.addDays(i))));
    // The six weeks share the inner height less its last pixel row.
    const int edges = 2 * (CardMargin + CardPadding);
    return QSize(std::max(7 * (widest + gap) + edges, MinMonthWidth),
                 std::max(WeeksTop + 6 * days.height() + edges + 1, MinMonthHeight));
}

QString YearGridWidget::weekdayInitials(const QDate &date)
{
    return QLocale().toString(date, QStringLiteral("ddd")).left(2);
}

int YearGridWidget::monthColumns(int width) const
{
    // Rows of four, three, two or one: twelve months fill every row.
    const int monthWidth = minimumMonthSize().width();
    for (int columns : {4, 3, 2})
        if (width >= columns * monthWidth)
            return columns;
    return 1;
}

void YearGridWidget::fitHeight()
{
    // A narrow page stacks the months higher; its scroll area scrolls them.
    const int rows = 12 / monthColumns(width());
    setMinimumHeight(rows * minimumMonthSize().height());
}

void YearGridWidget::resizeEvent(QResizeEvent *event)
{
    fitHeight();
    QWidget::resizeEvent(event);
}

void YearGridWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitHeight();
}

void YearGridWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Theme::canvas());
    m_hitRects.clear();
    if (m_year <= 0)
        return;
    const int columns = monthColumns(width());
    const int w = width() / columns;
    const int h = height() / (12 / columns);
    const QDate today = m_today();
    for (int m = 0; m < 12; ++m)
        paintMonth(painter, m, QRect((m % columns) * w, (m / columns) * h, w, h), today);
}

void YearGridWidget::paintMonth(QPainter &painter, int m, const QRect &outer, const QDate &today)
{
    const QRect card = outer.adjusted(CardMargin, CardMargin, -CardMargin, -CardMargin);
    const bool current = today.year() == m_year && today.month() == m + 1;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::surface());
    painter.drawRoundedRect(card, 12, 12);
    painter.setPen(current ? QPen(Theme::accent(), 1.6) : QPen(Theme::border(), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(card, 12, 12);

    const QRect inner = card.adjusted(CardPadding, CardPadding, -CardPadding, -CardPadding);
    const QDate firstOfMonth(m_year, m + 1, 1);
    QFont title = font();
    title.setPointSizeF(title.pointSizeF() + 2);
    title.setWeight(QFont::Bold);
    painter.setFont(title);
    painter.setPen(current ? Theme::accent() : Theme::textPrimary());
    painter.drawText(QRect(inner.left(), inner.top(), inner.width(), 24), Qt::AlignLeft | Qt::AlignTop,
                     QLocale().toString(firstOfMonth, QStringLiteral("MMMM")));

    const QDate gridStart = ViewDates::weekStart(firstOfMonth, Qt::DayOfWeek(std::clamp(m_firstDayOfWeek, 1, 7)));
    const int top = inner.top() + WeeksTop;
    const int x = inner.width() / 7;
    const int y = (inner.bottom() - top) / 6;
    painter.setFont(initialsFont());
    painter.setPen(Theme::textMuted());
    for (int i = 0; i < 7; ++i) {
        painter.drawText(QRect(inner.left() + i * x, inner.top() + 30, x, 16), Qt::AlignCenter,
                         weekdayInitials(gridStart.addDays(i)));
    }

    painter.setFont(dayFont());
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 7; ++c) {
            const QDate date = gridStart.addDays(7 * r + c);
            const QRect cell(inner.left() + c * x, top + r * y, x, y);
            m_hitRects.append({date, cell});
            const bool inMonth = date.month() == m + 1;
            QColor text = inMonth ? Theme::textPrimary() : Theme::textDisabled();
            if (inMonth && date == today) {
                const int diameter = std::min(x, y) - 4;
                painter.setPen(Qt::NoPen);
                painter.setBrush(Theme::accent());
                painter.drawEllipse(QRectF(cell.center().x() - diameter / 2.0 + 0.5,
                                           cell.center().y() - diameter / 2.0 + 0.5, diameter, diameter));
                text = Qt::white;
            }
            painter.setPen(text);
            painter.drawText(cell.adjusted(0, 1, 0, 0), Qt::AlignCenter, QString::number(date.day()));
            if (inMonth && m_busyDays.contains(date)) {
                QColor dot(m_dotColors.value(date));
                if (!dot.isValid())
                    dot = QColor(QString::fromLatin1(EventColors::Fallback));
                painter.setPen(Qt::NoPen);
                painter.setBrush(dot);
                painter.drawEllipse(QPointF(cell.center().x() + 0.5, cell.bottom() + 1 - 4), 2, 2);
            }
        }
    }
}

void YearGridWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    for (const DayHit &hit : std::as_const(m_hitRects)) {
        if (hit.rect.contains(pos) && hit.date.isValid()) {
            event->accept();
            Q_EMIT dayActivated(hit.date);
            return;
        }
    }
    QWidget::mouseReleaseEvent(event);
}
