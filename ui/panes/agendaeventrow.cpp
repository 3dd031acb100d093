#include "ui/panes/agendaeventrow.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "ui/panes/agendarowcolor.h"
#include "views/common/wordfit.h"

#include <algorithm>

namespace {

constexpr char16_t PendingGlyph = 0xE2C3;
constexpr char16_t BellGlyph = 0xE7F4;

QLabel *glyphLabel(char16_t glyph, QWidget *parent)
{
    auto *label = new QLabel(QString(QChar(glyph)), parent);
    QFont font(Theme::fontFamily());
    font.setPixelSize(14);
    label->setFont(font);
    label->setProperty("muted", true);
    label->setFixedWidth(16);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QFont smallerFont(const QFont &base)
{
    QFont font = base;
    font.setPointSize(std::max(font.pointSize() - 1, 8));
    return font;
}

// Every row shares one width of time column. A label longer than that (the
// all-day word in some languages) wraps at its blanks, and a word still too
// wide is drawn smaller, down to a floor, rather than cut off.
void fitToColumn(QLabel *label, int width)
{
    label->setWordWrap(true);
    label->setFont(fitWordsToWidth(label->font(), label->text(), width, 6.5));
}

// The column is at least wide enough for the longest time of day the
// interface language writes ("10:00 午前", "10:00 p. m.").
int timeColumnWidth(const QFont &font, const QString &pattern)
{
    const QFontMetrics metrics(font);
    const QLocale locale;
    int widest = 0;
    for (const QTime &time : {QTime(10, 0), QTime(11, 58), QTime(12, 0), QTime(22, 0), QTime(23, 58)})
        widest = std::max(widest, metrics.horizontalAdvance(locale.toString(time, pattern)));
    return std::max(56, widest);
}

} // namespace

AgendaEventRow::AgendaEventRow(AppState *app, const Event &event, QWidget *parent, const QString &color,
                               bool pendingMark)
    : PaneRow(QStringLiteral("agendaEventRow"), parent)
    , m_app(app)
    , m_event(event)
    , m_color(color)
{
    if (m_color.isEmpty()) {
        m_color = AgendaRowColor::resolve(app, event.color, event.calendar_id);
        pendingMark = event.sync_status == SyncStatus::Pending
                      && app->remoteAccountCalendars().contains(event.calendar_id);
    }

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(8);
    layout->addWidget(buildTimeColumn());
    auto *bar = new QFrame(this);
    bar->setFixedWidth(3);
    bar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::MinimumExpanding);
    const QColor barColor(m_color);
    bar->setStyleSheet(QStringLiteral("background: %1; border-radius: 1px;")
                           .arg(barColor.isValid() ? barColor.name() : QStringLiteral("#4285F4")));
    layout->addWidget(bar);
    buildTextColumn(layout, pendingMark);
    layout->addWidget(makeChevron());
}

QWidget *AgendaEventRow::buildTimeColumn()
{
    auto *column = new QWidget(this);
    const QString pattern = QStringLiteral("h:mm AP");
    const QFont font = smallerFont(column->font());
    const int columnWidth = timeColumnWidth(font, pattern);
    column->setFixedWidth(columnWidth);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    if (m_event.is_all_day) {
        layout->addStretch(1);
        auto *label = new QLabel(tr("All-day"), column);
        QFont bold = font;
        bold.setWeight(QFont::Bold);
        label->setFont(bold);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setObjectName(QStringLiteral("allDayLabel"));
        fitToColumn(label, columnWidth);
        layout->addWidget(label);
        layout->addStretch(1);
        return column;
    }
    auto *start = new QLabel(QLocale().toString(m_event.start_time.toLocalTime(), pattern), column);
    start->setObjectName(QStringLiteral("startTime"));
    start->setFont(font);
    layout->addWidget(start);
    auto *end = new QLabel(
        m_event.end_time ? QLocale().toString(m_event.end_time->toLocalTime(), pattern) : QString(), column);
    end->setObjectName(QStringLiteral("endTime"));
    end->setFont(font);
    end->setProperty("muted", true);
    layout->addWidget(end);
    layout->addStretch(1);
    return column;
}

void AgendaEventRow::buildTextColumn(QLayout *row, bool pendingMark)
{
    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    QLabel *title = makeTitle(m_event.title.isEmpty() ? tr("(Untitled)") : m_event.title, "title", true);
    title->setTextInteractionFlags(Qt::NoTextInteraction);
    const bool hasReminders = !m_event.reminders.isEmpty();
    if (hasReminders || pendingMark) {
        auto *line = new QHBoxLayout;
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(4);
        line->addWidget(title, 1);
        if (pendingMark) {
            QLabel *mark = glyphLabel(PendingGlyph, this);
            mark->setObjectName(QStringLiteral("pendingMark"));
            line->addWidget(mark, 0, Qt::AlignTop);
        }
        if (hasReminders) {
            QLabel *mark = glyphLabel(BellGlyph, this);
            mark->setObjectName(QStringLiteral("reminderMark"));
            line->addWidget(mark, 0, Qt::AlignTop);
        }
        column->addLayout(line);
    } else {
        column->addWidget(title);
    }
    if (!m_event.location.isEmpty()) {
        auto *location = new QLabel(QStringLiteral("📍  ") + m_event.location, this);
        location->setObjectName(QStringLiteral("location"));
        location->setTextFormat(Qt::PlainText);
        location->setProperty("muted", true);
        location->setWordWrap(true);
        location->setMinimumWidth(40);
        location->setFont(smallerFont(location->font()));
        column->addWidget(location);
    }
    static_cast<QBoxLayout *>(row)->addLayout(column, 1);
}

void AgendaEventRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintHover(painter);
    paintRule(painter);
}
