#include "app/edits/recurringeditscope.h"

#include <QCoreApplication>
#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QStringList>
#include <QTimeZone>
#include <QUuid>

#include "app/edits/eventstamp.h"
#include "calendar/icscodec.h"
#include "calendar/icscomponentwalk.h"
#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "calendar/seriesshift.h"
#include "store/eventrepository.h"

#include <algorithm>
#include <functional>

namespace {

QString utcStamp(const QDateTime &value)
{
    return value.toUTC().toString(QStringLiteral("yyyyMMddTHHmmss")) + QLatin1Char('Z');
}

// An all-day occurrence is named by its date, as the expansion names it.
QString recurrenceIdOf(const Event &master, const QDateTime &occurrenceStart)
{
    if (master.is_all_day)
        return occurrenceStart.date().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("T000000Z");
    return utcStamp(occurrenceStart);
}

QString ruleKey(const QString &part)
{
    return part.section(QLatin1Char('='), 0, 0).trimmed().toUpper();
}

QString truncateRule(const QString &rule, const QString &until)
{
    QStringList parts;
    bool replaced = false;
    for (const QString &part : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!part.contains(QLatin1Char('='))) {
            parts.append(part);
            continue;
        }
        const QString key = ruleKey(part);
        if (key == QLatin1String("COUNT"))
            continue;
        if (key == QLatin1String("UNTIL")) {
            parts.append(QStringLiteral("UNTIL=") + until);
            replaced = true;
            continue;
        }
        parts.append(part);
    }
    if (!replaced)
        parts.append(QStringLiteral("UNTIL=") + until);
    return parts.join(QLatin1Char(';'));
}

// The occurrences a series had before the given start; exception dates
// count, as they do for COUNT.
int occurrencesBefore(Event master, const QDateTime &occurrenceStart)
{
    master.exception_dates.clear();
    return int(Recurrence::expandEvent(master, master.start_time, occurrenceStart).size());
}

// The original rule for the series that starts at the split: its UNTIL as
// it was, its COUNT less the occurrences left behind.
QString continuedRule(const Event &master, const QDateTime &occurrenceStart)
{
    QStringList parts;
    for (const QString &part : master.recurrence_rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (part.contains(QLatin1Char('=')) && ruleKey(part) == QLatin1String("COUNT")) {
            const int count = part.section(QLatin1Char('='), 1).trimmed().toInt();
            const int left = count - occurrencesBefore(master, occurrenceStart);
            parts.append(QStringLiteral("COUNT=%1").arg(std::max(left, 1)));
            continue;
        }
        parts.append(part);
    }
    return parts.join(QLatin1Char(';'));
}

// A row of its own for an override or a new series: the master's visible
// fields, its reminders and attendees (so a moved occurrence still alerts
// and still invites), new times and a new identity.
Event childOf(const Event &master, const QDateTime &newStart, const std::optional<QDateTime> &newEnd)
{
    Event child;
    child.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    child.uid = child.id;
    child.calendar_id = master.calendar_id;
    child.title = master.title;
    child.description = master.description;
    child.location = master.location;
    child.color = master.color;
    child.timezone = master.timezone;
    child.status = master.status;
    child.organizer_email = master.organizer_email;
    child.organizer_name = master.organizer_name;
    child.is_all_day = master.is_all_day;
    child.start_time = newStart;
    child.end_time = newEnd;
    for (Reminder reminder : master.reminders) {
        reminder.id.clear();
        reminder.event_id.clear();
        reminder.acknowledged = false;
        reminder.trigger_time.reset();
        child.reminders.append(reminder);
    }
    for (Attendee attendee : master.attendees) {
        attendee.id.clear();
        attendee.event_id.clear();
        child.attendees.append(attendee);
    }
    return child;
}

// Moves a master time the way the occurrence moved: an all-day date by
// whole days, a time in a named zone by days and wall-clock time (so a move
// across a daylight-saving change keeps the hour), a UTC time by seconds.
QDateTime shiftedLike(const Event &master, const QDateTime &value, const QDateTime &from, const QDateTime &to)
{
    if (from == to)
        return value;
    if (master.is_all_day)
        return QDateTime(value.date().addDays(from.date().daysTo(to.date())), value.time());
    const QTimeZone zone = master.timezone == QLatin1String("UTC") ? QTimeZone() : IcsCodec::zoneForId(master.timezone);
    if (!zone.isValid() || zone.id() == "UTC")
        return value.addSecs(from.secsTo(to));
    const QDateTime fromInZone = from.toTimeZone(zone);
    const QDateTime toInZone = to.toTimeZone(zone);
    const QDateTime valueInZone = value.toTimeZone(zone);
    const qint64 days = fromInZone.date().daysTo(toInZone.date());
    const int seconds = fromInZone.time().secsTo(toInZone.time());
    return QDateTime(valueInZone.date().addDays(days), valueInZone.time(), zone).addSecs(seconds);
}

// The series' own length from a new start: its end as it was where the
// start stays (a DURATION stays one), else its whole days on the wall clock
// and the rest exact, as every occurrence is read.
std::optional<QDateTime> seriesEndFrom(const Event &master, const QDateTime &start)
{
    if (start == master.start_time)
        return master.end_time;
    return Recurrence::occurrenceEnd(master, start);
}

// The length the user gave the occurrence, laid onto a new start the same
// way: an occurrence across a daylight-saving change is a day on the wall
// clock, not 23 or 25 hours.
QDateTime withLengthOf(const Event &master, const QDateTime &start, const QDateTime &newStart,
                       const QDateTime &newEnd)
{
    if (master.is_all_day)
        return QDateTime(start.date().addDays(newStart.date().daysTo(newEnd.date())), start.time());
    Event edited = master;
    edited.start_time = newStart;
    edited.end_time = newEnd;
    return Recurrence::occurrenceEnd(edited, start).value_or(start.addSecs(newStart.secsTo(newEnd)));
}

// A text for the new series of a split to be written over, when the
// series' own text gives its length as a DURATION: the new series says it
// the same way where it gives the same end, so that a day stays a day on
// the wall clock for every reader (a DTEND is an exact number of hours).
QString lengthTemplateOf(const Event &master)
{
    QString duration;
    bool other = false; // a DTEND, or the text of one occurrence
    int read = 0;
    IcsComponentWalk::Steps steps;
    steps.begin = [&read] { ++read; };
    steps.property = [&](const ContentLine &line, IcsComponentWalk::Level level) {
        if (read != 1 || level != IcsComponentWalk::Level::Own)
            return;
        if (line.name == QLatin1String("DURATION"))
            duration = line.value.trimmed();
        else if (line.name == QLatin1String("DTEND") || line.name == QLatin1String("RECURRENCE-ID"))
            other = true;
    };
    steps.alarmBegin = [] {};
    steps.alarmEnd = [] {};
    steps.end = [](const QString &) {};
    IcsComponentWalk::walk(master.raw_icalendar, QStringLiteral("VEVENT"), steps);
    if (other || duration.isEmpty())
        return QString();
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
                          "BEGIN:VEVENT\r\nDURATION:%1\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        .arg(IcsText::plainValue(duration));
}

// Whether a replaced occurrence lies on or after the split.
bool fromSplitOn(const Event &master, const QDateTime &replaced, const QDateTime &occurrenceStart)
{
    return master.is_all_day ? replaced.date() >= occurrenceStart.date() : replaced >= occurrenceStart;
}

using Moved = std::function<QDateTime(const QDateTime &)>;

// An occurrence named in the store's "yyyyMMddTHHmmssZ" form, read field
// by field: a UTC text is never a local time.
QDateTime replacedOccurrence(const QString &recurrenceId)
{
    return QDateTime(QDate::fromString(recurrenceId.left(8), QStringLiteral("yyyyMMdd")),
                     QTime::fromString(recurrenceId.mid(9, 6), QStringLiteral("HHmmss")), Qt::UTC);
}

// The days a series skips that `kept` keeps, each as it gives it back.
QString exceptionsWhere(const Event &master, const std::function<std::optional<QDateTime>(const QDateTime &)> &kept)
{
    QList<qint64> instants = Recurrence::parseExceptionDates(master.exception_dates).values();
    std::sort(instants.begin(), instants.end());
    QJsonArray out;
    for (qint64 instant : std::as_const(instants)) {
        const std::optional<QDateTime> value = kept(QDateTime::fromMSecsSinceEpoch(instant, Qt::UTC));
        if (value)
            out.append(master.is_all_day ? value->date().toString(QStringLiteral("yyyyMMdd")) : utcStamp(*value));
    }
    return out.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact));
}

// The days the old series skipped from the split on are skipped by the new
// one too, moved as the series moved.
QString continuedExceptions(const Event &master, const QDateTime &occurrenceStart, const QDateTime &newStart)
{
    return exceptionsWhere(master, [&](const QDateTime &skipped) -> std::optional<QDateTime> {
        if (!fromSplitOn(master, skipped, occurrenceStart))
            return std::nullopt;
        return shiftedLike(master, skipped, occurrenceStart, newStart);
    });
}

// What the old series of a split still skips: the days before the split.
QString exceptionsBefore(const Event &master, const QDateTime &occurrenceStart)
{
    return exceptionsWhere(master, [&](const QDateTime &skipped) -> std::optional<QDateTime> {
        if (fromSplitOn(master, skipped, occurrenceStart))
            return std::nullopt;
        return skipped;
    });
}

// An extra date ("yyyyMMdd" or a UTC time) moved in the form it was stored in.
QString movedDateText(const QString &text, const Moved &moved)
{
    if (const QDate day = QDate::fromString(text, QStringLiteral("yyyyMMdd")); day.isValid())
        return moved(QDateTime(day, QTime(0, 0), Qt::UTC)).date().toString(QStringLiteral("yyyyMMdd"));
    const QDateTime instant = replacedOccurrence(text);
    return text.endsWith(QLatin1Char('Z')) && instant.isValid() ? utcStamp(moved(instant)) : text;
}

// A series' extra dates (RDATE) are occurrences too: each moves, a
// period's end with its start and its duration as it was.
QString movedExtraDates(const QString &json, const Moved &moved)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isArray())
        return json;
    QJsonArray out;
    for (const QJsonValue &entry : document.array()) {
        const QString text = entry.toString();
        const qsizetype slash = text.indexOf(QLatin1Char('/'));
        if (slash < 0) {
            out.append(movedDateText(text, moved));
            continue;
        }
        const QString tail = text.mid(slash + 1);
        const bool duration = tail.startsWith(QLatin1Char('P')) || tail.startsWith(QLatin1Char('-'))
                              || tail.startsWith(QLatin1Char('+'));
        out.append(movedDateText(text.left(slash), moved) + QLatin1Char('/')
                   + (duration ? tail : movedDateText(tail, moved)));
    }
    return QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact));
}

// The row the store already holds where a change moves to under the
// series' UID: one per UID and recurrence id, a withdrawn one too (a
// neighbour moving away, or a change taken back there before).
std::optional<Event> rowAt(EventRepository *repository, const Event &series, const QString &recurrenceId)
{
    std::optional<Event> row = repository->getByUidAndRecurrenceId(series.uid, series.calendar_id, recurrenceId);
    if (row && row->uid != series.uid)
        return std::nullopt;
    return row;
}

// Occurrences changed on or after `from` (every one without it) go with
// the series as it moved: each override names its occurrence moved alike,
// its own times as they were. One a server holds leaves its old place as
// a withdrawn change (the resource is sent without it, skipping no day)
// and goes on as a new row: re-pointed in place, the pull before the push
// would store the server's copy at the old place again beside it. Where a
// row already stands at the new place (a series moved by a whole week
// over changes in neighbouring weeks), that row takes the change, so the
// occurrence is held once.
bool moveOverrides(EventRepository *repository, const Event &master, const Event &series, const QDateTime &from,
                   const Moved &moved)
{
    struct Move
    {
        Event row;
        QString recurrenceId;
        std::optional<Event> place;
    };
    // Every place is looked up before anything is written.
    QList<Move> moves;
    QSet<QString> taken;
    for (const Event &row : repository->getByCalendar(master.calendar_id)) {
        if (row.master_event_uid != master.uid || row.recurrence_id.isEmpty())
            continue;
        const QDateTime replaced = replacedOccurrence(row.recurrence_id);
        if (!replaced.isValid() || (from.isValid() && !fromSplitOn(master, replaced, from)))
            continue;
        const QString recurrenceId = recurrenceIdOf(series, moved(replaced));
        moves.append({row, recurrenceId, rowAt(repository, series, recurrenceId)});
        if (moves.last().place)
            taken.insert(moves.last().place->id);
    }
    bool allMoved = true;
    for (const Move &move : std::as_const(moves)) {
        Event row = move.row;
        if (!move.place && row.href.isEmpty() && !taken.contains(row.id)) {
            row.master_event_uid = series.uid;
            row.recurrence_id = move.recurrenceId;
            EventStamp::changed(row);
            allMoved = repository->update(row) && allMoved;
            continue;
        }
        Event copy = occurrenceUnder(row, series);
        copy.recurrence_id = move.recurrenceId;
        if (move.place) {
            copy.id = move.place->id;
            copy.uid = move.place->uid;
            copy.href = move.place->href;
            copy.etag = move.place->etag;
            copy.provider_event_id = move.place->provider_event_id;
            copy.sequence = std::max(copy.sequence, move.place->sequence);
            claimChildRows(copy);
        }
        EventStamp::changed(copy);
        allMoved = (move.place ? repository->update(copy) : repository->insert(copy)) && allMoved;
        if (!taken.contains(row.id))
            allMoved = repository->withdraw(row.id) && allMoved;
    }
    return allMoved;
}

// A change deleted here but not yet sent leaves a deletion the push makes
// a skipped day of at its place (CalDavSyncRun::skipDeletedOccurrence),
// which a series moved by whole weeks or days gives to another occurrence.
// The series skipped that day already and its skip moved with it: the
// deletion needs only take the change off the server, as a withdrawn
// change does.
bool withdrawDeletedChanges(EventRepository *repository, const Event &master)
{
    const QSet<qint64> skipped = Recurrence::parseExceptionDates(master.exception_dates);
    bool allWithdrawn = true;
    for (const Event &row : repository->getPending(master.calendar_id)) {
        if (row.master_event_uid != master.uid || !row.deleted_at || row.href.isEmpty() || isWithdrawnOccurrence(row))
            continue;
        const QDateTime replaced = replacedOccurrence(row.recurrence_id);
        if (replaced.isValid() && skipped.contains(replaced.toMSecsSinceEpoch()))
            allWithdrawn = repository->withdraw(row.id) && allWithdrawn;
    }
    return allWithdrawn;
}

// Occurrences changed on or after the split belong to the new series: each
// override is moved with it and leaves the old series' resource.
bool moveLaterOverrides(EventRepository *repository, const Event &master, const Event &series,
                        const QDateTime &occurrenceStart, const QDateTime &newStart)
{
    return moveOverrides(repository, master, series, occurrenceStart, [&](const QDateTime &replaced) {
        return shiftedLike(master, replaced, occurrenceStart, newStart);
    });
}

// The VEVENT blocks of a text, first to last line each, nested
// components inside.
QList<QPair<qsizetype, qsizetype>> eventBlocksOf(const QStringList &lines)
{
    QList<QPair<qsizetype, qsizetype>> blocks;
    qsizetype open = -1;
    int depth = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool begin = false;
        QString component;
        if (!IcsText::componentMarker(lines.at(i), &begin, &component))
            continue;
        if (open < 0) {
            if (begin && component == QLatin1String("VEVENT")) {
                open = i;
                depth = 0;
            }
        } else if (begin) {
            ++depth;
        } else if (depth > 0) {
            --depth;
        } else if (component == QLatin1String("VEVENT")) {
            blocks.append({open, i});
            open = -1;
        }
    }
    return blocks;
}

// The old series' stored text, which its resource is written from, without
// the occurrences changed from the split on: they went to the new series.
QString withoutChangesFrom(const Event &master, const QDateTime &occurrenceStart)
{
    const QStringList lines = IcsCodec::unfoldLines(master.raw_icalendar);
    const QList<QPair<qsizetype, qsizetype>> blocks = eventBlocksOf(lines);
    if (blocks.size() < 2)
        return master.raw_icalendar;
    // Each block is read with the calendar's own lines and zones around it.
    QStringList context = lines;
    for (qsizetype b = blocks.size() - 1; b >= 0; --b)
        context.remove(blocks.at(b).first, blocks.at(b).second - blocks.at(b).first + 1);
    context.removeIf([](const QString &line) { return line.trimmed().compare(QLatin1String("END:VCALENDAR"), Qt::CaseInsensitive) == 0; });
    QSet<qsizetype> dropped;
    for (const auto &block : blocks) {
        const QStringList own = lines.mid(block.first, block.second - block.first + 1);
        const Event read = IcsCodec::parseEvents((context + own).join(QStringLiteral("\r\n"))
                                                 + QStringLiteral("\r\nEND:VCALENDAR\r\n"))
                               .value(0);
        const QDateTime replaced = replacedOccurrence(read.recurrence_id);
        if (!read.recurrence_id.isEmpty() && replaced.isValid() && fromSplitOn(master, replaced, occurrenceStart))
            dropped.insert(block.first);
    }
    if (dropped.isEmpty())
        return master.raw_icalendar;
    QString out;
    for (qsizetype i = 0, b = 0; i < lines.size(); ++i) {
        while (b < blocks.size() && blocks.at(b).second < i)
            ++b;
        if (b < blocks.size() && i >= blocks.at(b).first && dropped.contains(blocks.at(b).first))
            continue;
        out += lines.at(i) + QStringLiteral("\r\n");
    }
    return IcsText::foldLines(out);
}

QString refusedMoveText(const Event &series)
{
    return QCoreApplication::translate(
               "RecurringEditScope",
               "\"%1\" was left as it was: its repeat rule cannot move every occurrence by the same days (a day "
               "such as the 31st, or the second Monday of a month). Change the rule in the event form, or move "
               "the occurrences one at a time.")
        .arg(series.title.isEmpty() ? QCoreApplication::translate("RecurringEditScope", "The event") : series.title);
}

} // namespace

QString truncateRruleBefore(const QString &rule, const QDateTime &cutoff)
{
    return truncateRule(rule, utcStamp(cutoff));
}

bool applyToThisOccurrence(EventRepository *repository, Event master, const QDateTime &occurrenceStart,
                           const QDateTime &newStart, const std::optional<QDateTime> &newEnd)
{
    Event moved = childOf(master, newStart, newEnd);
    moved.master_event_uid = master.uid;
    moved.recurrence_id = recurrenceIdOf(master, occurrenceStart);
    // The text names the series' UID, so the sync sends it inside the
    // series' resource.
    EventStamp::created(moved);
    return repository->insert(moved);
}

namespace {

// The split: the master ends before the occurrence, and a new series with
// the given fields starts at the new time.
bool splitSeries(EventRepository *repository, Event master, const Event &fields, const QDateTime &occurrenceStart,
                 const QDateTime &newStart, const std::optional<QDateTime> &newEnd)
{
    const Event original = master;
    Event series = childOf(fields, newStart, newEnd);
    series.recurrence_rule = continuedRule(master, occurrenceStart);
    series.exception_dates = continuedExceptions(master, occurrenceStart, newStart);
    series.raw_icalendar = lengthTemplateOf(master);
    EventStamp::created(series);

    // An all-day series ends on a date: UNTIL takes the value type of DTSTART.
    master.recurrence_rule =
        master.is_all_day
            ? truncateRule(master.recurrence_rule,
                           occurrenceStart.date().addDays(-1).toString(QStringLiteral("yyyyMMdd")))
            : truncateRruleBefore(master.recurrence_rule, occurrenceStart.addSecs(-1));
    master.exception_dates = exceptionsBefore(original, occurrenceStart);
    master.raw_icalendar = withoutChangesFrom(master, occurrenceStart);
    EventStamp::changed(master);
    if (!repository->update(master))
        return false;
    if (!repository->insert(series)) {
        // Without the new series the later occurrences would be gone: the
        // master gets its old rule back.
        if (!repository->update(original))
            qWarning().noquote() << "applyRecurringEditScope failed: the series" << original.id
                                 << "could not get its rule back and ends before"
                                 << occurrenceStart.toString(Qt::ISODate);
        return false;
    }
    return moveLaterOverrides(repository, original, series, occurrenceStart, newStart);
}

// What the event form changes on one occurrence, laid onto the series.
Event withFormFields(Event master, const Event &edited)
{
    master.title = edited.title;
    master.description = edited.description;
    master.location = edited.location;
    master.color = edited.color;
    master.reminders = edited.reminders;
    master.attendees = edited.attendees;
    return master;
}

} // namespace

bool applyToThisAndFollowing(EventRepository *repository, Event master, const QDateTime &occurrenceStart,
                             const QDateTime &newStart, const std::optional<QDateTime> &newEnd)
{
    return splitSeries(repository, master, master, occurrenceStart, newStart, newEnd);
}

bool applyToAllOccurrences(EventRepository *repository, Event master, const QDateTime &occurrenceStart,
                           const QDateTime &newStart, const std::optional<QDateTime> &newEnd, QString *refusal)
{
    const Event original = master;
    const QDateTime start = shiftedLike(master, master.start_time, occurrenceStart, newStart);
    if (master.end_time) {
        // The occurrence as the series would have it at its new time: an
        // edit that leaves its end there leaves the series' length alone.
        const bool sameLength = !newEnd || Recurrence::occurrenceEnd(master, newStart) == newEnd;
        master.end_time = sameLength ? seriesEndFrom(master, start) : withLengthOf(master, start, newStart, *newEnd);
    }
    master.start_time = start;
    return storeMovedSeries(repository, original, master, refusal);
}

bool storeMovedSeries(EventRepository *repository, const Event &before, Event &after, QString *refusal)
{
    // A series made all-day or timed has no occurrence to name alike.
    const SeriesShift shift = SeriesShift::between(before, after);
    const bool moves = before.is_all_day == after.is_all_day && Recurrence::isSeries(before) && !shift.isNone();
    const Moved moved = [&shift](const QDateTime &value) { return shift.moved(value); };
    if (moves) {
        // A rule given anew in the same edit is the user's, as written.
        if (after.recurrence_rule == before.recurrence_rule && !after.recurrence_rule.isEmpty()) {
            const std::optional<QString> rule = shift.movedRule(after.recurrence_rule);
            if (!rule) {
                qWarning().noquote() << "applyRecurringEditScope refused: the rule" << before.recurrence_rule << "of"
                                     << before.id << "cannot move from" << before.start_time.toString(Qt::ISODate)
                                     << "to" << after.start_time.toString(Qt::ISODate);
                if (refusal)
                    *refusal = refusedMoveText(before);
                return false;
            }
            after.recurrence_rule = *rule;
        }
        after.exception_dates = exceptionsWhere(after, [&moved](const QDateTime &skipped) -> std::optional<QDateTime> {
            return moved(skipped);
        });
        if (!after.recurrence_dates.trimmed().isEmpty())
            after.recurrence_dates = movedExtraDates(after.recurrence_dates, moved);
    }
    EventStamp::changed(after);
    if (!repository->update(after))
        return false;
    return !moves
        || (withdrawDeletedChanges(repository, before)
            && moveOverrides(repository, before, after, QDateTime(), moved));
}

bool applyRecurringEditScope(EventRepository *repository, const Event &master, const QDateTime &occurrenceStart,
                             const QDateTime &newStart, const std::optional<QDateTime> &newEnd, int scope,
                             QString *refusal)
{
    if (!repository)
        return false;
    switch (scope) {
    case SeriesScope::Cancel:
        return true;
    case SeriesScope::ThisEvent:
        return applyToThisOccurrence(repository, master, occurrenceStart, newStart, newEnd);
    case SeriesScope::ThisAndFollowing:
        return applyToThisAndFollowing(repository, master, occurrenceStart, newStart, newEnd);
    case SeriesScope::AllEvents:
        return applyToAllOccurrences(repository, master, occurrenceStart, newStart, newEnd, refusal);
    default:
        return false;
    }
}

bool applyRecurringEditScope(EventRepository *repository, const Event &master, const QDateTime &occurrenceStart,
                             const Event &edited, int scope, QString *refusal)
{
    if (!repository)
        return false;
    const Event changed = withFormFields(master, edited);
    if (scope == SeriesScope::ThisAndFollowing)
        return splitSeries(repository, master, changed, occurrenceStart, edited.start_time, edited.end_time);
    return applyRecurringEditScope(repository, changed, occurrenceStart, edited.start_time, edited.end_time, scope,
                                   refusal);
}
