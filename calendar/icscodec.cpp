#include "calendar/icscodec.h"

#include "calendar/icslinereader.h"
#include "calendar/icstext.h"

#include <QHash>

namespace IcsCodec {

QStringList unfoldLines(const QString &text)
{
    QStringList lines;
    IcsLineReader reader(text);
    QString line;
    while (reader.next(&line))
        lines.append(line);
    return lines;
}

ContentLine splitContentLine(const QString &line)
{
    ContentLine result;
    const qsizetype size = line.size();

    // The name part ends at the first colon outside double quotes; a
    // parameter value such as ALTREP="http://…" may hold colons.
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(':') && !quoted) {
            colon = i;
            break;
        }
    }
    // An unbalanced quote: fall back to the first colon of all.
    if (colon < 0)
        colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        result.name = line.toUpper();
        return result;
    }
    result.value = line.mid(colon + 1);

    qsizetype pieceStart = 0;
    bool first = true;
    quoted = false;
    for (qsizetype i = 0; i <= colon; ++i) {
        const QChar c = i < colon ? line.at(i) : QLatin1Char(';');
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            continue;
        }
        if (c != QLatin1Char(';') || (quoted && i < colon))
            continue;
        const QString piece = line.mid(pieceStart, i - pieceStart);
        pieceStart = i + 1;
        if (first) {
            result.name = piece.toUpper();
            first = false;
            continue;
        }
        const qsizetype eq = piece.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        result.params.insert(piece.left(eq).toUpper(), piece.mid(eq + 1));
    }
    return result;
}

QString unescapeText(const QString &value)
{
    if (!value.contains(QLatin1Char('\\')))
        return value;
    QString out;
    out.reserve(value.size());
    const qsizetype size = value.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < size) {
            const QChar next = value.at(i + 1);
            if (next == QLatin1Char(',') || next == QLatin1Char(';') || next == QLatin1Char('\\')) {
                out.append(next);
                ++i;
                continue;
            }
            if (next == QLatin1Char('n') || next == QLatin1Char('N')) {
                out.append(QLatin1Char('\n'));
                ++i;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

QString escapeText(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case '\\':
            out.append(QLatin1String("\\\\"));
            break;
        case ';':
            out.append(QLatin1String("\\;"));
            break;
        case ',':
            out.append(QLatin1String("\\,"));
            break;
        case '\n':
            out.append(QLatin1String("\\n"));
            break;
        case '\r':
            out.append(QLatin1String("\\n"));
            if (i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            break;
        default:
            out.append(c);
        }
    }
    return out;
}

QString unquoteParam(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

QDateTime parseDateTimeValue(const QString &raw, const QHash<QString, QString> &params, bool *isDate)
{
    if (isDate)
        *isDate = false;
    const QString value = raw.trimmed();
    if (value.size() == 8 && !value.contains(QLatin1Char('T'))) {
        const QDate day = IcsText::readDate(value);
        if (!day.isValid())
            return QDateTime();
        if (isDate)
            *isDate = true;
        return QDateTime(day, QTime(0, 0), Qt::UTC);
    }

    const bool utc = value.endsWith(QLatin1Char('Z')) || value.endsWith(QLatin1Char('z'));
    QDate day;
    QTime time;
    if (!IcsText::readDateTime(utc ? value.chopped(1) : value, &day, &time))
        return QDateTime();
    if (utc)
        return QDateTime(day, time, Qt::UTC);

    const QString tzid = unquoteParam(params.value(QStringLiteral("TZID")).trimmed());
    if (!tzid.isEmpty()) {
        const QTimeZone zone = zoneForId(tzid);
        if (zone.isValid())
            return IcsText::wallClock(day, time, zone);
    }
    return IcsText::localWallClock(day, time);
}

qint64 parseDurationSeconds(const QString &text)
{
    if (text.isEmpty() || text.at(0) != QLatin1Char('P'))
        return 0;
    return IcsText::durationBody(text.mid(1));
}

QTimeZone zoneForId(const QString &rawId)
{
    const QString id = unquoteParam(rawId.trimmed());
    if (id.isEmpty())
        return QTimeZone();

    // Zone look-ups read the zone database; one reader sees few distinct ids.
    thread_local QHash<QString, QTimeZone> cache;
    const auto cached = cache.constFind(id);
    if (cached != cache.constEnd())
        return *cached;

    QTimeZone zone;
    const QByteArray utf8 = id.toUtf8();
    if (QTimeZone::isTimeZoneIdAvailable(utf8)) {
        zone = QTimeZone(utf8);
    } else {
        const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(utf8);
        if (!iana.isEmpty()) {
            zone = QTimeZone(iana);
        } else {
            // Vendor prefixes such as "/mozilla.org/20050126_1/Europe/Berlin".
            qsizetype slash = utf8.indexOf('/');
            while (slash >= 0 && !zone.isValid()) {
                const QByteArray tail = utf8.mid(slash + 1);
                if (!tail.isEmpty() && QTimeZone::isTimeZoneIdAvailable(tail))
                    zone = QTimeZone(tail);
                slash = utf8.indexOf('/', slash + 1);
            }
        }
    }
    cache.insert(id, zone);
    return zone;
}

QString decodeText(const QByteArray &utf8)
{
    QByteArray bytes;
    bytes.reserve(utf8.size());
    const char *data = utf8.constData();
    const qsizetype size = utf8.size();
    qsizetype i = utf8.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype runStart = i;
    for (; i < size; ++i) {
        if (data[i] != '\n')
            continue;
        // A line break followed by a space or tab is a fold: drop all three
        // (or two) bytes before decoding.
        if (i + 1 < size && (data[i + 1] == ' ' || data[i + 1] == '\t')) {
            const qsizetype breakStart = (i > runStart && data[i - 1] == '\r') ? i - 1 : i;
            bytes.append(data + runStart, breakStart - runStart);
            runStart = i + 2;
            ++i;
        }
    }
    if (runStart < size)
        bytes.append(data + runStart, size - runStart);
    return QString::fromUtf8(bytes);
}

} // namespace IcsCodec
