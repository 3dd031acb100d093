#include "sync/caldav/caldavuploadmatch.h"

#include "calendar/icscodec.h"
#include "calendar/icscomponentwalk.h"
#include "sync/caldav/caldavpropertymeaning.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace CalDavUploadMatch {

namespace {

using Level = IcsComponentWalk::Level;

// A component's properties as comparable texts, sorted: its own, and each
// alarm's apart, so that two alarms cannot trade what they say.
struct Texts
{
    QStringList own;
    QList<QStringList> alarms;
};
// Each component by its kind, UID and RECURRENCE-ID.
using Components = QHash<QString, Texts>;

// Past this many alarms a component's are compared in their order only.
constexpr qsizetype kMatchedAlarms = 64;

bool includes(const QStringList &have, const QStringList &wanted)
{
    // Sorted lists: every property sent, as often as it was sent.
    return std::includes(have.cbegin(), have.cend(), wanted.cbegin(), wanted.cend());
}

// Whether the stored alarm `index`, or one that gives way to another,
// can be taken by sent alarm `sent` (an augmenting path).
bool takeAlarm(const QList<QStringList> &wanted, const QList<QStringList> &have, qsizetype sent,
               QList<qsizetype> &takenBy, QList<bool> &seen)
{
    for (qsizetype index = 0; index < have.size(); ++index) {
        if (seen.at(index) || !includes(have.at(index), wanted.at(sent)))
            continue;
        seen[index] = true;
        if (takenBy.at(index) < 0 || takeAlarm(wanted, have, takenBy.at(index), takenBy, seen)) {
            takenBy[index] = sent;
            return true;
        }
    }
    return false;
}

// Every alarm sent held by an alarm of its own in the copy; the server may
// have added alarms and properties to them, and written them in another
// order.
bool holdsAlarms(const QList<QStringList> &wanted, const QList<QStringList> &have)
{
    if (wanted.size() > have.size())
        return false;
    if (wanted.size() > kMatchedAlarms || have.size() > kMatchedAlarms) {
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            if (!includes(have.at(i), wanted.at(i)))
                return false;
        }
        return true;
    }
    QList<qsizetype> takenBy(have.size(), -1);
    for (qsizetype sent = 0; sent < wanted.size(); ++sent) {
        QList<bool> seen(have.size(), false);
        if (!takeAlarm(wanted, have, sent, takenBy, seen))
            return false;
    }
    return true;
}

// Empty, with *ok false, when two components share a key.
Components read(const QString &text, bool *ok)
{
    Components out;
    *ok = true;
    // The reader's records of the events, in the order of their components.
    const QList<Event> events = IcsCodec::parseEvents(text);
    qsizetype nextEvent = 0;
    for (const char *name : {"VEVENT", "VTODO", "VJOURNAL"}) {
        const QString kind = QLatin1String(name);
        QList<CalDavPropertyMeaning::Line> lines;
        QList<QList<CalDavPropertyMeaning::Line>> alarms;
        bool inAlarm = false;
        QString uid;
        QString recurrenceId;
        IcsComponentWalk::Steps steps;
        steps.begin = [&] {
            lines.clear();
            alarms.clear();
            uid.clear();
            recurrenceId.clear();
        };
        steps.property = [&](const ContentLine &line, Level level) {
            if (level == Level::Own && line.name == QLatin1String("UID"))
                uid = line.value.trimmed();
            else if (level == Level::Own && line.name == QLatin1String("RECURRENCE-ID"))
                recurrenceId = CalDavPropertyMeaning::timeText(line);
            // When the text was written, not what it says: servers may
            // stamp their own.
            if (level == Level::Own && line.name == QLatin1String("DTSTAMP"))
                return;
            if (level == Level::Alarm && inAlarm)
                alarms.last().append({line, level});
            else
                lines.append({line, level});
        };
        steps.alarmBegin = [&] {
            alarms.append(QList<CalDavPropertyMeaning::Line>());
            inAlarm = true;
        };
        steps.alarmEnd = [&] { inAlarm = false; };
        steps.end = [&](const QString &own) {
            // An event's changed occurrence goes by the reader's name for
            // it: on an all-day series a zone's midnight names its day.
            if (kind == QLatin1String("VEVENT") && nextEvent < events.size()
                && events.at(nextEvent).raw_icalendar.contains(own)) {
                if (!recurrenceId.isEmpty() && !events.at(nextEvent).recurrence_id.isEmpty())
                    recurrenceId = events.at(nextEvent).recurrence_id;
                ++nextEvent;
            }
            const QString key = kind + QLatin1Char('\n') + uid + QLatin1Char('\n') + recurrenceId;
            if (out.contains(key))
                *ok = false;
            Texts texts{CalDavPropertyMeaning::texts(lines, kind), {}};
            texts.own.sort();
            for (const QList<CalDavPropertyMeaning::Line> &alarm : std::as_const(alarms)) {
                QStringList properties = CalDavPropertyMeaning::alarmTexts(alarm);
                properties.sort();
                texts.alarms.append(properties);
            }
            out.insert(key, texts);
        };
        IcsComponentWalk::walk(text, kind, steps);
    }
    return *ok ? out : Components();
}

// A component's property texts as a change is measured on them: each date
// of a date list apart, a writer's stamps left out.
QStringList changeTexts(const QStringList &texts)
{
    static const QStringList stamps{QStringLiteral("SEQUENCE;"), QStringLiteral("LAST-MODIFIED;"),
                                    QStringLiteral("CREATED;")};
    QStringList out;
    for (const QString &text : texts) {
        if (std::any_of(stamps.cbegin(), stamps.cend(), [&text](const QString &s) { return text.startsWith(s); }))
            continue;
        const bool dates = text.startsWith(QLatin1String("EXDATE;:")) || text.startsWith(QLatin1String("RDATE;:"));
        if (!dates) {
            out.append(text);
            continue;
        }
        // "EXDATE;:" and the set, its items joined by commas (a date's text
        // holds none).
        const qsizetype head = text.indexOf(QLatin1Char(':')) + 1;
        for (const QString &item : text.mid(head).split(QLatin1Char(','), Qt::SkipEmptyParts))
            out.append(text.left(head) + item);
    }
    out.sort();
    return out;
}

// How often each text stands in a list.
QHash<QString, int> counted(const QStringList &texts)
{
    QHash<QString, int> out;
    for (const QString &text : texts)
        ++out[text];
    return out;
}

// Whether `have` holds what `sent` changed of `was`: every text `sent` has
// more often than `was` is in `have` as often, and every text it has less
// often is in `have` no more often than in `sent`.
bool holdsChangedTexts(const QStringList &was, const QStringList &sent, const QStringList &have)
{
    const QHash<QString, int> before = counted(changeTexts(was));
    const QHash<QString, int> after = counted(changeTexts(sent));
    const QHash<QString, int> held = counted(changeTexts(have));
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (it.value() > before.value(it.key()) && held.value(it.key()) < it.value())
            return false;
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.value() > after.value(it.key()) && held.value(it.key()) > after.value(it.key()))
            return false;
    }
    return true;
}

// A component's key (its kind, UID and RECURRENCE-ID) with an event's
// occurrence named as `renamed` names it.
QString renamedKey(const QString &key, const Renaming &renamed)
{
    const QStringList parts = key.split(QLatin1Char('\n'));
    if (parts.size() != 3 || parts.at(0) != QLatin1String("VEVENT") || parts.at(2).isEmpty())
        return key;
    return parts.at(0) + QLatin1Char('\n') + parts.at(1) + QLatin1Char('\n') + renamed(parts.at(1), parts.at(2));
}

} // namespace

bool holdsChange(const QString &stored, const QString &sent, const QString &base, const Renaming &renamed)
{
    bool sentOk = false;
    bool storedOk = false;
    bool baseOk = false;
    const Components wanted = read(sent, &sentOk);
    const Components have = read(stored, &storedOk);
    const Components was = read(base, &baseOk);
    if (!sentOk || !storedOk || wanted.isEmpty())
        return false;
    // What the upload left out of the resource (a change deleted or
    // withdrawn here) is gone from the server's copy too.
    for (auto it = was.cbegin(); it != was.cend(); ++it) {
        if (!wanted.contains(it.key()) && have.contains(it.key()))
            return false;
    }
    Components renamedBase;
    if (renamed) {
        for (auto it = was.cbegin(); it != was.cend(); ++it)
            renamedBase.insert(renamedKey(it.key(), renamed), it.value());
    }
    const Components &from = renamed ? renamedBase : was;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        const auto found = have.constFind(it.key());
        if (found == have.cend())
            return false;
        const Texts before = from.value(it.key());
        if (!holdsChangedTexts(before.own, it->own, found->own))
            return false;
        // Alarms changed here are held as they went, and no others.
        if (before.alarms != it->alarms
            && (found->alarms.size() != it->alarms.size() || !holdsAlarms(it->alarms, found->alarms)))
            return false;
    }
    return true;
}

bool holds(const QString &stored, const QString &sent)
{
    bool sentOk = false;
    bool storedOk = false;
    const Components wanted = read(sent, &sentOk);
    const Components have = read(stored, &storedOk);
    if (!sentOk || !storedOk || wanted.isEmpty() || wanted.size() != have.size())
        return false;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        const auto found = have.constFind(it.key());
        if (found == have.cend() || !includes(found->own, it->own) || !holdsAlarms(it->alarms, found->alarms))
            return false;
    }
    return true;
}

} // namespace CalDavUploadMatch
