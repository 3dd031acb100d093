#include "calendar/icseventlines.h"

#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/recurrence.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace IcsEventLines {

namespace {

// A token fit for an enumerated parameter (ROLE, PARTSTAT, CUTYPE).
bool isToken(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-'))
            return false;
    }
    return true;
}

QString calAddress(const QString &email)
{
    const QString trimmed = IcsText::uriValue(email.trimmed());
    if (trimmed.contains(QLatin1Char(':')))
        return trimmed;
    return QStringLiteral("mailto:") + trimmed;
}

QString roleParam(const QString &role)
{
    const QString lower = role.toLower();
    if (lower == QLatin1String("chair"))
        return QStringLiteral("CHAIR");
    if (lower == QLatin1String("optional"))
        return QStringLiteral("OPT-PARTICIPANT");
    if (lower == QLatin1String("non-participant"))
        return QStringLiteral("NON-PARTICIPANT");
    if (lower.isEmpty() || lower == QLatin1String("required"))
        return QStringLiteral("REQ-PARTICIPANT");
    return isToken(role) ? role.toUpper() : QStringLiteral("REQ-PARTICIPANT");
}

void setParam(Params &params, const QString &key, const QString &value)
{
    for (qsizetype i = 0; i < params.size(); ++i) {
        if (params.at(i).first.compare(key, Qt::CaseInsensitive) != 0)
            continue;
        if (value.isNull())
            params.removeAt(i);
        else
            params[i].second = value;
        return;
    }
    if (!value.isNull())
        params.append({key, value});
}

QString joinLine(const QString &name, const Params &params, const QString &value)
{
    QString line = name;
    for (const auto &param : params)
        line += QLatin1Char(';') + param.first + QLatin1Char('=') + param.second;
    return line + QLatin1Char(':') + value;
}

struct TimeForm
{
    bool allDay = false;
    QTimeZone zone;
    QString tzid;
    // Times on the computer's wall clock (zone), written without a TZID.
    bool floating = false;
};

// How a time the zone's wall clock names twice is written: as the instant
// (in UTC), or on the wall clock, read as the first of the two (RFC 5545,
// 3.3.5). A series' start and the occurrences it names go on the wall
// clock, as every reader steps a series there: in UTC the series would
// step in UTC and be an hour off from the next change on.
enum class Repeated { Exact, OnWallClock };

TimeForm timeForm(const Event &event)
{
    TimeForm form;
    form.allDay = event.is_all_day;
    if (!form.allDay)
        form.zone = writtenZone(event, &form.tzid);
    // A floating event stays floating, so that every reader keeps its
    // series on the wall clock.
    form.floating = !form.zone.isValid() && Recurrence::isFloating(event);
    if (form.floating)
        form.zone = QTimeZone::systemTimeZone();
    return form;
}

QString timeLine(const QString &name, const QDateTime &when, const TimeForm &form,
                 Repeated repeated = Repeated::Exact)
{
    if (form.allDay)
        return name + QStringLiteral(";VALUE=DATE:") + IcsText::dateText(when.date());
    // An instant the zone's wall clock cannot name goes in UTC.
    QString wall;
    if (form.zone.isValid())
        wall = repeated == Repeated::OnWallClock ? IcsText::wallClockText(when, form.zone)
                                                 : IcsText::wallText(when, form.zone);
    if (!wall.isEmpty() && form.floating)
        return name + QLatin1Char(':') + wall;
    if (!wall.isEmpty())
        return name + QStringLiteral(";TZID=") + IcsText::paramValue(form.tzid) + QLatin1Char(':') + wall;
    return name + QLatin1Char(':') + IcsText::utcText(when);
}

// The end of a series whose start is written an hour early (the second
// time of a repeated hour): its length kept from there, as the series'
// occurrences are read, so that only the first occurrence moves.
QDateTime seriesEndFrom(const Event &event, const QDateTime &writtenStart, bool hasEnd)
{
    return hasEnd ? Recurrence::occurrenceEnd(event, writtenStart).value_or(writtenStart) : writtenStart;
}

QStringList dateLines(const Event &event, const QString &property)
{
    const TimeForm form = timeForm(event);
    const QDateTime &start = event.start_time;
    if (!start.isValid())
        return {};
    const bool series = Recurrence::isSeries(event);
    if (property == QLatin1String("DTSTART"))
        return {timeLine(QStringLiteral("DTSTART"), start, form, series ? Repeated::OnWallClock : Repeated::Exact)};
    if (property != QLatin1String("DTEND"))
        return {};
    const bool hasEnd = event.end_time && event.end_time->isValid();
    if (series && !form.allDay && form.zone.isValid()) {
        const QDateTime writtenStart = IcsText::namedByWallClock(start, form.zone);
        if (writtenStart != start)
            return {timeLine(QStringLiteral("DTEND"), seriesEndFrom(event, writtenStart, hasEnd), form)};
    }
    if (form.allDay) {
        // Without an end an all-day event lasts its one day; an end is
        // exclusive and at least a day after the start.
        if (!hasEnd)
            return {};
        QDate end = event.end_time->date();
        if (end <= start.date())
            end = start.date().addDays(1);
        return {QStringLiteral("DTEND;VALUE=DATE:") + IcsText::dateText(end)};
    }
    return {timeLine(QStringLiteral("DTEND"), hasEnd ? *event.end_time : start, form)};
}

// One stored date-list entry as an instant: UTC with "Z", else the
// computer's local time; a date at 00:00 UTC.
QDateTime storedInstant(QString text)
{
    text = text.trimmed();
    if (!text.contains(QLatin1Char('T'))) {
        const QDate day = IcsText::readDate(text);
        return day.isValid() ? QDateTime(day, QTime(0, 0), Qt::UTC) : QDateTime();
    }
    const bool utc = text.endsWith(QLatin1Char('Z'));
    if (utc)
        text.chop(1);
    QDate day;
    QTime time;
    if (!IcsText::readDateTime(text, &day, &time))
        return QDateTime();
    return utc ? QDateTime(day, time, Qt::UTC) : IcsText::localWallClock(day, time);
}

// Empty where the zone's wall clock cannot name the instant.
QString writtenInstant(const QDateTime &when, const TimeForm &form, Repeated repeated)
{
    if (form.allDay)
        return IcsText::dateText(when.date());
    if (form.zone.isValid())
        return repeated == Repeated::OnWallClock ? IcsText::wallClockText(when, form.zone)
                                                 : IcsText::wallText(when, form.zone);
    return IcsText::utcText(when);
}

QString dateListHead(const QString &name, const TimeForm &form, bool periods)
{
    QString head = name;
    if (periods)
        head += QStringLiteral(";VALUE=PERIOD");
    else if (form.allDay)
        head += QStringLiteral(";VALUE=DATE");
    if (!form.allDay && form.zone.isValid() && !form.floating)
        head += QStringLiteral(";TZID=") + IcsText::paramValue(form.tzid);
    return head;
}

// EXDATE or RDATE lines of stored entries in the given form; periods
// ("start/end", "start/duration") on a line of their own. *named tells
// whether the form's wall clock named every instant.
QStringList dateListLines(const QJsonArray &entries, const QString &name, const TimeForm &form, Repeated repeated,
                          bool *named)
{
    QStringList values;
    QStringList periods;
    const auto written = [&](const QDateTime &when) {
        const QString text = writtenInstant(when, form, repeated);
        *named = *named && !text.isEmpty();
        return text;
    };
    for (const QJsonValue &entry : entries) {
        const QString text = entry.toString();
        const qsizetype slash = text.indexOf(QLatin1Char('/'));
        const QDateTime start = storedInstant(slash < 0 ? text : text.left(slash));
        if (!start.isValid())
            continue;
        if (slash < 0 || form.allDay) {
            values.append(written(start));
            continue;
        }
        const QString tail = text.mid(slash + 1).trimmed();
        bool ok = false;
        IcsText::signedDuration(tail, &ok);
        const QDateTime end = ok ? QDateTime() : storedInstant(tail);
        if (ok || end.isValid())
            periods.append(written(start) + QLatin1Char('/') + (ok ? IcsText::plainValue(tail) : written(end)));
        else
            values.append(written(start));
    }
    QStringList lines;
    if (!values.isEmpty())
        lines.append(dateListHead(name, form, false) + QLatin1Char(':') + values.join(QLatin1Char(',')));
    if (!periods.isEmpty())
        lines.append(dateListHead(name, form, true) + QLatin1Char(':') + periods.join(QLatin1Char(',')));
    return lines;
}

// Lines of entries in the given form, or in UTC where its zone's wall
// clock cannot name one of the instants (the second time of a repeated
// hour).
QStringList dateListLines(const QJsonArray &entries, const QString &name, TimeForm form, Repeated repeated)
{
    if (entries.isEmpty())
        return {};
    bool named = true;
    const QStringList lines = dateListLines(entries, name, form, repeated, &named);
    if (named)
        return lines;
    form.zone = QTimeZone();
    form.floating = false;
    return dateListLines(entries, name, form, repeated, &named);
}

// The form an extra date of a timed event is stored in, as read; a period
// by its start, on a line of its own.
struct StoredForm
{
    enum Kind { Date, Floating, Instant } kind = Instant;
    bool period = false;
    bool operator!=(const StoredForm &other) const { return kind != other.kind || period != other.period; }
};

StoredForm storedForm(const QString &entry)
{
    const QString start = entry.section(QLatin1Char('/'), 0, 0).trimmed();
    StoredForm form;
    form.period = entry.contains(QLatin1Char('/'));
    if (start.endsWith(QLatin1Char('Z')))
        form.kind = StoredForm::Instant;
    else if (start.contains(QLatin1Char('T')))
        form.kind = StoredForm::Floating;
    else if (!form.period) // a period names times, never a whole day
        form.kind = StoredForm::Date;
    return form;
}

// A timed event's extra dates, each in the form it was read in, so that
// every reader names the same occurrence with it: a date stays a date (the
// series' time of day that day, wherever it is read), a floating time
// stays floating, and an instant goes in the event's zone (the reader
// keeps one given in a zone as an instant), else in UTC. Neighbours of one
// form share a line, so that the list reads back in its order.
QStringList extraDateLines(const Event &event, const QJsonArray &entries)
{
    TimeForm instantForm = timeForm(event);
    if (instantForm.floating)
        instantForm = TimeForm();
    TimeForm dateForm;
    dateForm.allDay = true;
    TimeForm floatingForm;
    floatingForm.zone = QTimeZone::systemTimeZone();
    floatingForm.floating = true;
    const auto formOf = [&](const StoredForm &stored) -> const TimeForm & {
        return stored.kind == StoredForm::Date ? dateForm
            : stored.kind == StoredForm::Floating ? floatingForm
                                                 : instantForm;
    };
    QStringList lines;
    QJsonArray run;
    StoredForm runForm;
    for (const QJsonValue &entry : entries) {
        const StoredForm stored = storedForm(entry.toString());
        if (!run.isEmpty() && stored != runForm) {
            lines += dateListLines(run, QStringLiteral("RDATE"), formOf(runForm), Repeated::Exact);
            run = QJsonArray();
        }
        runForm = stored;
        run.append(entry);
    }
    return lines + dateListLines(run, QStringLiteral("RDATE"), formOf(runForm), Repeated::Exact);
}

// EXDATE or RDATE lines of a stored JSON list, in the event's own form. A
// series' skipped dates name its occurrences as its start does, on the
// wall clock; its extra dates are instants of their own, each written in
// the form it was read in.
QStringList dateListLines(const Event &event, const QString &name, const QString &json)
{
    if (json.trimmed().isEmpty())
        return {};
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isArray())
        return {};
    if (name == QLatin1String("RDATE") && !event.is_all_day)
        return extraDateLines(event, document.array());
    const Repeated repeated = name == QLatin1String("EXDATE") && Recurrence::isSeries(event) ? Repeated::OnWallClock
                                                                                             : Repeated::Exact;
    return dateListLines(document.array(), name, timeForm(event), repeated);
}

QStringList recurrenceIdLines(const Event &event)
{
    if (event.recurrence_id.isEmpty())
        return {};
    QString text = event.recurrence_id.trimmed();
    if (!text.endsWith(QLatin1Char('Z')))
        return {QStringLiteral("RECURRENCE-ID:") + IcsText::plainValue(text)};
    text.chop(1);
    QDate day;
    QTime time;
    if (!IcsText::readDateTime(text, &day, &time))
        return {QStringLiteral("RECURRENCE-ID:") + IcsText::plainValue(event.recurrence_id)};
    // It names an occurrence as the series' text does, on the wall clock.
    return {timeLine(QStringLiteral("RECURRENCE-ID"), QDateTime(day, time, Qt::UTC), timeForm(event),
                     Repeated::OnWallClock)};
}

// A UID (the series', a parent's) as read, so that a changed occurrence
// stays its series' on every reader. One holding what no content line can
// carry (a CR, a NUL) is cleaned as text: the event is still written.
QString uidValue(const QString &uid)
{
    if (std::any_of(uid.cbegin(), uid.cend(), IcsText::isUnwritableControl))
        return IcsCodec::escapeText(uid);
    return IcsCodec::escapeUid(uid);
}

QString triggerValue(int minutesBefore)
{
    if (minutesBefore == 0)
        return QStringLiteral("PT0S");
    if (minutesBefore > 0)
        return QStringLiteral("-PT%1M").arg(minutesBefore);
    return QStringLiteral("PT%1M").arg(-qint64(minutesBefore));
}

} // namespace

const QStringList &modelledProperties()
{
    static const QStringList names = {
        QStringLiteral("UID"),         QStringLiteral("DTSTAMP"),       QStringLiteral("CREATED"),
        QStringLiteral("LAST-MODIFIED"), QStringLiteral("SEQUENCE"),    QStringLiteral("STATUS"),
        QStringLiteral("SUMMARY"),     QStringLiteral("DESCRIPTION"),   QStringLiteral("LOCATION"),
        QStringLiteral("URL"),         QStringLiteral("DTSTART"),       QStringLiteral("DTEND"),
        QStringLiteral("DURATION"),    QStringLiteral("RRULE"),         QStringLiteral("RDATE"),
        QStringLiteral("EXDATE"),      QStringLiteral("RECURRENCE-ID"), QStringLiteral("ORGANIZER"),
        QStringLiteral("ATTENDEE"),
        QStringLiteral("RELATED-TO"),
    };
    return names;
}

QStringList ruleLinesAsStored(const Event &event)
{
    // Several rules are stored one a line; a lone CR ends one as well.
    QStringList lines;
    QString rules = event.recurrence_rule;
    rules.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString &rule : rules.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString written = IcsText::plainValue(rule).trimmed();
        if (!written.isEmpty())
            lines.append(QStringLiteral("RRULE:") + written);
    }
    return lines;
}

QString writtenRule(const Event &event, const QString &rule)
{
    if (event.is_all_day)
        return rule;
    // UNTIL takes the value type of DTSTART: a date ending a timed series
    // means the end of that day where the event happens, as a UTC instant.
    QStringList parts = rule.split(QLatin1Char(';'));
    for (QString &part : parts) {
        if (!part.startsWith(QLatin1String("UNTIL="), Qt::CaseInsensitive))
            continue;
        const QString value = part.mid(6).trimmed();
        const QDate day = value.size() == 8 ? IcsText::readDate(value) : QDate();
        if (!day.isValid())
            continue;
        QString tzid;
        const QTimeZone zone = writtenZone(event, &tzid);
        const QDateTime end(day, QTime(23, 59, 59), zone.isValid() ? zone : QTimeZone::utc());
        // A floating series' UNTIL is floating too (RFC 5545, 3.3.10).
        part = QStringLiteral("UNTIL=")
            + (Recurrence::isFloating(event) ? IcsText::localText(day, end.time()) : IcsText::utcText(end));
    }
    return parts.join(QLatin1Char(';'));
}

QString writtenUid(const Event &event)
{
    if (!event.recurrence_id.isEmpty() && !event.master_event_uid.isEmpty())
        return event.master_event_uid;
    return event.uid;
}

QTimeZone writtenZone(const Event &event, QString *tzid)
{
    const QString name = event.timezone.trimmed();
    if (name.isEmpty() || name == QLatin1String("UTC") || event.is_all_day)
        return QTimeZone();
    const QTimeZone zone = IcsCodec::zoneForId(name);
    if (!zone.isValid() || zone.id() == "UTC")
        return QTimeZone();
    if (tzid)
        *tzid = QString::fromUtf8(zone.id());
    return zone;
}

QStringList propertyLines(const Event &event, const QString &property)
{
    if (property == QLatin1String("UID"))
        return {QStringLiteral("UID:") + uidValue(writtenUid(event))};
    if (property == QLatin1String("DTSTAMP"))
        return {QStringLiteral("DTSTAMP:") + IcsText::utcText(QDateTime::currentDateTimeUtc())};
    if (property == QLatin1String("CREATED"))
        return event.created.isValid() ? QStringList{QStringLiteral("CREATED:") + IcsText::utcText(event.created)}
                                       : QStringList();
    if (property == QLatin1String("LAST-MODIFIED"))
        return event.last_modified.isValid()
                   ? QStringList{QStringLiteral("LAST-MODIFIED:") + IcsText::utcText(event.last_modified)}
                   : QStringList();
    if (property == QLatin1String("SEQUENCE"))
        return {QStringLiteral("SEQUENCE:%1").arg(std::max(0, event.sequence))};
    if (property == QLatin1String("STATUS"))
        return isToken(event.status) ? QStringList{QStringLiteral("STATUS:") + event.status.toUpper()}
                                     : QStringList();
    if (property == QLatin1String("SUMMARY"))
        return {QStringLiteral("SUMMARY:") + IcsCodec::escapeText(event.title)};
    if (property == QLatin1String("DESCRIPTION"))
        return event.description.isEmpty()
                   ? QStringList()
                   : QStringList{QStringLiteral("DESCRIPTION:") + IcsCodec::escapeText(event.description)};
    if (property == QLatin1String("LOCATION"))
        return event.location.isEmpty()
                   ? QStringList()
                   : QStringList{QStringLiteral("LOCATION:") + IcsCodec::escapeText(event.location)};
    if (property == QLatin1String("URL"))
        return event.event_url.trimmed().isEmpty() ? QStringList()
                                                   : QStringList{QStringLiteral("URL:")
                                                                 + IcsText::uriValue(event.event_url.trimmed())};
    if (property == QLatin1String("DTSTART") || property == QLatin1String("DTEND"))
        return dateLines(event, property);
    if (property == QLatin1String("RRULE")) {
        QStringList lines;
        for (const QString &line : ruleLinesAsStored(event))
            lines.append(QStringLiteral("RRULE:") + writtenRule(event, line.mid(6)));
        return lines;
    }
    if (property == QLatin1String("RDATE"))
        return dateListLines(event, QStringLiteral("RDATE"), event.recurrence_dates);
    if (property == QLatin1String("EXDATE"))
        return dateListLines(event, QStringLiteral("EXDATE"), event.exception_dates);
    if (property == QLatin1String("RECURRENCE-ID"))
        return recurrenceIdLines(event);
    if (property == QLatin1String("ORGANIZER"))
        return event.organizer_email.trimmed().isEmpty() ? QStringList() : QStringList{organizerLine(event)};
    if (property == QLatin1String("ATTENDEE")) {
        QStringList lines;
        for (const Attendee &attendee : event.attendees) {
            if (!attendee.email.trimmed().isEmpty())
                lines.append(attendeeLine(attendee));
        }
        return lines;
    }
    if (property == QLatin1String("RELATED-TO"))
        return event.related_to_uid.isEmpty()
                   ? QStringList()
                   : QStringList{QStringLiteral("RELATED-TO;RELTYPE=PARENT:")
                                 + uidValue(event.related_to_uid)};
    return {};
}

QString attendeeLine(const Attendee &attendee, const Params &kept)
{
    Params params = kept;
    const QString type = attendee.type.trimmed();
    setParam(params, QStringLiteral("CUTYPE"), isToken(type) ? type.toUpper() : QString());
    setParam(params, QStringLiteral("ROLE"), roleParam(attendee.role));
    const QString status = attendee.status.trimmed().isEmpty() ? QStringLiteral("needs-action") : attendee.status;
    setParam(params, QStringLiteral("PARTSTAT"), isToken(status) ? status.toUpper() : QStringLiteral("NEEDS-ACTION"));
    const bool hadRsvp = std::any_of(params.cbegin(), params.cend(), [](const auto &param) {
        return param.first.compare(QLatin1String("RSVP"), Qt::CaseInsensitive) == 0;
    });
    if (attendee.rsvp || hadRsvp)
        setParam(params, QStringLiteral("RSVP"), attendee.rsvp ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    setParam(params, QStringLiteral("CN"),
             attendee.name.trimmed().isEmpty() ? QString() : IcsText::paramValue(attendee.name));
    return joinLine(QStringLiteral("ATTENDEE"), params, calAddress(attendee.email));
}

QString organizerLine(const Event &event, const Params &kept)
{
    Params params = kept;
    setParam(params, QStringLiteral("CN"),
             event.organizer_name.trimmed().isEmpty() ? QString() : IcsText::paramValue(event.organizer_name));
    return joinLine(QStringLiteral("ORGANIZER"), params, calAddress(event.organizer_email));
}

QString alarmBlock(const Reminder &reminder, const Event &event)
{
    QString action = reminder.action.trimmed().toUpper();
    if (action == QLatin1String("EMAIL") && event.organizer_email.trimmed().isEmpty())
        action = QStringLiteral("DISPLAY"); // an e-mail alarm needs someone to write to
    if (action != QLatin1String("AUDIO") && action != QLatin1String("EMAIL"))
        action = QStringLiteral("DISPLAY");
    const QString text = IcsCodec::escapeText(event.title.isEmpty() ? QStringLiteral("Reminder") : event.title);

    QString out = QStringLiteral("BEGIN:VALARM\r\nACTION:") + action + QStringLiteral("\r\n");
    if (action != QLatin1String("AUDIO"))
        out += QStringLiteral("DESCRIPTION:") + text + QStringLiteral("\r\n");
    if (action == QLatin1String("EMAIL")) {
        out += QStringLiteral("SUMMARY:") + text + QStringLiteral("\r\n");
        out += QStringLiteral("ATTENDEE:") + calAddress(event.organizer_email) + QStringLiteral("\r\n");
    }
    out += QStringLiteral("TRIGGER:") + triggerValue(reminder.minutes_before) + QStringLiteral("\r\n");
    out += QStringLiteral("END:VALARM\r\n");
    return out;
}

Params orderedParams(const QString &line, QString *value)
{
    Params params;
    QString head;
    const qsizetype colon = IcsText::valueColon(line);
    if (value)
        *value = colon < 0 ? QString() : line.mid(colon + 1);
    head = colon < 0 ? line : line.left(colon);

    qsizetype start = 0;
    bool first = true;
    bool quoted = false;
    for (qsizetype i = 0; i <= head.size(); ++i) {
        const QChar c = i < head.size() ? head.at(i) : QLatin1Char(';');
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            continue;
        }
        if (c != QLatin1Char(';') || (quoted && i < head.size()))
            continue;
        const QString piece = head.mid(start, i - start);
        start = i + 1;
        if (first) {
            first = false;
            continue;
        }
        const qsizetype eq = piece.indexOf(QLatin1Char('='));
        if (eq > 0)
            params.append({piece.left(eq).toUpper(), piece.mid(eq + 1)});
    }
    return params;
}

} // namespace IcsEventLines
