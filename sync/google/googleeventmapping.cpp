#include "sync/google/googleeventmapping.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>

#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "sync/oauth/changedmembers.h"
#include "sync/oauth/pulledevent.h"

namespace Google {

namespace {

QString text(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString();
}

QString attendeeStatusFromGoogle(const QString &responseStatus)
{
    const QString status = responseStatus.toLower();
    if (status == QLatin1String("accepted") || status == QLatin1String("declined")
        || status == QLatin1String("tentative"))
        return status;
    return QStringLiteral("needs-action");
}

QString attendeeStatusToGoogle(const QString &status)
{
    const QString lower = status.toLower();
    if (lower == QLatin1String("accepted") || lower == QLatin1String("declined")
        || lower == QLatin1String("tentative"))
        return lower;
    return QStringLiteral("needsAction");
}

// Nothing for an entry without an address.
std::optional<Attendee> attendeeFrom(const QJsonObject &entry)
{
    const QString email = text(entry, "email");
    if (email.isEmpty())
        return std::nullopt;
    Attendee attendee;
    attendee.email = email;
    attendee.name = text(entry, "displayName");
    if (entry.value(QStringLiteral("organizer")).toBool())
        attendee.role = QStringLiteral("chair");
    else if (entry.value(QStringLiteral("optional")).toBool())
        attendee.role = QStringLiteral("optional");
    else
        attendee.role = QStringLiteral("required");
    attendee.status = attendeeStatusFromGoogle(text(entry, "responseStatus"));
    attendee.rsvp = true;
    return attendee;
}

QList<Reminder> remindersFrom(const QJsonObject &reminders)
{
    QList<Reminder> result;
    const QJsonArray overrides = reminders.value(QStringLiteral("overrides")).toArray();
    for (const QJsonValue &value : overrides) {
        const QJsonObject entry = value.toObject();
        const int minutes = entry.value(QStringLiteral("minutes")).toInt(-1);
        if (minutes < 0)
            continue;
        Reminder reminder;
        reminder.minutes_before = minutes;
        const QString method = text(entry, "method");
        reminder.action = method.isEmpty() ? QStringLiteral("display") : method;
        result.append(reminder);
    }
    return result;
}

QJsonObject remindersTo(const QList<Reminder> &reminders)
{
    QJsonArray overrides;
    for (const Reminder &reminder : reminders) {
        QJsonObject entry;
        const bool popup = reminder.action.isEmpty() || reminder.action == QLatin1String("display");
        entry.insert(QStringLiteral("method"), popup ? QStringLiteral("popup") : reminder.action);
        entry.insert(QStringLiteral("minutes"), reminder.minutes_before);
        overrides.append(entry);
    }
    QJsonObject result;
    result.insert(QStringLiteral("useDefault"), false);
    result.insert(QStringLiteral("overrides"), overrides);
    return result;
}

// The "EXDATE" lines of the days a series skips, one a day: a time in UTC,
// an all-day series' date as a date.
QJsonArray exceptionLines(const Event &event)
{
    QJsonArray lines;
    const QJsonArray dates = QJsonDocument::fromJson(event.exception_dates.toUtf8()).array();
    for (const QJsonValue &value : dates) {
        const QString date = value.toString();
        if (IcsText::readDate(date).isValid())
            lines.append(QStringLiteral("EXDATE;VALUE=DATE:") + date);
        else if (date.endsWith(QLatin1Char('Z')))
            lines.append(QStringLiteral("EXDATE:") + date);
    }
    return lines;
}

QJsonObject attendeeTo(const Attendee &attendee)
{
    QJsonObject entry{{QStringLiteral("email"), attendee.email},
                      {QStringLiteral("responseStatus"), attendeeStatusToGoogle(attendee.status)}};
    if (!attendee.name.isEmpty())
        entry.insert(QStringLiteral("displayName"), attendee.name);
    if (attendee.role == QLatin1String("optional"))
        entry.insert(QStringLiteral("optional"), true);
    return entry;
}

QDateTime endFor(const Event &event)
{
    QDateTime end = OAuth::endOrDefault(event);
    if (event.is_all_day && end.date() <= event.start_time.date())
        end = QDateTime(event.start_time.date().addDays(1), QTime(0, 0), end.timeSpec() == Qt::UTC ? Qt::UTC
                                                                                                  : Qt::LocalTime);
    return end;
}

// What Google gives an event itself and takes from no insert: its ids,
// tag, links and stamps, its creator and organizer, and an instance's
// series and the start it replaces.
void dropGoogleOwn(QJsonObject &json)
{
    for (const char *key : {"id", "etag", "kind", "htmlLink", "iCalUID", "created", "updated", "creator",
                            "organizer", "hangoutLink", "recurringEventId", "originalStartTime", "privateCopy",
                            "locked", "attendeesOmitted"})
        json.remove(QLatin1String(key));
}

} // namespace

bool operator==(const EventTime &a, const EventTime &b)
{
    return a.dateTime == b.dateTime && a.dateTime.timeSpec() == b.dateTime.timeSpec() && a.isAllDay == b.isAllDay
           && a.timeZone == b.timeZone;
}

EventTime eventTimeFromJson(const QJsonObject &time)
{
    EventTime result;
    const QString dateTime = text(time, "dateTime");
    const QString date = text(time, "date");
    if (!dateTime.isEmpty()) {
        result.dateTime = OAuth::parseIsoInstant(dateTime);
        result.timeZone = text(time, "timeZone");
    } else if (!date.isEmpty()) {
        // A calendar date, read as the store reads stored dates.
        const QDate day = QDate::fromString(date, Qt::ISODate);
        if (day.isValid())
            result.dateTime = QDateTime(day, QTime(0, 0), Qt::LocalTime);
        result.isAllDay = true;
    }
    return result;
}

QJsonObject eventTimeToJson(const QDateTime &when, bool allDay, const QString &timeZone)
{
    QJsonObject result;
    if (allDay) {
        // The value's own date: converting first would move a date read as
        // midnight to the day before west of Greenwich.
        result.insert(QStringLiteral("date"), when.date().toString(Qt::ISODate));
        return result;
    }
    const QTimeZone zone(timeZone.toUtf8());
    if (!timeZone.isEmpty() && timeZone != QLatin1String("UTC") && zone.isValid()) {
        result.insert(QStringLiteral("dateTime"), when.toTimeZone(zone).toString(Qt::ISODateWithMs));
        result.insert(QStringLiteral("timeZone"), timeZone);
        return result;
    }
    result.insert(QStringLiteral("dateTime"), when.toUTC().toString(Qt::ISODateWithMs));
    result.insert(QStringLiteral("timeZone"), QStringLiteral("UTC"));
    return result;
}

QString recurrenceRuleFromJson(const QJsonObject &event)
{
    const QJsonArray lines = event.value(QStringLiteral("recurrence")).toArray();
    for (const QJsonValue &line : lines) {
        const QString value = line.toString();
        if (value.startsWith(QLatin1String("RRULE:")))
            return value.mid(6);
    }
    return QString();
}

QStringList exceptionDatesFromJson(const QJsonObject &event)
{
    const QString eventZone =
        event.value(QStringLiteral("start")).toObject().value(QStringLiteral("timeZone")).toString();
    QStringList dates;
    const QJsonArray lines = event.value(QStringLiteral("recurrence")).toArray();
    for (const QJsonValue &line : lines) {
        const QString value = line.toString();
        const qsizetype colon = value.indexOf(QLatin1Char(':'));
        if (!value.startsWith(QLatin1String("EXDATE"), Qt::CaseInsensitive) || colon < 0)
            continue;
        QString zoneName = eventZone;
        for (const QString &parameter : value.left(colon).split(QLatin1Char(';')).mid(1)) {
            if (parameter.startsWith(QLatin1String("TZID="), Qt::CaseInsensitive))
                zoneName = parameter.mid(5);
        }
        const QTimeZone zone(zoneName.toUtf8());
        for (const QString &item : value.mid(colon + 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString trimmed = item.trimmed();
            QDate day;
            QTime time;
            QString id;
            if (const QDate date = IcsText::readDate(trimmed); date.isValid())
                id = IcsText::dateText(date);
            else if (trimmed.endsWith(QLatin1Char('Z')) && IcsText::readDateTime(trimmed.chopped(1), &day, &time))
                id = IcsText::utcText(QDateTime(day, time, Qt::UTC));
            else if (IcsText::readDateTime(trimmed, &day, &time))
                id = IcsText::utcText(zone.isValid() ? IcsText::wallClock(day, time, zone)
                                                     : QDateTime(day, time, Qt::UTC));
            if (!id.isEmpty() && !dates.contains(id))
                dates.append(id);
        }
    }
    return dates;
}

QString mapEventStatus(const QString &googleStatus)
{
    if (googleStatus == QLatin1String("tentative") || googleStatus == QLatin1String("cancelled"))
        return googleStatus;
    return QStringLiteral("confirmed");
}

QString recurrenceIdFromJson(const QJsonObject &event)
{
    const EventTime original = eventTimeFromJson(event.value(QStringLiteral("originalStartTime")).toObject());
    if (!original.dateTime.isValid())
        return QString();
    return Recurrence::recurrenceIdAt(original.dateTime, original.isAllDay);
}

QString skippedDayFromJson(const QJsonObject &event)
{
    const EventTime original = eventTimeFromJson(event.value(QStringLiteral("originalStartTime")).toObject());
    if (original.isAllDay && original.dateTime.isValid())
        return IcsText::dateText(original.dateTime.date());
    return recurrenceIdFromJson(event);
}

Event eventFromJson(const QJsonObject &json, const QString &calendarId)
{
    Event event = OAuth::pulledEvent(calendarId, text(json, "id"), text(json, "etag"), text(json, "summary"));
    event.description = text(json, "description");
    event.location = text(json, "location");
    event.event_url = text(json, "htmlLink");
    event.conference_url = text(json, "hangoutLink");

    const EventTime start = eventTimeFromJson(json.value(QStringLiteral("start")).toObject());
    const EventTime end = eventTimeFromJson(json.value(QStringLiteral("end")).toObject());
    event.start_time = start.dateTime;
    if (end.dateTime.isValid())
        event.end_time = end.dateTime;
    event.is_all_day = start.isAllDay;
    event.timezone = start.timeZone.isEmpty() ? QStringLiteral("UTC") : start.timeZone;
    event.recurrence_rule = recurrenceRuleFromJson(json);
    const QStringList skipped = exceptionDatesFromJson(json);
    if (!skipped.isEmpty())
        event.exception_dates =
            QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(skipped)).toJson(QJsonDocument::Compact));

    // An instance that differs from its series: named by the occurrence it
    // replaces, so that it takes that occurrence's place.
    const QString master = text(json, "recurringEventId");
    if (!master.isEmpty()) {
        event.master_event_uid = master;
        event.recurrence_id = recurrenceIdFromJson(json);
        if (event.recurrence_id.isEmpty())
            event.recurrence_id = Recurrence::recurrenceIdAt(start.dateTime, start.isAllDay);
    }
    event.status = mapEventStatus(text(json, "status"));
    const QJsonObject organizer = json.value(QStringLiteral("organizer")).toObject();
    event.organizer_email = text(organizer, "email");
    event.organizer_name = text(organizer, "displayName");
    event.attendees = OAuth::readEach<Attendee>(json.value(QStringLiteral("attendees")).toArray(), &attendeeFrom);
    event.sequence = json.value(QStringLiteral("sequence")).toInt(0);

    event.reminders = remindersFrom(json.value(QStringLiteral("reminders")).toObject());
    OAuth::settlePulledEvent(event, json, text(json, "updated"), &OAuth::parseIsoInstant);
    return event;
}

QJsonObject eventToJson(const Event &event)
{
    QJsonObject json;
    json.insert(QStringLiteral("summary"), event.title);
    if (!event.description.isEmpty())
        json.insert(QStringLiteral("description"), event.description);
    if (!event.location.isEmpty())
        json.insert(QStringLiteral("location"), event.location);
    json.insert(QStringLiteral("start"), eventTimeToJson(event.start_time, event.is_all_day, event.timezone));
    json.insert(QStringLiteral("end"), eventTimeToJson(endFor(event), event.is_all_day, event.timezone));
    if (!event.recurrence_rule.isEmpty()) {
        QJsonArray recurrence{QStringLiteral("RRULE:") + event.recurrence_rule};
        for (const QJsonValue &line : exceptionLines(event))
            recurrence.append(line);
        json.insert(QStringLiteral("recurrence"), recurrence);
    }
    if (!event.status.isEmpty())
        json.insert(QStringLiteral("status"), event.status);
    if (!event.reminders.isEmpty())
        json.insert(QStringLiteral("reminders"), remindersTo(event.reminders));
    return json;
}

QJsonObject eventToJsonForCopy(const Event &event, const QJsonObject &heldThere)
{
    QJsonObject json = eventToJson(event);
    // What the guests, the meeting link and other apps' private data are
    // made of is the old calendar's: the record models none of it.
    for (const char *key : {"attendees", "conferenceData", "extendedProperties", "colorId", "transparency",
                            "visibility", "guestsCanInviteOthers", "guestsCanModify", "guestsCanSeeOtherGuests",
                            "anyoneCanAddSelf"}) {
        const QJsonValue value = heldThere.value(QLatin1String(key));
        if (!value.isUndefined() && !value.isNull())
            json.insert(QLatin1String(key), value);
    }
    if (!json.contains(QStringLiteral("attendees")) && !event.attendees.isEmpty()) {
        QJsonArray attendees;
        for (const Attendee &attendee : event.attendees)
            attendees.append(attendeeTo(attendee));
        json.insert(QStringLiteral("attendees"), attendees);
    }
    // Extra dates stay; the skipped ones are the record's.
    QJsonArray recurrence = json.value(QStringLiteral("recurrence")).toArray();
    for (const QJsonValue &line : heldThere.value(QStringLiteral("recurrence")).toArray()) {
        if (!recurrence.isEmpty() && line.toString().startsWith(QLatin1String("RDATE")))
            recurrence.append(line);
    }
    if (!recurrence.isEmpty())
        json.insert(QStringLiteral("recurrence"), recurrence);
    return json;
}

QJsonObject eventToJsonFromHeld(const Event &event)
{
    QJsonObject json = eventToJsonForUpdate(event);
    dropGoogleOwn(json);
    return json;
}

QJsonObject instanceChangesFromHeld(const Event &event, const QJsonObject &instance)
{
    QJsonObject held = eventToJsonFromHeld(event);
    QJsonObject now = instance;
    dropGoogleOwn(now);
    for (QJsonObject *side : {&held, &now})
        side->remove(QStringLiteral("recurrence"));
    return OAuth::changedMembers(now, held);
}

QJsonObject eventToJsonForUpdate(const Event &event)
{
    const QJsonDocument stored = QJsonDocument::fromJson(event.raw_icalendar.toUtf8());
    if (!stored.isObject())
        return eventToJson(event);
    QJsonObject json = stored.object();
    const QJsonObject fields = eventToJson(event);
    // What the record models and has left empty was cleared here.
    for (const char *key : {"description", "location", "status"})
        json.remove(QLatin1String(key));
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it)
        json.insert(it.key(), it.value());

    // Extra recurrence lines (exception and extra dates) stay; the rule is
    // the record's.
    QJsonArray recurrence;
    if (!event.recurrence_rule.isEmpty()) {
        recurrence.append(QStringLiteral("RRULE:") + event.recurrence_rule);
        for (const QJsonValue &line : stored.object().value(QStringLiteral("recurrence")).toArray()) {
            if (!line.toString().startsWith(QLatin1String("RRULE:")))
                recurrence.append(line);
        }
    }
    if (recurrence.isEmpty())
        json.remove(QStringLiteral("recurrence"));
    else
        json.insert(QStringLiteral("recurrence"), recurrence);

    // Reminders removed here: none, rather than the calendar's defaults
    // coming back; reminders never set here keep what Google had.
    const QJsonObject storedReminders = stored.object().value(QStringLiteral("reminders")).toObject();
    if (event.reminders.isEmpty() && !storedReminders.value(QStringLiteral("overrides")).toArray().isEmpty())
        json.insert(QStringLiteral("reminders"), remindersTo({}));

    QJsonArray attendees = json.value(QStringLiteral("attendees")).toArray();
    for (int i = 0; i < attendees.size(); ++i) {
        QJsonObject entry = attendees.at(i).toObject();
        const QString email = text(entry, "email");
        for (const Attendee &local : event.attendees) {
            if (email.isEmpty() || local.email.compare(email, Qt::CaseInsensitive) != 0)
                continue;
            if (attendeeStatusFromGoogle(text(entry, "responseStatus")) != local.status.toLower())
                entry.insert(QStringLiteral("responseStatus"), attendeeStatusToGoogle(local.status));
        }
        attendees.replace(i, entry);
    }
    if (!attendees.isEmpty())
        json.insert(QStringLiteral("attendees"), attendees);
    return json;
}

} // namespace Google
