#include "store/wallclockpin.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "calendar/icstext.h"
#include "store/storedtime.h"

#include <limits>

namespace {

constexpr qint64 kDayMs = 24 * 3600 * 1000;
// The years of a 32-bit time: outside them Qt may read the computer's
// local time from other zone data than the system's, so that such a time is
// pinned the long way, as it is read.
constexpr qint64 kLocalFrom = 2 * kDayMs;
constexpr qint64 kLocalTo = qint64(std::numeric_limits<qint32>::max()) * 1000 - 2 * kDayMs;

// The store's two forms of an instant, as they are written: where each
// field (year, month, day, hour, minute, second) starts, and the text
// between them.
struct Form
{
    const char *pattern;
    int fields[6];
};
constexpr Form kIso{"0000-00-00T00:00:00Z", {0, 5, 8, 11, 14, 17}};
constexpr Form kIcs{"00000000T000000Z", {0, 4, 6, 9, 11, 13}};

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
qint64 daysFromCivil(qint64 year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(qint64 days, qint64 *year, int *month, int *day)
{
    days += 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 dayOfEra = days - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 shifted = (5 * dayOfYear + 2) / 153;
    *day = int(dayOfYear - (153 * shifted + 2) / 5 + 1);
    *month = int(shifted < 10 ? shifted + 3 : shifted - 9);
    *year = yearOfEra + era * 400 + (*month <= 2 ? 1 : 0);
}

// The instant a text of the form names, in milliseconds; none for any
// other text, or for a value no calendar or clock has (which the long way
// reads as it always did).
std::optional<qint64> readForm(QByteArrayView text, const Form &form)
{
    if (text.size() != qsizetype(qstrlen(form.pattern)))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (form.pattern[i] == '0' ? c < '0' || c > '9' : c != form.pattern[i])
            return std::nullopt;
    }
    int values[6] = {};
    for (int f = 0; f < 6; ++f) {
        for (int i = form.fields[f]; i < form.fields[f] + (f == 0 ? 4 : 2); ++i)
            values[f] = values[f] * 10 + (text.at(i) - '0');
    }
    const auto [year, month, day, hour, minute, second] = values;
    if (year < 1 || month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const qint64 days = daysFromCivil(year, month, day);
    qint64 roundYear = 0;
    int roundMonth = 0;
    int roundDay = 0;
    civilFromDays(days, &roundYear, &roundMonth, &roundDay);
    if (roundMonth != month || roundDay != day)
        return std::nullopt;
    return (days * 86400 + hour * 3600 + minute * 60 + second) * 1000;
}

// The instant written in the form; none where it has milliseconds or a
// year outside 1–9999 (the long way writes those).
std::optional<QByteArray> writeForm(qint64 msecs, const Form &form)
{
    if (msecs % 1000 != 0)
        return std::nullopt;
    const qint64 seconds = msecs / 1000;
    const qint64 days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
    const qint64 inDay = seconds - days * 86400;
    qint64 year = 0;
    int month = 0;
    int day = 0;
    civilFromDays(days, &year, &month, &day);
    if (year < 1 || year > 9999)
        return std::nullopt;
    const qint64 values[6] = {year, month, day, inDay / 3600, inDay / 60 % 60, inDay % 60};
    QByteArray text(form.pattern);
    for (int f = 0; f < 6; ++f) {
        qint64 value = values[f];
        for (int i = form.fields[f] + (f == 0 ? 3 : 1); i >= form.fields[f]; --i, value /= 10)
            text[i] = char('0' + value % 10);
    }
    return text;
}

} // namespace

WallClockPin::WallClockPin(const QTimeZone &from)
    : m_fromZone(from)
    , m_from(from)
    , m_here(QTimeZone::systemTimeZone())
{
}

qint64 WallClockPin::pinned(qint64 msecs)
{
    // The wall-clock reading in the zone it was read in, as if it were UTC.
    const qint64 wall = msecs + qint64(m_from.at(msecs)) * 1000;
    // Its instant here: exact where the computer's offset does not change
    // within two days of it, as localWallClock reads it there.
    if (wall > kLocalFrom && wall < kLocalTo) {
        const int guess = m_here.at(wall);
        bool clear = false;
        const int offset = m_here.at(wall - qint64(guess) * 1000, 2 * kDayMs, &clear);
        if (clear && offset == guess)
            return wall - qint64(offset) * 1000;
    }
    const QDateTime reading = QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC).toTimeZone(m_fromZone);
    return IcsText::localWallClock(reading.date(), reading.time()).toMSecsSinceEpoch();
}

std::optional<QByteArray> WallClockPin::changedText(QByteArrayView text)
{
    for (const Form *form : {&kIso, &kIcs}) {
        const std::optional<qint64> instant = readForm(text, *form);
        if (!instant)
            continue;
        const qint64 pinned = this->pinned(*instant);
        if (pinned == *instant)
            return std::nullopt;
        if (std::optional<QByteArray> written = writeForm(pinned, *form))
            return written;
        break;
    }
    // Any other form the long way.
    const QString before = QString::fromUtf8(text);
    const QString after = (*this)(before);
    if (after == before)
        return std::nullopt;
    return after.toUtf8();
}

std::optional<QByteArray> WallClockPin::changedList(QByteArrayView json)
{
    // The form the store writes: ["…","…"], no spaces and no escapes. Any
    // other the long way.
    const auto longWay = [this, json]() -> std::optional<QByteArray> {
        const QString before = QString::fromUtf8(json);
        const QString after = list(before);
        if (after == before)
            return std::nullopt;
        return after.toUtf8();
    };
    if (json.size() < 2 || json.front() != '[' || json.back() != ']' || json.contains('\\'))
        return longWay();
    if (json.size() == 2)
        return std::nullopt;
    QByteArray written;
    written.reserve(json.size());
    written.append('[');
    bool changed = false;
    qsizetype at = 1;
    while (true) {
        if (json.at(at) != '"')
            return longWay();
        const qsizetype end = json.indexOf('"', at + 1);
        if (end < 0)
            return longWay();
        written.append('"');
        // A period's two ends, each pinned.
        qsizetype part = at + 1;
        while (true) {
            qsizetype slash = json.indexOf('/', part);
            if (slash < 0 || slash > end)
                slash = end;
            const QByteArrayView value = json.sliced(part, slash - part);
            if (const std::optional<QByteArray> pinned = changedText(value)) {
                written.append(*pinned);
                changed = true;
            } else {
                written.append(value);
            }
            if (slash == end)
                break;
            written.append('/');
            part = slash + 1;
        }
        written.append('"');
        at = end + 1;
        if (at == json.size() - 1)
            break;
        if (json.at(at) != ',')
            return longWay();
        written.append(',');
        ++at;
    }
    written.append(']');
    if (!changed)
        return std::nullopt;
    return written;
}

QString WallClockPin::operator()(const QString &text)
{
    if (text.size() == 16 || text.size() == 20) {
        const QByteArray bytes = text.toLatin1();
        for (const Form *form : {&kIso, &kIcs}) {
            const std::optional<qint64> instant = readForm(bytes, *form);
            if (!instant)
                continue;
            if (const std::optional<QByteArray> written = writeForm(pinned(*instant), *form))
                return QString::fromLatin1(*written);
        }
    }
    const QString value = text.trimmed();
    if (!value.endsWith(QLatin1Char('Z')) || !value.contains(QLatin1Char('T')))
        return text;
    const bool iso = value.contains(QLatin1Char('-'));
    QDateTime instant;
    if (iso) {
        instant = StoredTime::parse(value);
    } else {
        QDate day;
        QTime time;
        if (IcsText::readDateTime(QStringView(value).chopped(1), &day, &time))
            instant = QDateTime(day, time, Qt::UTC);
    }
    if (!instant.isValid())
        return text;
    const QDateTime pinned = QDateTime::fromMSecsSinceEpoch(this->pinned(instant.toMSecsSinceEpoch()), Qt::UTC);
    return iso ? StoredTime::instant(pinned) : IcsText::utcText(pinned);
}

QString WallClockPin::list(const QString &json)
{
    return eachDate(json, [this](const QString &value) { return (*this)(value); });
}

QString WallClockPin::eachDate(const QString &json, const std::function<QString(const QString &)> &value)
{
    if (json.trimmed().isEmpty())
        return json;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isArray())
        return json;
    QJsonArray entries;
    for (const QJsonValue &entry : document.array()) {
        QStringList parts = entry.toString().split(QLatin1Char('/'));
        for (QString &part : parts)
            part = value(part);
        entries.append(parts.join(QLatin1Char('/')));
    }
    const QString written = QString::fromUtf8(QJsonDocument(entries).toJson(QJsonDocument::Compact));
    return entries == document.array() ? json : written;
}
