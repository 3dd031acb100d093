#include "calendar/icscodec.h"

#include "calendar/icslinereader.h"
#include "calendar/icstext.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace IcsCodec {

namespace {

const QLatin1String CalendarHead("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n");
const QLatin1String CalendarTail("END:VCALENDAR\r\n");

struct AlarmDraft
{
    QString action;
    bool relative = false;
    bool relatedToEnd = false;
    qint64 seconds = 0;
};

struct EventDraft
{
    Event event;
    QString accumulator;
    qint64 durationSeconds = 0;
    bool hasEnd = false;
    QStringList nested;
    AlarmDraft alarm;
    QList<AlarmDraft> alarms;
    QStringList zoneIds;
    QStringList exceptionDates;
};

QString stripMailto(const QString &value)
{
    const QString trimmed = value.trimmed();
    if (trimmed.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return trimmed.mid(7);
    return trimmed;
}

QString attendeeRole(const QString &param)
{
    const QString role = unquoteParam(param).toUpper();
    if (role.isEmpty() || role == QLatin1String("REQ-PARTICIPANT"))
        return QStringLiteral("required");
    if (role == QLatin1String("OPT-PARTICIPANT"))
        return QStringLiteral("optional");
    if (role == QLatin1String("CHAIR"))
        return QStringLiteral("chair");
    if (role == QLatin1String("NON-PARTICIPANT"))
        return QStringLiteral("non-participant");
    return role.toLower();
}

Attendee readAttendee(const ContentLine &line)
{
    Attendee attendee;
    attendee.email = stripMailto(line.value);
    attendee.name = unquoteParam(line.params.value(QStringLiteral("CN")));
    attendee.role = attendeeRole(line.params.value(QStringLiteral("ROLE")));
    const QString partStat = unquoteParam(line.params.value(QStringLiteral("PARTSTAT"))).toLower();
    attendee.status = partStat.isEmpty() ? QStringLiteral("needs-action") : partStat;
    attendee.type = unquoteParam(line.params.value(QStringLiteral("CUTYPE"))).toLower();
    attendee.rsvp = unquoteParam(line.params.value(QStringLiteral("RSVP")))
                        .compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
    return attendee;
}

// The stored zone name: the IANA id the TZID resolves to, or the TZID as
// written when no zone is known for it.
QString zoneName(const QString &tzid)
{
    const QTimeZone zone = zoneForId(tzid);
    return zone.isValid() ? QString::fromUtf8(zone.id()) : tzid;
}

void readExceptionDates(EventDraft &draft, const ContentLine &line)
{
    const QString tzid = unquoteParam(line.params.value(QStringLiteral("TZID")).trimmed());
    const bool zoned = !tzid.isEmpty() && zoneForId(tzid).isValid();
    for (const QString &piece : line.value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString value = piece.trimmed();
        bool isDate = false;
        const QDateTime when = parseDateTimeValue(value, line.params, &isDate);
        if (!when.isValid())
            continue;
        if (isDate)
            draft.exceptionDates.append(IcsText::dateText(when.date()));
        else if (zoned || value.endsWith(QLatin1Char('Z')) || value.endsWith(QLatin1Char('z')))
            draft.exceptionDates.append(IcsText::utcText(when));
        else // floating: read in the computer's zone, like the event itself
            draft.exceptionDates.append(IcsText::localText(when.date(), when.time()));
    }
}

void applyEventProperty(EventDraft &draft, const ContentLine &line)
{
    Event &event = draft.event;
    const QString &name = line.name;
    const QString &value = line.value;
    if (name == QLatin1String("UID")) {
        event.uid = unescapeText(value);
    } else if (name == QLatin1String("SUMMARY")) {
        event.title = unescapeText(value);
    } else if (name == QLatin1String("DESCRIPTION")) {
        event.description = unescapeText(value);
    } else if (name == QLatin1String("LOCATION")) {
        event.location = unescapeText(value);
    } else if (name == QLatin1String("DTSTART")) {
        bool isDate = false;
        event.start_time = parseDateTimeValue(value, line.params, &isDate);
        if (isDate)
            event.is_all_day = true;
        const QString tzid = unquoteParam(line.params.value(QStringLiteral("TZID")).trimmed());
        if (!tzid.isEmpty())
            event.timezone = zoneName(tzid);
    } else if (name == QLatin1String("DTEND")) {
        event.end_time = parseDateTimeValue(value, line.params);
        draft.hasEnd = true;
    } else if (name == QLatin1String("DURATION")) {
        draft.durationSeconds = parseDurationSeconds(value);
    } else if (name == QLatin1String("RRULE")) {
        event.recurrence_rule = value;
    } else if (name == QLatin1String("EXDATE")) {
        readExceptionDates(draft, line);
    } else if (name == QLatin1String("RECURRENCE-ID")) {
        const QDateTime when = parseDateTimeValue(value, line.params);
        event.recurrence_id = when.isValid() ? IcsText::utcText(when) : value;
    } else if (name == QLatin1String("STATUS")) {
        event.status = value.toLower();
    } else if (name == QLatin1String("SEQUENCE")) {
        event.sequence = value.toInt();
    } else if (name == QLatin1String("URL")) {
        event.event_url = value;
    } else if (name == QLatin1String("ORGANIZER")) {
        event.organizer_email = stripMailto(value);
        if (line.params.contains(QStringLiteral("CN")))
            event.organizer_name = unquoteParam(line.params.value(QStringLiteral("CN")));
    } else if (name == QLatin1String("ATTENDEE")) {
        const Attendee attendee = readAttendee(line);
        if (!attendee.email.isEmpty())
            event.attendees.append(attendee);
    } else if (name == QLatin1String("CREATED")) {
        event.created = parseDateTimeValue(value, line.params);
    } else if (name == QLatin1String("LAST-MODIFIED")) {
        event.last_modified = parseDateTimeValue(value, line.params);
    } else if (name == QLatin1String("RELATED-TO")) {
        const QString relType = unquoteParam(line.params.value(QStringLiteral("RELTYPE"), QStringLiteral("PARENT")));
        if (event.related_to_uid.isEmpty() && relType.compare(QLatin1String("PARENT"), Qt::CaseInsensitive) == 0)
            event.related_to_uid = unescapeText(value);
    }
}

void applyAlarmProperty(AlarmDraft &alarm, const ContentLine &line)
{
    if (line.name == QLatin1String("ACTION")) {
        alarm.action = line.value.trimmed().toLower();
    } else if (line.name == QLatin1String("TRIGGER")) {
        const QString valueType = unquoteParam(line.params.value(QStringLiteral("VALUE")));
        bool ok = false;
        const qint64 seconds = IcsText::signedDuration(line.value, &ok);
        alarm.relative = ok && valueType.compare(QLatin1String("DATE-TIME"), Qt::CaseInsensitive) != 0;
        alarm.seconds = alarm.relative ? seconds : 0;
        alarm.relatedToEnd = unquoteParam(line.params.value(QStringLiteral("RELATED")))
                                 .compare(QLatin1String("END"), Qt::CaseInsensitive) == 0;
    }
}

void noteZone(EventDraft &draft, const ContentLine &line)
{
    const auto tzid = line.params.constFind(QStringLiteral("TZID"));
    if (tzid == line.params.constEnd())
        return;
    const QString id = unquoteParam(tzid->trimmed());
    if (!id.isEmpty() && !draft.zoneIds.contains(id))
        draft.zoneIds.append(id);
}

// The VTIMEZONE blocks of the text by TZID, so each event's own text can
// carry the definitions its times refer to.
QHash<QString, QString> collectTimeZones(const QString &text)
{
    QHash<QString, QString> zones;
    QString block;
    QString tzid;
    int depth = 0;
    IcsLineReader reader(text);
    QString line;
    while (reader.next(&line)) {
        bool begin = false;
        QString component;
        const bool marker = IcsText::componentMarker(line, &begin, &component);
        if (depth == 0) {
            if (marker && begin && component == QLatin1String("VTIMEZONE")) {
                depth = 1;
                block = line + QLatin1String("\r\n");
                tzid.clear();
            }
            continue;
        }
        block += line;
        block += QLatin1String("\r\n");
        if (marker) {
            depth += begin ? 1 : -1;
            if (depth == 0 && !tzid.isEmpty() && !zones.contains(tzid))
                zones.insert(tzid, block);
        } else if (depth == 1 && line.startsWith(QLatin1String("TZID"), Qt::CaseInsensitive)) {
            const ContentLine content = splitContentLine(line);
            if (content.name == QLatin1String("TZID"))
                tzid = unquoteParam(content.value.trimmed());
        }
    }
    return zones;
}

void finishEvent(EventDraft &draft, const QHash<QString, QString> &zones, QList<Event> &result)
{
    Event &event = draft.event;
    if (event.uid.isEmpty())
        return;
    if (!draft.hasEnd && draft.durationSeconds >= 1 && event.start_time.isValid())
        event.end_time = event.start_time.addSecs(draft.durationSeconds);
    if (!event.recurrence_id.isEmpty() && event.master_event_uid.isEmpty())
        event.master_event_uid = event.uid;

    const qint64 length = (event.end_time && event.end_time->isValid() && event.start_time.isValid())
                              ? event.start_time.secsTo(*event.end_time)
                              : 0;
    for (const AlarmDraft &alarm : std::as_const(draft.alarms)) {
        if (!alarm.relative)
            continue;
        const qint64 fromStart = alarm.seconds + (alarm.relatedToEnd ? length : 0);
        Reminder reminder;
        reminder.minutes_before = int(-fromStart / 60);
        reminder.action = alarm.action.isEmpty() ? QStringLiteral("display") : alarm.action;
        event.reminders.append(reminder);
    }
    if (!draft.exceptionDates.isEmpty())
        event.exception_dates = QString::fromUtf8(
            QJsonDocument(QJsonArray::fromStringList(draft.exceptionDates)).toJson(QJsonDocument::Compact));

    QString raw;
    raw.reserve(CalendarHead.size() + draft.accumulator.size() + CalendarTail.size());
    raw += CalendarHead;
    for (const QString &id : std::as_const(draft.zoneIds)) {
        const auto zone = zones.constFind(id);
        if (zone != zones.constEnd())
            raw += *zone;
    }
    raw += draft.accumulator;
    raw += CalendarTail;
    event.raw_icalendar = raw;
    result.append(event);
}

} // namespace

QList<Event> parseEvents(const QString &text)
{
    QList<Event> result;
    result.reserve(text.count(QLatin1String("BEGIN:VEVENT")));
    const QHash<QString, QString> zones = text.contains(QLatin1String("VTIMEZONE"), Qt::CaseInsensitive)
                                              ? collectTimeZones(text)
                                              : QHash<QString, QString>();
    EventDraft draft;
    bool inEvent = false;

    IcsLineReader reader(text);
    QString line;
    while (reader.next(&line)) {
        bool begin = false;
        QString component;
        const bool marker = IcsText::componentMarker(line, &begin, &component);
        if (marker && begin && component == QLatin1String("VEVENT")) {
            draft = EventDraft();
            draft.accumulator.reserve(1024);
            draft.accumulator = line + QLatin1String("\r\n");
            inEvent = true;
            continue;
        }
        if (!inEvent)
            continue;
        draft.accumulator += line;
        draft.accumulator += QLatin1String("\r\n");
        if (marker && !begin && component == QLatin1String("VEVENT")) {
            finishEvent(draft, zones, result);
            inEvent = false;
            continue;
        }
        if (marker) {
            // Lines of a nested component (VALARM and the like) belong to
            // that component, not to the event.
            if (begin) {
                draft.nested.append(component);
                if (draft.nested.size() == 1 && component == QLatin1String("VALARM"))
                    draft.alarm = AlarmDraft();
            } else if (!draft.nested.isEmpty()) {
                const QString closed = draft.nested.takeLast();
                if (draft.nested.isEmpty() && closed == QLatin1String("VALARM"))
                    draft.alarms.append(draft.alarm);
            }
            continue;
        }

        const ContentLine content = splitContentLine(line);
        noteZone(draft, content);
        if (draft.nested.isEmpty())
            applyEventProperty(draft, content);
        else if (draft.nested.size() == 1 && draft.nested.first() == QLatin1String("VALARM"))
            applyAlarmProperty(draft.alarm, content);
    }
    return result;
}

} // namespace IcsCodec
