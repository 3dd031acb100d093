#include "dialogs/editing/agendapdf.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>

#include "app/activeviewcalendars.h"
#include "app/appstate.h"
#include "calendar/filterengine.h"
#include "calendar/recurrence.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"

#include <algorithm>

namespace {

constexpr char kFallbackColor[] = "#4285F4";

struct AgendaFonts
{
    QFont title;
    QFont body;
    QFont heading;
    QFont entry;
    QFont detail;
};

QFont sized(const QFont &base, int points, bool bold)
{
    QFont font = base;
    font.setPointSize(points);
    if (bold)
        font.setWeight(QFont::Bold);
    return font;
}

int lineHeight(const QFont &font, QPaintDevice *device)
{
    return QFontMetrics(font, device).height();
}

QColor entryColor(const Event &event, const QHash<QString, QString> &colourById)
{
    QString text = event.color;
    if (text.isEmpty())
        text = colourById.value(event.calendar_id);
    if (text.isEmpty())
        text = QString::fromLatin1(kFallbackColor);
    const QColor color(text);
    return color.isValid() ? color : QColor(QString::fromLatin1(kFallbackColor));
}

QString timeText(const Event &event)
{
    if (event.is_all_day)
        return QStringLiteral("All-day");
    const QString format = QStringLiteral("h:mm AP");
    QString text = QLocale().toString(event.start_time.toLocalTime(), format);
    if (event.end_time)
        text += QStringLiteral(" \u2013 ") + QLocale().toString(event.end_time->toLocalTime(), format);
    return text;
}

QString detailText(const Event &event, const QHash<QString, QString> &nameById)
{
    QString text = nameById.value(event.calendar_id);
    if (!event.location.isEmpty()) {
        if (!text.isEmpty())
            text += QStringLiteral("  \u00b7  ");
        text += event.location;
    }
    return text;
}

} // namespace

int renderAgendaPdf(QPdfWriter *writer, const QString &title, const QDate &from, const QDate &to,
                    const FilterResult &filterResult, const QHash<QString, QString> &colourById,
                    const QHash<QString, QString> &nameById)
{
    QPainter painter;
    if (!writer || !painter.begin(writer))
        return -1;
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRect vp = painter.viewport();
    const int margin = (writer->resolution() / 25) * 14;
    const int right = vp.right() - margin;
    const int bottom = vp.bottom() - margin;
    const int contentWidth = vp.right() - 2 * margin;
    const AgendaFonts fonts{sized(painter.font(), 20, true), sized(painter.font(), 11, false),
                            sized(painter.font(), 11, true), sized(painter.font(), 10, false),
                            sized(painter.font(), 9, false)};
    const int hTitle = lineHeight(fonts.title, writer);
    const int hBody = lineHeight(fonts.body, writer);
    const int hH = lineHeight(fonts.heading, writer);
    const int hE = lineHeight(fonts.entry, writer);
    const int hD = lineHeight(fonts.detail, writer);
    const int count = int(filterResult.events.size());
    const int align = Qt::AlignLeft | Qt::AlignTop;

    painter.setFont(fonts.title);
    painter.drawText(QRect(margin, margin, contentWidth, hTitle), align, title);
    int y = margin + hTitle + 4;
    painter.setFont(fonts.body);
    const QString dateFormat = QStringLiteral("MMMM d, yyyy");
    painter.drawText(QRect(margin, y, contentWidth, hBody), align,
                     QStringLiteral("%1  \u2192  %2  \u00b7  %3 events")
                         .arg(from.toString(dateFormat), to.toString(dateFormat))
                         .arg(count));
    y += hBody + 12;

    QDate lastDate;
    for (const Event &event : filterResult.events) {
        const QDate date = event.start_time.toLocalTime().date();
        const bool newDay = date != lastDate;
        if (y + hE + hD + (newDay ? hH + 6 : 0) + 8 > bottom) {
            if (!writer->newPage()) {
                painter.end();
                return -1;
            }
            y = margin;
        }
        if (newDay) {
            // No gap above the first heading of a page.
            const int yH = y > margin ? y + 8 : y;
            painter.setFont(fonts.heading);
            painter.drawText(QRect(margin, yH, contentWidth, hH), align,
                             QLocale().toString(date, QStringLiteral("dddd, MMM d")));
            y = yH + hH + 4;
            lastDate = date;
        }

        const int r = hE / 3;
        painter.setPen(Qt::NoPen);
        painter.setBrush(entryColor(event, colourById));
        painter.drawEllipse(QPoint(margin + 2 + r, y + hE / 2), r, r);
        painter.setBrush(Qt::NoBrush);

        const int x = margin + 12 + 2 * r;
        painter.setFont(fonts.entry);
        painter.setPen(Qt::black);
        painter.drawText(QRect(x, y, right - x, hE), align, QStringLiteral("%1  %2").arg(timeText(event), event.title));
        int y2 = y + hE;
        const QString detail = detailText(event, nameById);
        if (!detail.isEmpty()) {
            painter.setFont(fonts.detail);
            const QPen previous = painter.pen();
            painter.setPen(QColor(120, 120, 120));
            painter.drawText(QRect(x, y2, right - x, hD), align, detail);
            painter.setPen(previous);
            y2 += hD;
        }
        y = y2 + int(hE * 0.55);
    }
    return painter.end() ? count : -1;
}

FilterResult agendaEvents(AppState *app, const QDate &from, const QDate &to)
{
    if (!app)
        return {};
    const QStringList ids = activeViewCalendarIds(app);
    QList<Event> occurrences;
    if (!ids.isEmpty()) {
        const QDateTime start(from, QTime(0, 0));
        const QDateTime end(to.addDays(1), QTime(0, 0));
        occurrences = Recurrence::expandForRange(app->events()->getInRange(start, end, ids), start, end);
        std::stable_sort(occurrences.begin(), occurrences.end(),
                         [](const Event &a, const Event &b) { return a.start_time < b.start_time; });
    }
    return FilterEngine::apply(occurrences, app->filterRules()->getEnabled());
}
