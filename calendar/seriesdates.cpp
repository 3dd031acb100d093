#include "calendar/seriesdates.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "calendar/seriesshift.h"
#include "calendar/seriessplittext.h"

#include <algorithm>

namespace {

enum class Form { Date, Utc, Wall };

// One entry as the expansion reads it: a date at 00:00 UTC, a UTC time or
// the computer's wall-clock time.
bool readEntry(const QString &text, QDateTime *when, Form *form)
{
    QString value = text.trimmed();
    if (!value.contains(QLatin1Char('T'))) {
        const QDate day = IcsText::readDate(value);
        *when = QDateTime(day, QTime(0, 0), Qt::UTC);
        *form = Form::Date;
        return day.isValid();
    }
    const bool utc = value.endsWith(QLatin1Char('Z'));
    if (utc)
        value.chop(1);
    QDate day;
    QTime time;
    if (!IcsText::readDateTime(value, &day, &time))
        return false;
    *when = utc ? QDateTime(day, time, Qt::UTC) : IcsText::localWallClock(day, time);
    *form = utc ? Form::Utc : Form::Wall;
    return true;
}

QString textOf(const QDateTime &value, Form form)
{
    if (form == Form::Date)
        return IcsText::dateText(value.date());
    if (form == Form::Utc)
        return IcsText::utcText(value);
    const QDateTime local = value.toLocalTime();
    return IcsText::localText(local.date(), local.time());
}

QJsonArray entriesOf(const QString &json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    return document.isArray() ? document.array() : QJsonArray();
}

QString jsonOf(const QJsonArray &entries)
{
    return entries.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(entries).toJson(QJsonDocument::Compact));
}

// One date text moved: a date on a timed series is the occurrence at the
// series' time of day that day, and stays a date.
QString movedText(const QString &text, const SeriesShift &shift)
{
    QDateTime when;
    Form form = Form::Utc;
    if (!readEntry(text, &when, &form))
        return text;
    if (form == Form::Date)
        return IcsText::dateText(shift.movedDay(when.date()));
    return textOf(shift.moved(when), form);
}

// One entry moved: a period's end moves with its start, a duration stays.
QString movedEntry(const QString &text, const SeriesShift &shift)
{
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return movedText(text, shift);
    const QString tail = text.mid(slash + 1);
    const bool duration = tail.startsWith(QLatin1Char('P')) || tail.startsWith(QLatin1Char('-'))
        || tail.startsWith(QLatin1Char('+'));
    return movedText(text.left(slash), shift) + QLatin1Char('/') + (duration ? tail : movedText(tail, shift));
}

} // namespace

namespace SeriesDates {

QString exceptions(const QString &json, bool allDay, const Move &move)
{
    QList<std::pair<QDateTime, QString>> kept;
    for (const QJsonValue &entry : entriesOf(json)) {
        QDateTime when;
        Form form = Form::Utc;
        if (!readEntry(entry.toString(), &when, &form))
            continue;
        const std::optional<QDateTime> value = move(when);
        if (value)
            kept.append({*value, textOf(*value, allDay ? Form::Date : form == Form::Wall ? Form::Wall : Form::Utc)});
    }
    std::stable_sort(kept.begin(), kept.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QJsonArray out;
    for (const auto &entry : std::as_const(kept))
        out.append(entry.second);
    return jsonOf(out);
}

QString extraDates(const QString &json, const SeriesShift &shift)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isArray())
        return json;
    QJsonArray out;
    for (const QJsonValue &entry : document.array())
        out.append(movedEntry(entry.toString(), shift));
    return QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact));
}

Split splitExtraDates(const Event &series, const QDateTime &split, const SeriesShift &shift)
{
    const QDateTime seriesStart = Recurrence::steppedStart(series);
    const QTime seriesTime = Recurrence::steppedTime(series);
    QJsonArray before;
    QJsonArray from;
    for (const QJsonValue &entry : entriesOf(series.recurrence_dates)) {
        const QString text = entry.toString();
        QDateTime when;
        Form form = Form::Utc;
        if (!readEntry(text.section(QLatin1Char('/'), 0, 0), &when, &form)) {
            before.append(text); // the ended series keeps what it cannot read, as it had it
            continue;
        }
        if (form == Form::Date && !series.is_all_day)
            when = IcsText::wallClockLike(when.date(), seriesTime, seriesStart);
        if (!SeriesSplitText::fromSplitOn(series, when, split))
            before.append(text);
        else
            from.append(shift.isNone() ? text : movedEntry(text, shift));
    }
    return {jsonOf(before), jsonOf(from)};
}

QMap<qint64, QString> byInstant(const QString &json)
{
    QMap<qint64, QString> days;
    for (const QJsonValue &entry : QJsonDocument::fromJson(json.toUtf8()).array()) {
        const QString text = entry.toString();
        const QSet<qint64> read =
            Recurrence::parseExceptionDates(QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson()));
        if (!read.isEmpty())
            days.insert(*read.cbegin(), text);
    }
    return days;
}

QString listOf(const QMap<qint64, QString> &days)
{
    if (days.isEmpty())
        return QString();
    QJsonArray out;
    for (const QString &text : days)
        out.append(text);
    return QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact));
}

} // namespace SeriesDates
