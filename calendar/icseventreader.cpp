#include "calendar/icscodec.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "calendar/icscalendarcontext.h"
#include "calendar/icscommonproperty.h"
#include "calendar/icscomponentwalk.h"
#include "calendar/icstext.h"
#include "calendar/recurrence.h"

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
    // The DURATION as a whole, and as its nominal days and exact rest.
    qint64 durationSeconds = 0;
    qint64 durationDays = 0;
    qint64 durationRest = 0;
    bool hasEnd = false;
    AlarmDraft alarm;
    QList<AlarmDraft> alarms;
    QStringList zoneIds;
    QStringList exceptionDates;
    QStringList extraDates;
    QStringList rules;
    // The wall-clock day of a RECURRENCE-ID written as a midnight in some
    // zone: it may name an all-day occurrence.
    QDate recurrenceDay;
};

// What the reader keeps across the items of one text.
struct ReadState
{
    IcsCalendarContext context;
    QList<QDate> recurrenceDays;
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

// The text one EXDATE or RDATE value is stored as: a date, an instant in
// UTC, or a floating wall-clock time (read in the computer's zone, like
// the event itself).
QString storedDateText(const QString &value, const QHash<QString, QString> &params, bool zoned)
{
    bool isDate = false;
    const QDateTime when = parseDateTimeValue(value, params, &isDate);
    if (!when.isValid())
        return QString();
    if (isDate)
        return IcsText::dateText(when.date());
    if (zoned || value.endsWith(QLatin1Char('Z')) || value.endsWith(QLatin1Char('z')))
        return IcsText::utcText(when);
    return IcsText::localText(when.date(), when.time());
}

void readDateList(QStringList &out, const ContentLine &line, const QHash<QString, QString> &params,
                  bool periods)
{
    const QString tzid = unquoteParam(params.value(QStringLiteral("TZID")).trimmed());
    const bool zoned = !tzid.isEmpty() && zoneForId(tzid).isValid();
    for (const QString &piece : line.value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString value = piece.trimmed();
        const qsizetype slash = periods ? value.indexOf(QLatin1Char('/')) : -1;
        const QString start = storedDateText(slash < 0 ? value : value.left(slash), params, zoned);
        if (start.isEmpty())
            continue;
        if (slash < 0) {
            out.append(start);
            continue;
        }
        // A period: its end as a stored date-time, or its duration.
        const QString tail = value.mid(slash + 1).trimmed();
        bool ok = false;
        IcsText::signedDuration(tail, &ok);
        const QString end = ok ? tail : storedDateText(tail, params, zoned);
        out.append(end.isEmpty() ? start : start + QLatin1Char('/') + end);
    }
}

// Midnight on the wall clock, with or without a zone: the day it names.
QDate midnightDay(const QString &value)
{
    QDate day;
    QTime time;
    if (!IcsText::readDateTime(value.trimmed(), &day, &time) || time != QTime(0, 0))
        return QDate();
    return day;
}

void applyEventProperty(EventDraft &draft, const ContentLine &line, const IcsCalendarContext &context)
{
    Event &event = draft.event;
    if (applyCommonProperty(event, line))
        return;
    const QString &name = line.name;
    const QString &value = line.value;
    if (name == QLatin1String("LOCATION")) {
        event.location = unescapeText(value);
    } else if (name == QLatin1String("DTSTART")) {
        bool isDate = false;
        const QHash<QString, QString> params = context.timeParams(line.params);
        event.start_time = parseDateTimeValue(value, params, &isDate);
        if (isDate)
            event.is_all_day = true;
        const QString tzid = unquoteParam(line.params.value(QStringLiteral("TZID")).trimmed());
        const bool utc = value.trimmed().endsWith(QLatin1Char('Z'), Qt::CaseInsensitive);
        if (!tzid.isEmpty())
            event.timezone = zoneName(tzid);
        else if (!isDate && !utc && !context.floatingZoneId.isEmpty())
            event.timezone = context.floatingZoneId; // floating: the calendar's zone
        else if (!isDate && !utc)
            // Floating: no zone, the computer's wall clock. Empty, not null:
            // the store's column holds no NULL.
            event.timezone = QLatin1String("");
    } else if (name == QLatin1String("DTEND")) {
        event.end_time = parseDateTimeValue(value, context.timeParams(line.params));
        draft.hasEnd = true;
    } else if (name == QLatin1String("DURATION")) {
        draft.durationSeconds = parseDurationSeconds(value);
        if (!IcsText::durationParts(value, &draft.durationDays, &draft.durationRest))
            draft.durationDays = draft.durationRest = 0;
    } else if (name == QLatin1String("RRULE")) {
        // Several rules give the union of their occurrences: one a line.
        if (!value.trimmed().isEmpty())
            draft.rules.append(value);
    } else if (name == QLatin1String("EXDATE")) {
        readDateList(draft.exceptionDates, line, context.timeParams(line.params), false);
    } else if (name == QLatin1String("RDATE")) {
        readDateList(draft.extraDates, line, context.timeParams(line.params), true);
    } else if (name == QLatin1String("RECURRENCE-ID")) {
        bool isDate = false;
        const QDateTime when = parseDateTimeValue(value, context.timeParams(line.params), &isDate);
        event.recurrence_id = when.isValid() ? Recurrence::recurrenceIdAt(when, false) : value;
        draft.recurrenceDay = isDate ? QDate() : midnightDay(value);
    } else if (name == QLatin1String("STATUS")) {
        event.status = value.toLower();
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

QString jsonList(const QStringList &items)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(items)).toJson(QJsonDocument::Compact));
}

void addReminders(Event &event, const QList<AlarmDraft> &alarms)
{
    // An end before the start has no length to count from; one too far off
    // gives no reminder that could be counted in minutes.
    const qint64 length = (event.end_time && event.end_time->isValid() && event.start_time.isValid())
                              ? std::max<qint64>(0, event.start_time.secsTo(*event.end_time))
                              : 0;
    for (const AlarmDraft &alarm : alarms) {
        if (!alarm.relative || (alarm.relatedToEnd && length > IcsText::MaxDurationSeconds))
            continue;
        const qint64 fromStart = alarm.seconds + (alarm.relatedToEnd ? length : 0);
        if (fromStart < -IcsText::MaxDurationSeconds || fromStart > IcsText::MaxDurationSeconds)
            continue;
        Reminder reminder;
        reminder.minutes_before = int(-fromStart / 60);
        reminder.action = alarm.action.isEmpty() ? QStringLiteral("display") : alarm.action;
        event.reminders.append(reminder);
    }
}

void finishEvent(EventDraft &draft, ReadState &state, QList<Event> &result)
{
    Event &event = draft.event;
    if (event.uid.isEmpty())
        return;
    // Days count on the start's wall clock, as for a to-do's due date.
    if (!draft.hasEnd && draft.durationSeconds >= 1 && event.start_time.isValid())
        event.end_time = IcsText::afterDuration(event.start_time, draft.durationDays, draft.durationRest);
    if (!event.recurrence_id.isEmpty() && event.master_event_uid.isEmpty())
        event.master_event_uid = event.uid;
    event.recurrence_rule = draft.rules.join(QLatin1Char('\n'));
    addReminders(event, draft.alarms);
    if (!draft.exceptionDates.isEmpty())
        event.exception_dates = jsonList(draft.exceptionDates);
    if (!draft.extraDates.isEmpty())
        event.recurrence_dates = jsonList(draft.extraDates);

    // Each event keeps the definitions of the zones it names, while the
    // budget lasts.
    const QString zoneText = state.context.zoneCopies(draft.zoneIds);
    const QString calendarZone = state.context.zoneLine();
    QString raw;
    raw.reserve(CalendarHead.size() + calendarZone.size() + zoneText.size() + draft.accumulator.size()
                + CalendarTail.size());
    raw += CalendarHead;
    raw += calendarZone;
    raw += zoneText;
    raw += draft.accumulator;
    raw += CalendarTail;
    event.raw_icalendar = raw;
    result.append(event);
    state.recurrenceDays.append(draft.recurrenceDay);
}

// An override whose RECURRENCE-ID is a midnight in some zone names the day
// of an all-day occurrence when its series (or, without the series in the
// text, the override itself) is all-day: it is stored in the date form
// the expander gives all-day occurrences.
void nameAllDayOccurrencesByDate(QList<Event> &events, const QList<QDate> &days)
{
    QHash<QString, bool> allDaySeries;
    for (const Event &event : std::as_const(events)) {
        if (Recurrence::isSeries(event))
            allDaySeries.insert(event.uid, event.is_all_day);
    }
    for (qsizetype i = 0; i < events.size(); ++i) {
        Event &event = events[i];
        if (!days.at(i).isValid() || event.master_event_uid.isEmpty())
            continue;
        if (allDaySeries.value(event.master_event_uid, event.is_all_day))
            event.recurrence_id = Recurrence::recurrenceIdAt(QDateTime(days.at(i), QTime(0, 0), Qt::UTC), true);
    }
}

} // namespace

QList<Event> parseEvents(const QString &text)
{
    QList<Event> result;
    ReadState state;
    state.context = IcsCalendarContext::read(text);
    EventDraft draft;

    IcsComponentWalk::Steps steps;
    steps.begin = [&] { draft = EventDraft(); };
    steps.property = [&](const ContentLine &line, IcsComponentWalk::Level level) {
        IcsCalendarContext::noteZone(draft.zoneIds, line);
        if (level == IcsComponentWalk::Level::Own)
            applyEventProperty(draft, line, state.context);
        else if (level == IcsComponentWalk::Level::Alarm)
            applyAlarmProperty(draft.alarm, line);
    };
    steps.alarmBegin = [&] { draft.alarm = AlarmDraft(); };
    steps.alarmEnd = [&] { draft.alarms.append(draft.alarm); };
    steps.end = [&](const QString &own) {
        draft.accumulator = own;
        finishEvent(draft, state, result);
    };
    IcsComponentWalk::walk(text, QStringLiteral("VEVENT"), steps);
    nameAllDayOccurrencesByDate(result, state.recurrenceDays);
    return result;
}

} // namespace IcsCodec
