#include "calendar/recurrence.h"

#include "calendar/icscodec.h"
#include "calendar/icstext.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcExpansion, "calendar.expansion", QtWarningMsg)

namespace Recurrence {

namespace {

constexpr qint64 DefaultDurationMs = 3600000;

struct Exceptions
{
    QSet<qint64> instants;
    // Calendar days an all-day series skips: plain dates, and instants at
    // 00:00 UTC as the reader writes a date-valued RECURRENCE-ID.
    QSet<QDate> days;
};

QList<int> readIntegers(const QString &value)
{
    QList<int> numbers;
    for (const QString &piece : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = piece.trimmed().toInt(&ok);
        if (ok)
            numbers.append(number);
    }
    return numbers;
}

bool readExceptionEntry(const QString &text, QDateTime *when, bool *isDate)
{
    QString value = text.trimmed();
    *isDate = false;
    if (value.contains(QLatin1Char('T'))) {
        const bool utc = value.endsWith(QLatin1Char('Z'));
        if (utc)
            value.chop(1);
        QDate day;
        QTime time;
        if (!IcsText::readDateTime(value, &day, &time))
            return false;
        *when = utc ? QDateTime(day, time, Qt::UTC) : IcsText::localWallClock(day, time);
        return true;
    }
    const QDate day = IcsText::readDate(value);
    if (!day.isValid())
        return false;
    *isDate = true;
    *when = QDateTime(day, QTime(0, 0), Qt::UTC);
    return true;
}

Exceptions readExceptions(const QString &text)
{
    Exceptions result;
    if (text.trimmed().isEmpty())
        return result;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isArray())
        return result;
    const QJsonArray entries = document.array();
    for (const QJsonValue &entry : entries) {
        QDateTime when;
        bool isDate = false;
        if (!readExceptionEntry(entry.toString(), &when, &isDate))
            continue;
        result.instants.insert(when.toMSecsSinceEpoch());
        if (isDate || (when.timeSpec() == Qt::UTC && when.time() == QTime(0, 0)))
            result.days.insert(when.date());
    }
    return result;
}

// The series start in the event's own zone, so that steps keep its
// wall-clock time across daylight-saving changes.
// Local time as an explicit zone: the same wall-clock arithmetic without a
// call into the C library (which re-reads the zone file) for every step.
QDateTime withoutLocalSpec(const QDateTime &value)
{
    if (value.timeSpec() != Qt::LocalTime)
        return value;
    thread_local const QTimeZone system = QTimeZone::systemTimeZone();
    return system.isValid() ? value.toTimeZone(system) : value;
}

QDateTime seriesStartOf(const Event &event)
{
    if (event.is_all_day || event.timezone.isEmpty() || event.timezone == QLatin1String("UTC"))
        return withoutLocalSpec(event.start_time);
    const QTimeZone zone = IcsCodec::zoneForId(event.timezone);
    if (!zone.isValid())
        return event.start_time;
    if (event.start_time.timeSpec() == Qt::TimeZone && event.start_time.timeZone() == zone)
        return event.start_time;
    return event.start_time.toTimeZone(zone);
}

QString dateRecurrenceId(const QDate &day)
{
    return IcsText::dateText(day) + QLatin1String("T000000Z");
}

} // namespace

RecurrenceRule parseRule(const QString &text)
{
    RecurrenceRule rule;
    for (const QString &piece : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = piece.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = piece.left(eq).trimmed().toUpper();
        const QString value = piece.mid(eq + 1).trimmed();
        if (key == QLatin1String("FREQ")) {
            rule.freq = value.toUpper();
        } else if (key == QLatin1String("INTERVAL")) {
            bool ok = false;
            const int interval = value.toInt(&ok);
            rule.interval = (ok && interval >= 1) ? interval : 1;
        } else if (key == QLatin1String("COUNT")) {
            bool ok = false;
            const int count = value.toInt(&ok);
            rule.count = (ok && count >= 0) ? count : 0;
        } else if (key == QLatin1String("UNTIL")) {
            QString until = value;
            if (until.endsWith(QLatin1Char('Z')) || until.endsWith(QLatin1Char('z')))
                until.chop(1);
            QDate day;
            QTime time;
            rule.until = QDateTime();
            rule.untilIsDate = false;
            if (IcsText::readDateTime(until, &day, &time)) {
                rule.until = QDateTime(day, time, Qt::UTC);
            } else if (const QDate date = IcsText::readDate(until); date.isValid()) {
                rule.until = QDateTime(date, QTime(0, 0), Qt::UTC);
                rule.untilIsDate = true;
            }
        } else if (key == QLatin1String("BYDAY")) {
            rule.byDay = value.toUpper().split(QLatin1Char(','), Qt::SkipEmptyParts);
        } else if (key == QLatin1String("BYMONTHDAY")) {
            rule.byMonthDay = readIntegers(value);
        } else if (key == QLatin1String("BYMONTH")) {
            rule.byMonth = readIntegers(value);
        } else if (key == QLatin1String("BYSETPOS")) {
            rule.bySetPos = readIntegers(value);
        } else if (key == QLatin1String("WKST")) {
            const int weekday = parseByDay(value.toUpper());
            rule.weekStart = weekday != 0 ? weekday : 1;
        }
    }
    return rule;
}

int parseByDay(const QString &code)
{
    static const char *const codes[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    for (int i = 0; i < 7; ++i) {
        if (code == QLatin1String(codes[i]))
            return i + 1;
    }
    return 0;
}

bool parseByDayEntry(const QString &entry, int *ordinal, int *weekday)
{
    const QString text = entry.trimmed().toUpper();
    if (text.size() < 2)
        return false;
    const int day = parseByDay(text.right(2));
    if (day == 0)
        return false;
    const QString number = text.chopped(2);
    int value = 0;
    if (!number.isEmpty()) {
        bool ok = false;
        value = number.toInt(&ok);
        if (!ok || value == 0 || value < -53 || value > 53)
            return false;
    }
    if (ordinal)
        *ordinal = value;
    if (weekday)
        *weekday = day;
    return true;
}

QSet<qint64> parseExceptionDates(const QString &text)
{
    return readExceptions(text).instants;
}

QList<Event> expandEvent(const Event &event, const QDateTime &from, const QDateTime &to)
{
    QList<Event> result;
    if (event.recurrence_rule.isEmpty()) {
        if (!event.start_time.isValid() || !(event.start_time < to))
            return result;
        if (event.end_time && !(*event.end_time > from))
            return result;
        result.append(event);
        return result;
    }
    if (!event.start_time.isValid())
        return result;

    const RecurrenceRule rule = parseRule(event.recurrence_rule);
    const Exceptions exceptions = readExceptions(event.exception_dates);
    const QDateTime seriesStart = seriesStartOf(event);
    const bool hasEnd = event.end_time && event.end_time->isValid();
    const qint64 durationMs = hasEnd ? event.start_time.msecsTo(*event.end_time) : DefaultDurationMs;
    // An all-day event lasts whole days, whatever a daylight-saving change
    // does to the hours in between.
    const bool wholeDays = event.is_all_day && hasEnd
                           && IcsText::inSpecOf(*event.end_time, seriesStart).time() == seriesStart.time();
    const qint64 days = wholeDays ? seriesStart.date().daysTo(IcsText::inSpecOf(*event.end_time, seriesStart).date())
                                  : 0;

    const QDateTime skipBefore = from.isValid() ? from.addMSecs(-std::max<qint64>(durationMs, 0)).addDays(-1)
                                                : QDateTime();
    const QList<QDateTime> starts = step(rule, seriesStart, to, skipBefore);
    result.reserve(starts.size());
    for (const QDateTime &start : starts) {
        if (exceptions.instants.contains(start.toMSecsSinceEpoch()))
            continue;
        if (event.is_all_day && exceptions.days.contains(start.date()))
            continue;
        const QDateTime end = wholeDays ? IcsText::wallClockLike(start.date().addDays(days), start.time(), start)
                                        : start.addMSecs(durationMs);
        if (!(end > from) || !(start < to))
            continue;
        Event occurrence = event;
        occurrence.start_time = start;
        occurrence.end_time = end;
        // All-day series are named by their date, as a date-valued
        // RECURRENCE-ID reads, in every zone.
        occurrence.recurrence_id = event.is_all_day ? dateRecurrenceId(start.date()) : IcsText::utcText(start);
        result.append(std::move(occurrence));
    }
    return result;
}

QList<Event> expandForRange(const QList<Event> &events, const QDateTime &from, const QDateTime &to)
{
    QHash<QString, qsizetype> overrides;
    QList<qsizetype> singles;
    QList<qsizetype> masters;
    for (qsizetype i = 0; i < events.size(); ++i) {
        const Event &event = events.at(i);
        if (!event.master_event_uid.isEmpty() && !event.recurrence_id.isEmpty())
            overrides.insert(event.master_event_uid + QLatin1Char('|') + event.recurrence_id, i);
        else if (event.recurrence_rule.isEmpty())
            singles.append(i);
        else
            masters.append(i);
    }

    QList<Event> result;
    result.reserve(singles.size() + masters.size() * 4);
    for (qsizetype index : std::as_const(singles))
        result.append(events.at(index));

    for (qsizetype index : std::as_const(masters)) {
        const Event &master = events.at(index);
        QList<Event> occurrences = expandEvent(master, from, to);
        if (occurrences.isEmpty()) {
            qCDebug(lcExpansion).noquote() << "master uid=" << master.uid << "title=" << master.title
                                           << "rrule=" << master.recurrence_rule
                                           << "dtstart=" << master.start_time.toString(Qt::ISODate)
                                           << "→ 0 occurrences in range" << from.toString(Qt::ISODate)
                                           << "..." << to.toString(Qt::ISODate);
            continue;
        }
        const QString prefix = master.uid + QLatin1Char('|');
        for (Event &occurrence : occurrences) {
            auto found = overrides.constFind(prefix + occurrence.recurrence_id);
            // An override written with the instant of an all-day occurrence
            // names it as well.
            if (found == overrides.constEnd() && master.is_all_day)
                found = overrides.constFind(prefix + IcsText::utcText(occurrence.start_time));
            if (found != overrides.constEnd())
                result.append(events.at(*found));
            else
                result.append(std::move(occurrence));
        }
    }
    return result;
}

} // namespace Recurrence
