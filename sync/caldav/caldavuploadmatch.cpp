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
// Each component's properties as comparable texts, sorted, by its kind,
// UID and RECURRENCE-ID.
using Components = QHash<QString, QStringList>;

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
        QString uid;
        QString recurrenceId;
        IcsComponentWalk::Steps steps;
        steps.begin = [&] {
            lines.clear();
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
            lines.append({line, level});
        };
        steps.alarmBegin = [] {};
        steps.alarmEnd = [] {};
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
            QStringList properties = CalDavPropertyMeaning::texts(lines, kind);
            properties.sort();
            out.insert(key, properties);
        };
        IcsComponentWalk::walk(text, kind, steps);
    }
    return *ok ? out : Components();
}

} // namespace

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
        // Sorted lists: every property sent, as often as it was sent.
        if (found == have.cend() || !std::includes(found->cbegin(), found->cend(), it->cbegin(), it->cend()))
            return false;
    }
    return true;
}

} // namespace CalDavUploadMatch
