#include "calendar/icstimezone.h"

#include "calendar/icstext.h"

#include <QList>
#include <QStringList>

namespace IcsTimeZone {

namespace {

struct Change
{
    QDateTime localStart; // wall-clock time before the change, as UTC fields
    int offsetFrom = 0;
    int offsetTo = 0;
    bool daylight = false;
    QString name;
};

QString offsetText(int seconds)
{
    const QChar sign = seconds < 0 ? QLatin1Char('-') : QLatin1Char('+');
    const int value = std::abs(seconds);
    QString text = QStringLiteral("%1%2%3")
                       .arg(sign)
                       .arg(value / 3600, 2, 10, QLatin1Char('0'))
                       .arg(value / 60 % 60, 2, 10, QLatin1Char('0'));
    if (value % 60 != 0)
        text += QStringLiteral("%1").arg(value % 60, 2, 10, QLatin1Char('0'));
    return text;
}

// BYDAY ordinal of a day within its month, counted from the start.
int ordinalOf(const QDate &day, bool last)
{
    return last ? -1 : (day.day() - 1) / 7 + 1;
}

QString weekdayCode(int weekday)
{
    static const char *const codes[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    return QLatin1String(codes[weekday - 1]);
}

// A yearly rule that yields exactly these changes, one per year in a row
// up to the end of the window; empty when there is none.
QString yearlyRule(const QList<Change> &changes, int lastYear)
{
    if (changes.size() < 2 || changes.last().localStart.date().year() != lastYear)
        return QString();
    const QDate first = changes.first().localStart.date();
    const QTime time = changes.first().localStart.time();
    bool allLast = true;
    bool sameOrdinal = true;
    const int ordinal = ordinalOf(first, false);
    for (qsizetype i = 0; i < changes.size(); ++i) {
        const QDate day = changes.at(i).localStart.date();
        if (day.month() != first.month() || day.dayOfWeek() != first.dayOfWeek()
            || changes.at(i).localStart.time() != time || day.year() != first.year() + i)
            return QString();
        allLast = allLast && day.day() + 7 > day.daysInMonth();
        sameOrdinal = sameOrdinal && ordinalOf(day, false) == ordinal;
    }
    if (!sameOrdinal && !allLast)
        return QString();
    // "Last Sunday" rules fall on the 4th in some years: prefer the last.
    const int byDay = allLast ? -1 : ordinal;
    return QStringLiteral("FREQ=YEARLY;BYMONTH=%1;BYDAY=%2%3")
        .arg(first.month())
        .arg(byDay)
        .arg(weekdayCode(first.dayOfWeek()));
}

void appendObservance(QString &out, const Change &change, const QString &rule)
{
    const QString kind = change.daylight ? QStringLiteral("DAYLIGHT") : QStringLiteral("STANDARD");
    out += QStringLiteral("BEGIN:") + kind + QStringLiteral("\r\n");
    out += QStringLiteral("DTSTART:")
           + IcsText::localText(change.localStart.date(), change.localStart.time()) + QStringLiteral("\r\n");
    if (!rule.isEmpty())
        out += QStringLiteral("RRULE:") + rule + QStringLiteral("\r\n");
    out += QStringLiteral("TZOFFSETFROM:") + offsetText(change.offsetFrom) + QStringLiteral("\r\n");
    out += QStringLiteral("TZOFFSETTO:") + offsetText(change.offsetTo) + QStringLiteral("\r\n");
    if (!change.name.isEmpty())
        out += QStringLiteral("TZNAME:") + change.name + QStringLiteral("\r\n");
    out += QStringLiteral("END:") + kind + QStringLiteral("\r\n");
}

} // namespace

QString block(const QTimeZone &zone, const QString &tzid, const QDate &around)
{
    const QDate middle = around.isValid() ? around : QDate::currentDate();
    const QDateTime from(QDate(middle.year() - 1, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(middle.year() + 2, 1, 1), QTime(0, 0), Qt::UTC);

    QString out = QStringLiteral("BEGIN:VTIMEZONE\r\nTZID:") + tzid + QStringLiteral("\r\n");
    const QTimeZone::OffsetDataList transitions = zone.transitions(from, to);
    if (transitions.isEmpty()) {
        const QDateTime noon(middle, QTime(12, 0), Qt::UTC);
        Change fixed;
        fixed.localStart = QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC);
        fixed.offsetFrom = fixed.offsetTo = zone.offsetFromUtc(noon);
        fixed.name = zone.abbreviation(noon);
        appendObservance(out, fixed, QString());
        out += QStringLiteral("END:VTIMEZONE\r\n");
        return out;
    }

    // Changes grouped by what they switch between, in order of first use.
    QList<QList<Change>> groups;
    int previousOffset = zone.offsetFromUtc(transitions.first().atUtc.addSecs(-1));
    for (const QTimeZone::OffsetData &transition : transitions) {
        Change change;
        change.offsetFrom = previousOffset;
        change.offsetTo = transition.offsetFromUtc;
        change.daylight = transition.daylightTimeOffset != 0;
        change.name = transition.abbreviation;
        const QDateTime wall = transition.atUtc.toUTC().addSecs(previousOffset);
        change.localStart = QDateTime(wall.date(), wall.time(), Qt::UTC);
        previousOffset = transition.offsetFromUtc;

        bool placed = false;
        for (QList<Change> &group : groups) {
            const Change &first = group.first();
            if (first.daylight == change.daylight && first.offsetFrom == change.offsetFrom
                && first.offsetTo == change.offsetTo && first.name == change.name) {
                group.append(change);
                placed = true;
                break;
            }
        }
        if (!placed)
            groups.append(QList<Change>{change});
    }

    for (const QList<Change> &group : std::as_const(groups)) {
        const QString rule = yearlyRule(group, to.date().year() - 1);
        if (!rule.isEmpty()) {
            appendObservance(out, group.first(), rule);
            continue;
        }
        for (const Change &change : group)
            appendObservance(out, change, QString());
    }
    out += QStringLiteral("END:VTIMEZONE\r\n");
    return out;
}

} // namespace IcsTimeZone
