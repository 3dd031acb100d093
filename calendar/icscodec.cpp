#include "calendar/icscodec.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringDecoder>

#include "calendar/icslinereader.h"
#include "calendar/icstext.h"
#include "calendar/icszonecache.h"

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
    const qsizetype colon = IcsText::valueColon(line);
    if (colon < 0) {
        result.name = line.toUpper();
        return result;
    }
    result.value = line.mid(colon + 1);

    qsizetype pieceStart = 0;
    bool first = true;
    bool quoted = false;
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

namespace {

// Escapes what a TEXT value must not hold as it is: backslash, semicolon,
// comma and line feed. A value to read back unchanged (`asRead`) keeps every
// other character; a text a user wrote has its other line breaks made line
// feeds and its other controls dropped.
QString escapeValue(const QString &text, bool asRead)
{
    QString out;
    out.reserve(text.size() + 8);
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case '\\':
            out.append(QLatin1String("\\\\"));
            continue;
        case ';':
            out.append(QLatin1String("\\;"));
            continue;
        case ',':
            out.append(QLatin1String("\\,"));
            continue;
        case '\n':
            out.append(QLatin1String("\\n"));
            continue;
        }
        if (asRead) {
            out.append(c);
            continue;
        }
        switch (c.unicode()) {
        case '\r':
            out.append(QLatin1String("\\n"));
            if (i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            break;
        case 0x0b:
        case 0x0c:
        case 0x85:
        case 0x2028:
        case 0x2029:
            // Line breaks by another name: some readers end a line there.
            out.append(QLatin1String("\\n"));
            break;
        default:
            // Other controls have no place in a text value.
            if (!IcsText::isLineControl(c))
                out.append(c);
        }
    }
    return out;
}

} // namespace

QString escapeText(const QString &text)
{
    return escapeValue(text, false);
}

QString escapeUid(const QString &uid)
{
    return escapeValue(uid, true);
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
    // Zone look-ups read the zone database; one reader sees few distinct ids.
    thread_local IcsZoneCache cache;
    return cache.zone(unquoteParam(rawId.trimmed()));
}

QString decodeText(const QByteArray &bytes)
{
    // A byte-order mark names UTF-16 or UTF-32: decoded whole, the line
    // reader then joins the folds.
    const std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForData(bytes);
    if (encoding && *encoding != QStringConverter::Utf8) {
        QStringDecoder decoder(*encoding);
        return decoder(bytes);
    }

    // UTF-8: folds are removed from the bytes before decoding, so that a
    // character split across a fold comes back whole. Lines end with LF
    // (after an optional CR), or with a lone CR in a text without LF.
    const char lineEnd = (bytes.contains('\n') || !bytes.contains('\r')) ? '\n' : '\r';
    QByteArray folded;
    folded.reserve(bytes.size());
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype runStart = i;
    for (; i < size; ++i) {
        if (data[i] != lineEnd)
            continue;
        // A line break followed by a space or tab is a fold: drop all three
        // (or two) bytes before decoding.
        if (i + 1 < size && (data[i + 1] == ' ' || data[i + 1] == '\t')) {
            // The CRs before it go too: CR CR LF ends lines as CR LF does.
            qsizetype cut = i;
            while (lineEnd == '\n' && cut > runStart && data[cut - 1] == '\r')
                --cut;
            folded.append(data + runStart, cut - runStart);
            runStart = i + 2;
            ++i;
        }
    }
    if (runStart < size)
        folded.append(data + runStart, size - runStart);
    return QString::fromUtf8(folded);
}

bool isCalendarText(const QString &text)
{
    static const QLatin1String markers[] = {QLatin1String("BEGIN:VCALENDAR"), QLatin1String("BEGIN:VEVENT"),
                                            QLatin1String("BEGIN:VTODO")};
    for (const QLatin1String &marker : markers) {
        for (qsizetype at = text.indexOf(marker, 0, Qt::CaseInsensitive); at >= 0;
             at = text.indexOf(marker, at + 1, Qt::CaseInsensitive)) {
            if (at == 0 || text.at(at - 1) == QLatin1Char('\n') || text.at(at - 1) == QLatin1Char('\r'))
                return true;
        }
    }
    return false;
}

IcsReadResult readEvents(const QByteArray &bytes)
{
    IcsReadResult result;
    const QString text = decodeText(bytes);
    if (!isCalendarText(text)) {
        result.error = QCoreApplication::translate("IcsCodec", "This is not a calendar file: it holds no "
                                                               "iCalendar data.");
        return result;
    }
    result.ok = true;
    result.events = parseEvents(text);
    return result;
}

} // namespace IcsCodec
