#include "sync/caldav/caldavpropertymeaning.h"

#include "calendar/icscodec.h"
#include "calendar/icstext.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QTimeZone>

#include <algorithm>

namespace CalDavPropertyMeaning {

namespace {

using Level = IcsComponentWalk::Level;
using Params = QHash<QString, QString>;

// A duration's nominal part, in days, and its exact part, in seconds.
struct Span
{
    qint64 days = 0;
    qint64 seconds = 0;
};

// What the texts of one component's properties depend on beyond the line.
struct Context
{
    QString kind;
    const ContentLine *start = nullptr;
    // An RRULE, RDATE or EXRULE: a series, counted from its start.
    bool repeats = false;
};

// A content line as written, folding aside.
QString lineText(const ContentLine &line)
{
    QString text = line.name;
    for (auto it = line.params.cbegin(); it != line.params.cend(); ++it)
        text += QLatin1Char(';') + it.key() + QLatin1Char('=') + it.value();
    return text + QLatin1Char(':') + line.value;
}

// Properties whose values are DATE or DATE-TIME values or lists of them.
bool isTimeProperty(const QString &name)
{
    static const QSet<QString> names{
        QStringLiteral("DTSTART"),       QStringLiteral("DTEND"),       QStringLiteral("DUE"),
        QStringLiteral("RECURRENCE-ID"), QStringLiteral("EXDATE"),      QStringLiteral("RDATE"),
        QStringLiteral("COMPLETED"),     QStringLiteral("CREATED"),     QStringLiteral("LAST-MODIFIED"),
        QStringLiteral("DTSTAMP"),       QStringLiteral("ACKNOWLEDGED")};
    return names.contains(name);
}

// Properties whose values are tokens, which iCalendar reads in any case.
bool hasTokenValue(const QString &name)
{
    static const QSet<QString> names{QStringLiteral("ACTION"), QStringLiteral("CLASS"), QStringLiteral("STATUS"),
                                     QStringLiteral("TRANSP")};
    return names.contains(name);
}

// Parameters whose values are tokens.
bool hasTokenParam(const QString &name)
{
    static const QSet<QString> names{
        QStringLiteral("CUTYPE"),   QStringLiteral("ENCODING"),       QStringLiteral("FBTYPE"),
        QStringLiteral("PARTSTAT"), QStringLiteral("RANGE"),          QStringLiteral("RELATED"),
        QStringLiteral("RELTYPE"),  QStringLiteral("ROLE"),           QStringLiteral("RSVP"),
        QStringLiteral("VALUE")};
    return names.contains(name);
}

// Parameters a scheduling server sets on an organizer and the attendees of
// a meeting it stores (RFC 6638): the status of the message it sent each
// one, the agent that sends them, a request to send one it drops. They are
// the server's, not the user's.
bool isSchedulingParam(const QString &name)
{
    static const QSet<QString> names{QStringLiteral("SCHEDULE-STATUS"), QStringLiteral("SCHEDULE-AGENT"),
                                     QStringLiteral("SCHEDULE-FORCE-SEND")};
    return names.contains(name);
}

// Properties a component gives at most once (RFC 5545), of which the
// program's reader takes the last it finds; a to-do's rule too. A journal
// may give several descriptions.
bool readsLast(const QString &name, const QString &kind)
{
    static const QSet<QString> names{
        QStringLiteral("CLASS"),         QStringLiteral("COMPLETED"),        QStringLiteral("CREATED"),
        QStringLiteral("DESCRIPTION"),   QStringLiteral("DTEND"),            QStringLiteral("DTSTART"),
        QStringLiteral("DUE"),           QStringLiteral("DURATION"),         QStringLiteral("GEO"),
        QStringLiteral("LAST-MODIFIED"), QStringLiteral("LOCATION"),         QStringLiteral("ORGANIZER"),
        QStringLiteral("PRIORITY"),      QStringLiteral("PERCENT-COMPLETE"), QStringLiteral("RECURRENCE-ID"),
        QStringLiteral("SEQUENCE"),      QStringLiteral("STATUS"),           QStringLiteral("SUMMARY"),
        QStringLiteral("TRANSP"),        QStringLiteral("UID"),              QStringLiteral("URL")};
    if (kind == QLatin1String("VTODO") && name == QLatin1String("RRULE"))
        return true;
    if (kind == QLatin1String("VJOURNAL") && name == QLatin1String("DESCRIPTION"))
        return false;
    return names.contains(name);
}

// The value type a property has without a VALUE parameter.
QString defaultType(const QString &property)
{
    static const QHash<QString, QString> types{{QStringLiteral("TRIGGER"), QStringLiteral("DURATION")},
                                               {QStringLiteral("DURATION"), QStringLiteral("DURATION")},
                                               {QStringLiteral("RRULE"), QStringLiteral("RECUR")},
                                               {QStringLiteral("EXRULE"), QStringLiteral("RECUR")},
                                               {QStringLiteral("ATTENDEE"), QStringLiteral("CAL-ADDRESS")},
                                               {QStringLiteral("ORGANIZER"), QStringLiteral("CAL-ADDRESS")},
                                               {QStringLiteral("URL"), QStringLiteral("URI")},
                                               {QStringLiteral("ATTACH"), QStringLiteral("URI")},
                                               {QStringLiteral("SEQUENCE"), QStringLiteral("INTEGER")},
                                               {QStringLiteral("PRIORITY"), QStringLiteral("INTEGER")},
                                               {QStringLiteral("PERCENT-COMPLETE"), QStringLiteral("INTEGER")},
                                               {QStringLiteral("GEO"), QStringLiteral("FLOAT")}};
    if (isTimeProperty(property))
        return QStringLiteral("DATE-TIME");
    return types.value(property, QStringLiteral("TEXT"));
}

// The value a parameter left out stands for; empty for one without.
QString defaultParam(const QString &param, const QString &property)
{
    static const QHash<QString, QString> defaults{{QStringLiteral("CUTYPE"), QStringLiteral("INDIVIDUAL")},
                                                  {QStringLiteral("ENCODING"), QStringLiteral("8BIT")},
                                                  {QStringLiteral("FBTYPE"), QStringLiteral("BUSY")},
                                                  {QStringLiteral("PARTSTAT"), QStringLiteral("NEEDS-ACTION")},
                                                  {QStringLiteral("RELATED"), QStringLiteral("START")},
                                                  {QStringLiteral("RELTYPE"), QStringLiteral("PARENT")},
                                                  {QStringLiteral("ROLE"), QStringLiteral("REQ-PARTICIPANT")},
                                                  {QStringLiteral("RSVP"), QStringLiteral("FALSE")}};
    return param == QLatin1String("VALUE") ? defaultType(property) : defaults.value(param);
}

// `inValue`: the compared value itself says whether it is a date, a
// date-time or a duration and in which zone, so VALUE and TZID add nothing.
QString paramsText(const ContentLine &line, bool inValue)
{
    QStringList params;
    for (auto it = line.params.cbegin(); it != line.params.cend(); ++it) {
        const QString &name = it.key();
        if (isSchedulingParam(name))
            continue;
        QString value = QString(it.value()).remove(QLatin1Char('"'));
        if (hasTokenParam(name))
            value = value.trimmed().toUpper();
        if (inValue && (name == QLatin1String("TZID") || name == QLatin1String("VALUE")))
            continue;
        const QString fallback = defaultParam(name, line.name);
        if (!fallback.isEmpty() && value == fallback)
            continue;
        params.append(name + QLatin1Char('=') + value);
    }
    params.sort();
    return params.join(QLatin1Char(';'));
}

// A DATE or DATE-TIME value as read, with its zone.
struct Moment
{
    enum Kind { Unread, Date, Floating, Utc, Zoned, UnknownZone };
    Kind kind = Unread;
    QDate day;
    QTime time;
    QTimeZone zone;
    QString tzid;
    QString text;
};

Moment readMoment(const QString &raw, const Params &params)
{
    Moment moment;
    moment.text = raw.trimmed();
    moment.tzid = IcsCodec::unquoteParam(params.value(QStringLiteral("TZID"))).trimmed();
    const QString &value = moment.text;
    if (value.size() == 8 && !value.contains(QLatin1Char('T'))) {
        moment.day = IcsText::readDate(value);
        moment.kind = moment.day.isValid() ? Moment::Date : Moment::Unread;
        return moment;
    }
    const bool utc = value.endsWith(QLatin1Char('Z'), Qt::CaseInsensitive);
    if (!IcsText::readDateTime(utc ? QStringView(value).chopped(1) : QStringView(value), &moment.day, &moment.time))
        return moment;
    if (utc) {
        moment.kind = Moment::Utc;
    } else if (moment.tzid.isEmpty()) {
        moment.kind = Moment::Floating;
    } else {
        moment.zone = IcsCodec::zoneForId(moment.tzid);
        moment.kind = moment.zone.isValid() ? Moment::Zoned : Moment::UnknownZone;
    }
    return moment;
}

// An instant in UTC; a date, a floating time, or a time in a zone this
// system does not know, as it is. `keepZone`: a zoned time as its zone and
// wall clock, where the zone says more than the instant.
QString momentText(const Moment &moment, bool keepZone = false)
{
    switch (moment.kind) {
    case Moment::Date:
        return IcsText::dateText(moment.day);
    case Moment::Floating:
        return IcsText::localText(moment.day, moment.time);
    case Moment::Utc:
        return IcsText::utcText(QDateTime(moment.day, moment.time, Qt::UTC));
    case Moment::Zoned: {
        if (keepZone)
            return QString::fromUtf8(moment.zone.id()) + QLatin1Char(':')
                + IcsText::localText(moment.day, moment.time);
        const QString instant = IcsText::utcText(IcsText::wallClock(moment.day, moment.time, moment.zone));
        if (!instant.isEmpty())
            return instant;
        break;
    }
    case Moment::UnknownZone:
    case Moment::Unread:
        break;
    }
    return moment.tzid.isEmpty() ? moment.text : moment.tzid + QLatin1Char(':') + moment.text;
}

// Seconds with their sign; a value that is no duration this system reads
// (past its bound among them) as it is, never as some number of seconds.
QString durationText(const QString &value)
{
    bool ok = false;
    const qint64 seconds = IcsText::signedDuration(value, &ok);
    return ok ? QString::number(seconds) + QLatin1Char('s') : value.trimmed();
}

// A DURATION as its sign's nominal part (weeks and days, as days: one over
// a change to summer time has 23 hours) and exact part (hours, minutes and
// seconds, in seconds); false for a value that is none.
bool readSpan(const QString &duration, Span *span)
{
    QStringView text = QStringView(duration).trimmed();
    int sign = 1;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        sign = text.front() == u'-' ? -1 : 1;
        text = text.mid(1);
    }
    if (text.isEmpty() || text.front() != u'P')
        return false;
    const QStringView body = text.mid(1);
    const qsizetype timePart = body.indexOf(u'T');
    bool daysRead = false;
    bool secondsRead = true;
    span->days = sign * (IcsText::durationBody(timePart < 0 ? body : body.left(timePart), &daysRead) / 86400);
    span->seconds = timePart < 0 ? 0 : sign * IcsText::durationBody(body.mid(timePart), &secondsRead);
    return daysRead && secondsRead;
}

QString spanText(const Span &span)
{
    return QString::number(span.days) + QLatin1Char('d') + QString::number(span.seconds) + QLatin1Char('s');
}

// The end a start and a span name, as an end's value is compared; empty
// where it has no such form (a date start with hours, a zone this system
// does not know, a value it does not read).
QString endText(const ContentLine &start, const Span &span)
{
    Moment end = readMoment(start.value, start.params);
    if (end.kind == Moment::Date && span.seconds == 0) {
        end.day = end.day.addDays(span.days);
    } else if (end.kind == Moment::Floating || end.kind == Moment::Utc) {
        const QDateTime at = QDateTime(end.day, end.time, Qt::UTC).addDays(span.days).addSecs(span.seconds);
        end.day = at.date();
        end.time = at.time();
    } else if (end.kind == Moment::Zoned) {
        return IcsText::utcText(
            IcsText::wallClock(end.day, end.time, end.zone).addDays(span.days).addSecs(span.seconds));
    } else {
        return QString();
    }
    return end.day.isValid() ? momentText(end) : QString();
}

// Whether the program's reader makes an end (of an event) or a due date (of
// a to-do) of the start and the duration: what it cannot read it ignores.
bool readerTakesDuration(const Context &context, const QString &duration)
{
    const QString startLine = context.start ? lineText(*context.start) : QStringLiteral("DTSTART:20000101T000000Z");
    if (std::any_of(duration.cbegin(), duration.cend(), IcsText::isLineControl)
        || std::any_of(startLine.cbegin(), startLine.cend(), IcsText::isLineControl))
        return false;
    const QString text = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:%1\r\nUID:duration\r\n%2\r\nDURATION:%3\r\n"
                                        "END:%1\r\nEND:VCALENDAR\r\n")
                             .arg(context.kind, startLine, duration);
    if (context.kind == QLatin1String("VEVENT")) {
        const QList<Event> events = IcsCodec::parseEvents(text);
        return events.size() == 1 && events.first().end_time && events.first().end_time->isValid();
    }
    if (context.kind == QLatin1String("VTODO")) {
        const QList<Task> tasks = IcsCodec::parseTodos(text);
        return tasks.size() == 1 && tasks.first().due_date && tasks.first().due_date->isValid();
    }
    return false;
}

// A number without a plus sign or leading zeros; anything else as it is.
QString numberText(const QString &text)
{
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    return ok ? QString::number(number) : text;
}

// A BYDAY entry with its ordinal as a number ("+1SU" as "1SU").
QString weekdayText(const QString &entry)
{
    if (entry.size() <= 2)
        return entry;
    return numberText(entry.chopped(2)) + entry.right(2);
}

// A recurrence rule as its set of parts and each list as a set: writers
// order them as they like. INTERVAL=1 and WKST=MO say what a rule without
// them means; UNTIL is an instant, read in the start's zone unless in UTC.
// A rule that gives a part twice is as it is: the reader takes the last,
// so their order is what the rule says.
QString ruleText(const QString &value, const Params &startParams)
{
    QStringList parts;
    QSet<QString> keys;
    for (const QString &piece : value.toUpper().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = piece.indexOf(QLatin1Char('='));
        const QString key = (eq < 0 ? piece : piece.left(eq)).trimmed();
        if (keys.contains(key))
            return value;
        keys.insert(key);
        QString part = eq < 0 ? QString() : piece.mid(eq + 1).trimmed();
        if (key == QLatin1String("UNTIL")) {
            part = momentText(readMoment(part, startParams));
        } else if (key == QLatin1String("COUNT") || key == QLatin1String("INTERVAL")) {
            part = numberText(part);
        } else if (key.startsWith(QLatin1String("BY"))) {
            QStringList items = part.split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (QString &item : items)
                item = key == QLatin1String("BYDAY") ? weekdayText(item.trimmed()) : numberText(item.trimmed());
            items.sort();
            items.removeDuplicates();
            part = items.join(QLatin1Char(','));
        }
        if ((key == QLatin1String("INTERVAL") && part == QLatin1String("1"))
            || (key == QLatin1String("WKST") && part == QLatin1String("MO")))
            continue;
        parts.append(key + QLatin1Char('=') + part);
    }
    parts.sort();
    return parts.join(QLatin1Char(';'));
}

QString placeOf(Level level)
{
    return level == Level::Own     ? QString()
           : level == Level::Alarm ? QStringLiteral("VALARM/")
                                   : QStringLiteral("NESTED/");
}

QString valueType(const ContentLine &line)
{
    return IcsCodec::unquoteParam(line.params.value(QStringLiteral("VALUE"))).trimmed().toUpper();
}

// The items of a date list line (EXDATE, RDATE) as compared, each with the
// parameters that are not in its value.
QStringList dateItems(const ContentLine &line)
{
    const bool period = valueType(line) == QLatin1String("PERIOD");
    const QString params = paramsText(line, !period) + QLatin1Char(':');
    QStringList items;
    for (const QString &item : line.value.split(QLatin1Char(','), Qt::SkipEmptyParts))
        items.append(params + (period ? item.trimmed() : momentText(readMoment(item, line.params))));
    return items;
}

// The categories of a CATEGORIES line as compared, each with the line's
// parameters: the reader takes every line's, each category once.
QStringList categoryItems(const ContentLine &line)
{
    const QString params = paramsText(line, false) + QLatin1Char(':');
    QStringList items;
    for (const QString &item : IcsText::splitEscapedList(line.value)) {
        const QString category = IcsCodec::unescapeText(item.trimmed());
        if (!category.isEmpty())
            items.append(params + IcsCodec::escapeText(category));
    }
    return items;
}

// A reminder's trigger: a duration only where its value type is one.
QString triggerText(const ContentLine &line)
{
    const QString value = line.value.trimmed();
    const QString type = valueType(line);
    const bool relative = (type.isEmpty() || type == QLatin1String("DURATION"))
                          && (value.startsWith(QLatin1Char('P')) || value.startsWith(QLatin1Char('-'))
                              || value.startsWith(QLatin1Char('+')));
    return relative ? durationText(value) : momentText(readMoment(value, line.params));
}

void appendTexts(QStringList *out, const ContentLine &line, Level level, const Context &context)
{
    const QString head = placeOf(level) + line.name + QLatin1Char(';');
    const bool own = level == Level::Own;
    if (isTimeProperty(line.name) && valueType(line) != QLatin1String("PERIOD")) {
        // A series counts its occurrences on its start's wall clock.
        const bool keepZone = own && context.repeats && line.name == QLatin1String("DTSTART");
        const QString params = head + paramsText(line, true) + QLatin1Char(':');
        for (const QString &item : line.value.split(QLatin1Char(','), Qt::SkipEmptyParts))
            out->append(params + momentText(readMoment(item, line.params), keepZone));
        return;
    }
    if (line.name == QLatin1String("TRIGGER")) {
        out->append(head + paramsText(line, true) + QLatin1Char(':') + triggerText(line));
        return;
    }
    QString value;
    Span span;
    if (own && line.name == QLatin1String("DURATION"))
        value = readerTakesDuration(context, line.value) && readSpan(line.value, &span) ? spanText(span) : line.value;
    else if (line.name == QLatin1String("DURATION"))
        value = durationText(line.value);
    else if (line.name == QLatin1String("RRULE") || line.name == QLatin1String("EXRULE"))
        value = ruleText(line.value, context.start ? context.start->params : Params());
    else if (hasTokenValue(line.name))
        value = line.value.trimmed().toUpper();
    else
        value = IcsCodec::unescapeText(line.value);
    out->append(head + paramsText(line, false) + QLatin1Char(':') + value);
}

// The end a component's DTSTART and DURATION name, as its DTEND or DUE is
// compared; empty where the reader makes no end of them, or where the end
// stands for something else: on a series whose start has a zone or none,
// a duration of days gives each occurrence a calendar day, an end each
// one the first one's exact length.
QString durationEnd(const Context &context, const ContentLine &duration)
{
    Span span;
    if (!context.start || !readerTakesDuration(context, duration.value) || !readSpan(duration.value, &span))
        return QString();
    const Moment start = readMoment(context.start->value, context.start->params);
    if (context.repeats && span.days != 0 && start.kind != Moment::Date && start.kind != Moment::Utc)
        return QString();
    return endText(*context.start, span);
}

} // namespace

QStringList texts(const QList<Line> &lines, const QString &kind)
{
    const QString endName = kind == QLatin1String("VEVENT")  ? QStringLiteral("DTEND")
                            : kind == QLatin1String("VTODO") ? QStringLiteral("DUE")
                                                             : QString();
    Context context;
    context.kind = kind;
    const ContentLine *duration = nullptr;
    bool hasEnd = false;
    for (const Line &line : lines) {
        if (line.second != Level::Own)
            continue;
        const QString &name = line.first.name;
        // The reader takes the last start and duration given.
        if (name == QLatin1String("DTSTART"))
            context.start = &line.first;
        else if (name == QLatin1String("DURATION"))
            duration = &line.first;
        else if (!endName.isEmpty() && name == endName)
            hasEnd = true;
        else if (name == QLatin1String("RRULE") || name == QLatin1String("RDATE") || name == QLatin1String("EXRULE"))
            context.repeats = true;
    }
    QStringList out;
    out.reserve(lines.size() + 2);
    // Each date list as one set, however many lines hold it, and one even
    // when empty: a date more or less is another series.
    QStringList exceptions;
    QStringList extras;
    // The categories too, however many lines give them.
    QStringList categories;
    // How many lines of each property the reader takes the last of are yet
    // to come.
    QHash<QString, int> toCome;
    for (const Line &line : lines) {
        if (line.second == Level::Own && readsLast(line.first.name, kind))
            ++toCome[line.first.name];
    }
    for (const Line &line : lines) {
        const ContentLine &content = line.first;
        if (line.second == Level::Own && content.name == QLatin1String("EXDATE")) {
            exceptions += dateItems(content);
            continue;
        }
        if (line.second == Level::Own && content.name == QLatin1String("RDATE")) {
            extras += dateItems(content);
            continue;
        }
        if (line.second == Level::Own && content.name == QLatin1String("CATEGORIES")) {
            categories += categoryItems(content);
            continue;
        }
        const qsizetype first = out.size();
        // A start with a duration says what the start with its end says.
        const QString end = &content == duration && !hasEnd && !endName.isEmpty() ? durationEnd(context, content)
                                                                                    : QString();
        if (!end.isEmpty())
            out.append(endName + QStringLiteral(";:") + end);
        else
            appendTexts(&out, content, line.second, context);
        // Given twice, the last one is what the component says: each earlier
        // one counts by how many follow it, so their order is compared.
        const int after = line.second == Level::Own && toCome.contains(content.name) ? --toCome[content.name] : 0;
        for (qsizetype i = first; after > 0 && i < out.size(); ++i)
            out[i].prepend(QString::number(after) + QLatin1String(" before the last/"));
    }
    for (QStringList *set : {&exceptions, &extras, &categories}) {
        set->sort();
        set->removeDuplicates();
    }
    out.append(QStringLiteral("EXDATE;:") + exceptions.join(QLatin1Char(',')));
    out.append(QStringLiteral("RDATE;:") + extras.join(QLatin1Char(',')));
    if (!categories.isEmpty())
        out.append(QStringLiteral("CATEGORIES;:") + categories.join(QLatin1Char(',')));
    return out;
}

QStringList alarmTexts(const QList<Line> &lines)
{
    QStringList out;
    out.reserve(lines.size());
    for (const Line &line : lines)
        appendTexts(&out, line.first, Level::Alarm, Context());
    return out;
}

QString timeText(const ContentLine &line)
{
    return momentText(readMoment(line.value, line.params));
}

} // namespace CalDavPropertyMeaning
