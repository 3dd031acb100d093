#include "calendar/icstext.h"

namespace IcsText {

namespace {

bool readDigits(QStringView text, qsizetype from, qsizetype count, int *out)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
    }
    *out = value;
    return true;
}

void appendPadded(QString &out, int value, int width)
{
    char buffer[8];
    for (int i = width - 1; i >= 0; --i) {
        buffer[i] = char('0' + value % 10);
        value /= 10;
    }
    out.append(QLatin1String(buffer, width));
}

const QTimeZone &systemZone()
{
    thread_local const QTimeZone zone = QTimeZone::systemTimeZone();
    return zone;
}

} // namespace

QDate readDate(QStringView text)
{
    int year = 0, month = 0, day = 0;
    if (text.size() != 8 || !readDigits(text, 0, 4, &year) || !readDigits(text, 4, 2, &month)
        || !readDigits(text, 6, 2, &day))
        return QDate();
    return QDate(year, month, day);
}

bool readDateTime(QStringView text, QDate *day, QTime *time)
{
    if (text.size() != 15 || (text.at(8) != u'T' && text.at(8) != u't'))
        return false;
    const QDate date = readDate(text.left(8));
    int hour = 0, minute = 0, second = 0;
    if (!date.isValid() || !readDigits(text, 9, 2, &hour) || !readDigits(text, 11, 2, &minute)
        || !readDigits(text, 13, 2, &second))
        return false;
    // A leap second reads as the last second of its minute.
    const QTime clock(hour, minute, second == 60 ? 59 : second);
    if (!clock.isValid())
        return false;
    *day = date;
    *time = clock;
    return true;
}

QString localText(const QDate &day, const QTime &time)
{
    QString out;
    out.reserve(16);
    appendPadded(out, day.year(), 4);
    appendPadded(out, day.month(), 2);
    appendPadded(out, day.day(), 2);
    out.append(QLatin1Char('T'));
    appendPadded(out, time.hour(), 2);
    appendPadded(out, time.minute(), 2);
    appendPadded(out, time.second(), 2);
    return out;
}

QString utcText(const QDateTime &value)
{
    if (!value.isValid())
        return QString();
    const QDateTime utc = value.toUTC();
    return localText(utc.date(), utc.time()) + QLatin1Char('Z');
}

QString dateText(const QDate &day)
{
    QString out;
    out.reserve(8);
    appendPadded(out, day.year(), 4);
    appendPadded(out, day.month(), 2);
    appendPadded(out, day.day(), 2);
    return out;
}

QDateTime wallClock(const QDate &day, const QTime &time, const QTimeZone &zone)
{
    const QDateTime candidate(day, time, zone);
    const QDateTime asUtc(day, time, Qt::UTC);
    // The offset in force a day earlier: the one before a change on this day.
    const int before = zone.offsetFromUtc(asUtc.addDays(-1));
    if (!candidate.isValid())
        return asUtc.addSecs(-before).toTimeZone(zone);
    if (candidate.offsetFromUtc() != before) {
        const QDateTime earlier = asUtc.addSecs(-before).toTimeZone(zone);
        if (earlier < candidate && earlier.date() == day && earlier.time() == time)
            return earlier;
    }
    return candidate;
}

QDateTime wallClockLike(const QDate &day, const QTime &time, const QDateTime &like)
{
    switch (like.timeSpec()) {
    case Qt::UTC:
        return QDateTime(day, time, Qt::UTC);
    case Qt::OffsetFromUTC:
        return QDateTime(day, time, Qt::OffsetFromUTC, like.offsetFromUtc());
    case Qt::TimeZone:
        return wallClock(day, time, like.timeZone());
    case Qt::LocalTime:
        break;
    }
    return localWallClock(day, time);
}

QDateTime localWallClock(const QDate &day, const QTime &time)
{
    const QDateTime local(day, time, Qt::LocalTime);
    if (local.isValid() && local.date() == day && local.time() == time
        && local.offsetFromUtc() == local.addDays(-1).offsetFromUtc())
        return local;
    return wallClock(day, time, systemZone()).toLocalTime();
}

QDateTime inSpecOf(const QDateTime &value, const QDateTime &like)
{
    switch (like.timeSpec()) {
    case Qt::UTC:
        return value.toUTC();
    case Qt::OffsetFromUTC:
        return value.toOffsetFromUtc(like.offsetFromUtc());
    case Qt::TimeZone:
        return value.toTimeZone(like.timeZone());
    case Qt::LocalTime:
        break;
    }
    return value.toLocalTime();
}

QString wallText(const QDateTime &value, const QTimeZone &zone)
{
    return namedByWallClock(value, zone) == value ? wallClockText(value, zone) : QString();
}

QString wallClockText(const QDateTime &value, const QTimeZone &zone)
{
    const QDateTime wall = zone.isValid() ? value.toTimeZone(zone) : value.toLocalTime();
    return localText(wall.date(), wall.time());
}

QDateTime namedByWallClock(const QDateTime &value, const QTimeZone &zone)
{
    const QDateTime wall = zone.isValid() ? value.toTimeZone(zone) : value.toLocalTime();
    return zone.isValid() ? wallClock(wall.date(), wall.time(), zone) : localWallClock(wall.date(), wall.time());
}

qint64 durationBody(QStringView body, bool *ok)
{
    // Every number is checked before it is multiplied or added, so that no
    // value from a file can overflow; a duration past the bound is not one.
    qint64 total = 0;
    qint64 number = 0;
    bool readable = true;
    bool afterT = false;
    auto add = [&](qint64 unit) {
        if (number > MaxDurationSeconds / unit || total > MaxDurationSeconds - number * unit)
            readable = false;
        else
            total += number * unit;
    };
    for (const QChar c : body) {
        if (c == u'T') {
            afterT = true;
            continue;
        }
        if (c >= u'0' && c <= u'9') {
            const int digit = c.unicode() - u'0';
            if (number > (MaxDurationSeconds - digit) / 10)
                readable = false;
            else
                number = number * 10 + digit;
            continue;
        }
        switch (c.unicode()) {
        case u'W':
            add(604800);
            break;
        case u'D':
            add(86400);
            break;
        case u'H':
            if (afterT)
                add(3600);
            break;
        case u'M':
            add(afterT ? 60 : 2592000);
            break;
        case u'S':
            if (afterT)
                add(1);
            break;
        default:
            break;
        }
        number = 0;
    }
    if (ok)
        *ok = readable;
    return readable ? total : 0;
}

qint64 signedDuration(QStringView raw, bool *ok)
{
    QStringView text = raw.trimmed();
    int sign = 1;
    if (!text.isEmpty() && (text.at(0) == u'-' || text.at(0) == u'+')) {
        sign = text.at(0) == u'-' ? -1 : 1;
        text = text.mid(1);
    }
    bool readable = !text.isEmpty() && text.at(0) == u'P';
    const qint64 seconds = readable ? durationBody(text.mid(1), &readable) : 0;
    if (ok)
        *ok = readable;
    return sign * seconds;
}

bool durationParts(QStringView raw, qint64 *days, qint64 *seconds)
{
    bool readable = false;
    const qint64 total = signedDuration(raw, &readable);
    if (!readable)
        return false;
    const QStringView text = raw.trimmed();
    const QStringView body = text.mid(text.indexOf(u'P') + 1);
    const qsizetype timePart = body.indexOf(u'T');
    // Before "T" only weeks, days and months count, all whole days; the
    // part is no longer than the whole, so it is read within the bound.
    const qint64 dayPart = durationBody(timePart < 0 ? body : body.left(timePart)) / 86400;
    *days = text.startsWith(u'-') ? -dayPart : dayPart;
    *seconds = total - *days * 86400;
    return true;
}

QDateTime afterDuration(const QDateTime &start, qint64 days, qint64 seconds)
{
    if (days == 0 || !start.isValid())
        return start.addSecs(seconds);
    return wallClockLike(start.date().addDays(days), start.time(), start).addSecs(seconds);
}

bool componentMarker(const QString &line, bool *begin, QString *component)
{
    if (line.size() < 5)
        return false;
    const char16_t first = line.at(0).unicode();
    if (first == u'B' || first == u'b') {
        if (!line.startsWith(QLatin1String("BEGIN:"), Qt::CaseInsensitive))
            return false;
        *begin = true;
        *component = line.mid(6).trimmed().toUpper();
        return true;
    }
    if (first == u'E' || first == u'e') {
        if (!line.startsWith(QLatin1String("END:"), Qt::CaseInsensitive))
            return false;
        *begin = false;
        *component = line.mid(4).trimmed().toUpper();
        return true;
    }
    return false;
}

QStringList splitEscapedList(const QString &value)
{
    QStringList items;
    qsizetype start = 0;
    const qsizetype size = value.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (c == QLatin1Char(',')) {
            items.append(value.mid(start, i - start));
            start = i + 1;
        }
    }
    items.append(value.mid(start));
    return items;
}

bool isLineControl(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t') || u == 0x7f || u == 0x85 || u == 0x2028 || u == 0x2029;
}

bool isUnwritableControl(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\n' && u != u'\t') || u == 0x7f;
}

QString paramValue(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            continue;
        clean.append(isLineControl(c) ? QLatin1Char(' ') : c);
    }
    if (clean.contains(QLatin1Char(':')) || clean.contains(QLatin1Char(';')) || clean.contains(QLatin1Char(',')))
        return QLatin1Char('"') + clean + QLatin1Char('"');
    return clean;
}

QString propertyName(const QString &line)
{
    qsizetype end = 0;
    while (end < line.size() && line.at(end) != QLatin1Char(';') && line.at(end) != QLatin1Char(':'))
        ++end;
    return line.left(end).trimmed().toUpper();
}

QString plainValue(const QString &value)
{
    QString out = value;
    out.removeIf(isLineControl);
    return out;
}

QString uriValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (!isLineControl(c)) {
            out.append(c);
            continue;
        }
        for (const char byte : QString(c).toUtf8())
            out += QStringLiteral("%%1").arg(uint(uchar(byte)), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString foldLines(const QString &text)
{
    constexpr int MaxOctets = 75;
    QString out;
    out.reserve(text.size() + text.size() / 64 * 3);
    int octets = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            out.append(c);
            octets = 0;
            continue;
        }
        // A surrogate pair is one character of four octets.
        const bool pair = c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate();
        const int width = pair ? 4 : c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
        if (octets + width > MaxOctets) {
            out.append(QLatin1String("\r\n "));
            octets = 1;
        }
        out.append(c);
        if (pair)
            out.append(text.at(++i));
        octets += width;
    }
    return out;
}

qsizetype valueColon(const QString &line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(':') && !quoted)
            return i;
    }
    return line.indexOf(QLatin1Char(':'));
}

} // namespace IcsText
