#include "sync/microsoft/microsofteventmapping.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QTimeZone>

#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "sync/oauth/pulledevent.h"
#include "sync/microsoft/microsoftrecurrence.h"

#include <algorithm>

namespace Microsoft {

namespace {

QString text(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString();
}

QJsonObject child(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toObject();
}

bool isUtcName(const QString &zone)
{
    return zone.compare(QLatin1String("UTC"), Qt::CaseInsensitive) == 0
           || zone == QLatin1String("tzone://Microsoft/Utc");
}

// Graph writes seven fraction digits; Qt reads three.
QString cutFraction(QString value)
{
    const int point = value.indexOf(QLatin1Char('.'));
    if (point > 0) {
        int end = point + 1;
        while (end < value.size() && value.at(end).isDigit())
            ++end;
        if (end - point - 1 > 3)
            value.remove(point + 4, end - point - 4);
    }
    return value;
}

QDateTime parseIso(const QString &text)
{
    return OAuth::parseIsoInstant(cutFraction(text));
}

QString attendeeStatusFromGraph(const QString &response)
{
    const QString lower = response.toLower();
    if (lower == QLatin1String("accepted") || lower == QLatin1String("organizer"))
        return QStringLiteral("accepted");
    if (lower == QLatin1String("declined"))
        return QStringLiteral("declined");
    if (lower == QLatin1String("tentativelyaccepted"))
        return QStringLiteral("tentative");
    return QStringLiteral("needs-action");
}

// Nothing for an entry without an address.
std::optional<Attendee> attendeeFrom(const QJsonObject &entry)
{
    const QJsonObject address = child(entry, "emailAddress");
    if (text(address, "address").isEmpty())
        return std::nullopt;
    Attendee attendee;
    attendee.email = text(address, "address");
    attendee.name = text(address, "name");
    attendee.role = text(entry, "type").toLower() == QLatin1String("optional") ? QStringLiteral("optional")
                                                                               : QStringLiteral("required");
    attendee.status = attendeeStatusFromGraph(text(child(entry, "status"), "response"));
    attendee.rsvp = true;
    return attendee;
}

QDateTime endFor(const Event &event)
{
    QDateTime end = OAuth::endOrDefault(event);
    if (event.is_all_day && end.date() <= event.start_time.date())
        end = QDateTime(event.start_time.date().addDays(1), QTime(0, 0), Qt::LocalTime);
    return end;
}

QString ownZone(const Event &event)
{
    const QString zone = ianaZoneName(event.timezone);
    return zone.isEmpty() ? QStringLiteral("UTC") : zone;
}

// The date the series starts on in its own zone.
QDate firstDayOf(const Event &event)
{
    if (event.is_all_day)
        return event.start_time.date();
    const QTimeZone zone(ownZone(event).toUtf8());
    return zone.isValid() ? event.start_time.toTimeZone(zone).date() : event.start_time.toUTC().date();
}

// The date, on the clock Graph steps the series on, of the last occurrence
// a rule ending at an instant (UNTIL as a date-time, such as a split's
// "before the next occurrence") keeps; invalid where the rule ends on a
// date or keeps none in the years before its end.
QDate lastKeptDay(const Event &event)
{
    const RecurrenceRule rule = Recurrence::parseRule(event.recurrence_rule);
    if (!rule.readable || !rule.until.isValid() || rule.untilIsDate)
        return QDate();
    Event series = event;
    series.exception_dates.clear();
    series.recurrence_dates.clear();
    // A rule Graph holds has an occurrence every few years at the least
    // (the 29th of February); the expansion applies UNTIL itself.
    const int years = 8 * std::max(rule.interval, 1);
    const QList<Occurrence> kept =
        Recurrence::occurrencesOf(series, rule.until.addYears(-years), rule.until.addDays(2));
    if (kept.isEmpty())
        return QDate();
    return firstDayOf(Recurrence::eventFor(series, kept.last()));
}

QJsonObject storedObject(const Event &event)
{
    const QJsonDocument stored = QJsonDocument::fromJson(event.raw_icalendar.toUtf8());
    return stored.isObject() ? stored.object() : QJsonObject();
}

// What Graph gives an event itself and takes from no insert.
void dropGraphOwn(QJsonObject &graph)
{
    for (const char *key : {"id", "changeKey", "@odata.etag", "@odata.context", "createdDateTime",
                            "lastModifiedDateTime", "iCalUId", "uid", "webLink", "bodyPreview", "hasAttachments",
                            "isCancelled", "isOrganizer", "isDraft", "responseStatus", "onlineMeeting", "organizer",
                            "type", "seriesMasterId", "originalStart", "originalStartTimeZone",
                            "originalEndTimeZone", "occurrenceId", "cancelledOccurrences", "exceptionOccurrences",
                            "transactionId"})
        graph.remove(QLatin1String(key));
}

} // namespace

bool operator==(const GraphTime &a, const GraphTime &b)
{
    return a.dateTime == b.dateTime && a.dateOnly == b.dateOnly && a.timeZone == b.timeZone;
}

QString ianaZoneName(const QString &graphZone)
{
    const QString name = graphZone.trimmed();
    if (name.isEmpty())
        return QString();
    if (isUtcName(name))
        return QStringLiteral("UTC");
    if (name.contains(QLatin1Char('/')) && QTimeZone(name.toUtf8()).isValid())
        return name;
    const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(name.toUtf8());
    if (!iana.isEmpty() && QTimeZone(iana).isValid())
        return QString::fromUtf8(iana);
    return QTimeZone(name.toUtf8()).isValid() ? name : QString();
}

GraphTime dateTimeFromGraph(const QJsonObject &time, bool allDay)
{
    GraphTime result;
    result.timeZone = text(time, "timeZone");
    const QString value = cutFraction(text(time, "dateTime"));
    if (value.isEmpty())
        return result;
    if (allDay) {
        const QDate day = QDate::fromString(value.left(10), Qt::ISODate);
        if (day.isValid()) {
            result.dateTime = QDateTime(day, QTime(0, 0), Qt::LocalTime);
            result.dateOnly = true;
        }
        return result;
    }
    const QDateTime read = parseIso(value);
    if (!read.isValid() || read.timeSpec() == Qt::UTC || read.timeSpec() == Qt::OffsetFromUTC) {
        result.dateTime = read;
        return result;
    }
    const QString zone = ianaZoneName(result.timeZone);
    if (zone == QLatin1String("UTC") || zone.isEmpty())
        result.dateTime = QDateTime(read.date(), read.time(), Qt::UTC);
    else
        result.dateTime = IcsText::wallClock(read.date(), read.time(), QTimeZone(zone.toUtf8()));
    return result;
}

QJsonObject dateTimeToGraph(const QDateTime &when, bool allDay, const QString &timeZone)
{
    QJsonObject result;
    if (allDay) {
        result.insert(QStringLiteral("dateTime"), when.date().toString(Qt::ISODate) + QStringLiteral("T00:00:00"));
        result.insert(QStringLiteral("timeZone"), QStringLiteral("UTC"));
        return result;
    }
    const QString zoneName = ianaZoneName(timeZone);
    const QTimeZone zone(zoneName.toUtf8());
    if (!zoneName.isEmpty() && zoneName != QLatin1String("UTC") && zone.isValid()) {
        const QDateTime local = when.toTimeZone(zone);
        result.insert(QStringLiteral("dateTime"),
                      local.date().toString(Qt::ISODate) + QLatin1Char('T') + local.time().toString(Qt::ISODateWithMs));
        result.insert(QStringLiteral("timeZone"), zoneName);
        return result;
    }
    result.insert(QStringLiteral("dateTime"), when.toUTC().toString(Qt::ISODateWithMs));
    result.insert(QStringLiteral("timeZone"), QStringLiteral("UTC"));
    return result;
}

QString recurrenceIdFromGraph(const QJsonObject &graph, bool allDay)
{
    if (text(graph, "seriesMasterId").isEmpty())
        return QString();
    QDateTime original = parseIso(text(graph, "originalStart"));
    if (!original.isValid())
        original = dateTimeFromGraph(child(graph, "start"), allDay).dateTime;
    if (!original.isValid())
        return QString();
    if (allDay) {
        // Midnight in the series' zone may lie on the day before in UTC.
        const QTimeZone zone(ianaZoneName(text(graph, "originalStartTimeZone")).toUtf8());
        const QDate day = original.timeSpec() == Qt::LocalTime || !zone.isValid()
                              ? original.date()
                              : original.toTimeZone(zone).date();
        return Recurrence::recurrenceIdAt(QDateTime(day, QTime(0, 0), Qt::UTC), true);
    }
    return Recurrence::recurrenceIdAt(original, false);
}

QString exclusionsFromGraph(const QJsonObject &master, const Event &series)
{
    const QJsonArray cancelled = master.value(QStringLiteral("cancelledOccurrences")).toArray();
    if (cancelled.isEmpty() || !series.start_time.isValid())
        return QString();
    const QTimeZone zone(ownZone(series).toUtf8());
    const QDateTime seriesStart = zone.isValid() ? series.start_time.toTimeZone(zone) : series.start_time.toUTC();
    QJsonArray dates;
    QSet<QString> seen;
    for (const QJsonValue &value : cancelled) {
        // "OID.<series id>.<yyyy-MM-dd>"
        const QString id = value.toString();
        const QDate day = QDate::fromString(id.mid(id.lastIndexOf(QLatin1Char('.')) + 1), Qt::ISODate);
        if (!day.isValid())
            continue;
        const QString entry = series.is_all_day
                                  ? IcsText::dateText(day)
                                  : IcsText::utcText(zone.isValid()
                                                         ? IcsText::wallClock(day, seriesStart.time(), zone)
                                                         : QDateTime(day, seriesStart.time(), Qt::UTC));
        if (!seen.contains(entry)) {
            seen.insert(entry);
            dates.append(entry);
        }
    }
    if (dates.isEmpty())
        return QString();
    return QString::fromUtf8(QJsonDocument(dates).toJson(QJsonDocument::Compact));
}

Event eventFromGraph(const QJsonObject &graph, const QString &calendarId)
{
    Event event =
        OAuth::pulledEvent(calendarId, text(graph, "id"), text(graph, "changeKey"), text(graph, "subject"));
    // HTML bodies stay HTML; the stored object remembers the content type.
    event.description = text(child(graph, "body"), "content");
    event.location = text(child(graph, "location"), "displayName");
    event.event_url = text(graph, "webLink");
    event.conference_url = text(child(graph, "onlineMeeting"), "joinUrl");
    event.is_all_day = graph.value(QStringLiteral("isAllDay")).toBool();

    const GraphTime start = dateTimeFromGraph(child(graph, "start"), event.is_all_day);
    const GraphTime end = dateTimeFromGraph(child(graph, "end"), event.is_all_day);
    event.start_time = start.dateTime;
    if (end.dateTime.isValid())
        event.end_time = end.dateTime;
    // The listing asks for UTC; the event's own zone is its original one.
    QString zone = ianaZoneName(text(graph, "originalStartTimeZone"));
    if (zone.isEmpty())
        zone = ianaZoneName(start.timeZone);
    event.timezone = zone.isEmpty() ? QStringLiteral("UTC") : zone;

    const QJsonObject recurrence = child(graph, "recurrence");
    if (!recurrence.isEmpty())
        event.recurrence_rule = recurrenceToRrule(recurrence);
    // An instance of a series is named by the occurrence it replaces.
    const QString master = text(graph, "seriesMasterId");
    if (!master.isEmpty()) {
        event.master_event_uid = master;
        event.recurrence_id = recurrenceIdFromGraph(graph, event.is_all_day);
    }
    event.exception_dates = exclusionsFromGraph(graph, event);

    const QString showAs = text(graph, "showAs");
    event.status = showAs == QLatin1String("free") || showAs == QLatin1String("tentative")
                       ? QStringLiteral("tentative")
                       : QStringLiteral("confirmed");
    const QJsonObject organizer = child(child(graph, "organizer"), "emailAddress");
    event.organizer_email = text(organizer, "address");
    event.organizer_name = text(organizer, "name");
    event.attendees = OAuth::readEach<Attendee>(graph.value(QStringLiteral("attendees")).toArray(), &attendeeFrom);

    const int minutes = graph.value(QStringLiteral("reminderMinutesBeforeStart")).toInt(-1);
    if (graph.value(QStringLiteral("isReminderOn")).toBool() && minutes >= 0) {
        Reminder reminder;
        reminder.minutes_before = minutes;
        reminder.action = QStringLiteral("display");
        event.reminders.append(reminder);
    }
    OAuth::settlePulledEvent(event, graph, text(graph, "lastModifiedDateTime"), &parseIso);
    return event;
}

QJsonObject eventToGraph(const Event &event)
{
    QJsonObject graph;
    graph.insert(QStringLiteral("subject"), event.title);
    graph.insert(QStringLiteral("isAllDay"), event.is_all_day);
    const QString showAs = event.status == QLatin1String("tentative")   ? QStringLiteral("tentative")
                           : event.status == QLatin1String("cancelled") ? QStringLiteral("free")
                                                                        : QStringLiteral("busy");
    graph.insert(QStringLiteral("showAs"), showAs);
    if (!event.description.isEmpty())
        graph.insert(QStringLiteral("body"), QJsonObject{{QStringLiteral("contentType"), QStringLiteral("text")},
                                                         {QStringLiteral("content"), event.description}});
    if (!event.location.isEmpty())
        graph.insert(QStringLiteral("location"), QJsonObject{{QStringLiteral("displayName"), event.location}});
    const QString zone = ownZone(event);
    graph.insert(QStringLiteral("start"), dateTimeToGraph(event.start_time, event.is_all_day, zone));
    graph.insert(QStringLiteral("end"), dateTimeToGraph(endFor(event), event.is_all_day, zone));
    if (!event.recurrence_rule.isEmpty()) {
        const QJsonObject recurrence =
            rruleToRecurrence(event.recurrence_rule, firstDayOf(event), lastKeptDay(event));
        if (!recurrence.isEmpty())
            graph.insert(QStringLiteral("recurrence"), recurrence);
    }
    graph.insert(QStringLiteral("isReminderOn"), !event.reminders.isEmpty());
    if (!event.reminders.isEmpty())
        graph.insert(QStringLiteral("reminderMinutesBeforeStart"), event.reminders.first().minutes_before);
    return graph;
}

QJsonObject eventToGraphForCopy(const Event &event, const QJsonObject &heldThere)
{
    QJsonObject graph = eventToGraph(event);
    // The record models none of these: they are the old calendar's.
    for (const char *key : {"categories", "importance", "sensitivity", "isOnlineMeeting", "onlineMeetingProvider",
                            "allowNewTimeProposals", "responseRequested"}) {
        const QJsonValue value = heldThere.value(QLatin1String(key));
        if (!value.isUndefined() && !value.isNull())
            graph.insert(QLatin1String(key), value);
    }
    // The text is the record's; an HTML body stays HTML.
    const QString type = text(child(heldThere, "body"), "contentType");
    if (graph.contains(QStringLiteral("body")) && !type.isEmpty())
        graph.insert(QStringLiteral("body"), QJsonObject{{QStringLiteral("contentType"), type},
                                                         {QStringLiteral("content"), event.description}});
    return graph;
}

QJsonObject eventToGraphFromHeld(const Event &event)
{
    const QJsonObject held = storedObject(event);
    QJsonObject graph = held;
    const QJsonObject fields = eventToGraphForCopy(event, held);
    // What the record models and has left empty was cleared here.
    for (const char *key : {"body", "location", "recurrence"}) {
        if (!fields.contains(QLatin1String(key)))
            graph.remove(QLatin1String(key));
    }
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it)
        graph.insert(it.key(), it.value());
    // A rule not changed here stays the pattern Graph held, also one this
    // program cannot write.
    const QJsonObject heldRecurrence = child(held, "recurrence");
    if (!heldRecurrence.isEmpty() && recurrenceToRrule(heldRecurrence) == event.recurrence_rule)
        graph.insert(QStringLiteral("recurrence"), heldRecurrence);
    dropGraphOwn(graph);
    return graph;
}

QJsonObject instanceChangesFromHeld(const Event &event, const QJsonObject &instance)
{
    QJsonObject changes = eventToGraphFromHeld(event);
    changes.remove(QStringLiteral("recurrence"));
    for (auto it = changes.begin(); it != changes.end();) {
        if (instance.value(it.key()) == it.value())
            it = changes.erase(it);
        else
            ++it;
    }
    return changes;
}

QJsonObject eventToGraphForUpdate(const Event &event)
{
    QJsonObject graph = eventToGraph(event);
    const QJsonObject stored = storedObject(event);
    if (stored.isEmpty())
        return graph;
    const QJsonObject storedBody = child(stored, "body");
    if (text(storedBody, "content") == event.description) {
        graph.remove(QStringLiteral("body"));
    } else {
        const QString type = text(storedBody, "contentType");
        graph.insert(QStringLiteral("body"),
                     QJsonObject{{QStringLiteral("contentType"), type.isEmpty() ? QStringLiteral("text") : type},
                                 {QStringLiteral("content"), event.description}});
    }
    if (event.location.isEmpty() && !text(child(stored, "location"), "displayName").isEmpty())
        graph.insert(QStringLiteral("location"), QJsonObject{{QStringLiteral("displayName"), QString()}});

    const QJsonObject storedRecurrence = child(stored, "recurrence");
    const QString storedRule = storedRecurrence.isEmpty() ? QString() : recurrenceToRrule(storedRecurrence);
    if (event.recurrence_rule == storedRule)
        graph.remove(QStringLiteral("recurrence"));
    else if (event.recurrence_rule.isEmpty())
        graph.insert(QStringLiteral("recurrence"), QJsonValue::Null);
    return graph;
}

bool holdsGraphObject(const Event &event)
{
    return !storedObject(event).isEmpty();
}

QString responseActionFor(const Event &event, const QString &myAddress)
{
    const QJsonObject stored = storedObject(event);
    const QJsonArray storedAttendees = stored.value(QStringLiteral("attendees")).toArray();
    for (const Attendee &attendee : event.attendees) {
        if (!myAddress.isEmpty() && attendee.email.compare(myAddress, Qt::CaseInsensitive) != 0)
            continue;
        QString before = attendeeStatusFromGraph(text(child(stored, "responseStatus"), "response"));
        for (const QJsonValue &value : storedAttendees) {
            const QJsonObject entry = value.toObject();
            if (text(child(entry, "emailAddress"), "address").compare(attendee.email, Qt::CaseInsensitive) == 0)
                before = attendeeStatusFromGraph(text(child(entry, "status"), "response"));
        }
        const QString now = attendee.status.toLower();
        if (now == before)
            continue;
        if (now == QLatin1String("accepted"))
            return QStringLiteral("accept");
        if (now == QLatin1String("tentative"))
            return QStringLiteral("tentativelyAccept");
        if (now == QLatin1String("declined"))
            return QStringLiteral("decline");
    }
    return QString();
}

} // namespace Microsoft
