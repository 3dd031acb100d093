#include "sync/caldav/caldavuploadmatch.h"

#include "calendar/icscodec.h"
#include "calendar/icscomponentwalk.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace CalDavUploadMatch {

namespace {

using Level = IcsComponentWalk::Level;
// Each component's properties as comparable texts, sorted, by its kind,
// UID and RECURRENCE-ID.
using Components = QHash<QString, QStringList>;

// Parameter order and quoting, and the value's escaping, are the writer's.
QString propertyText(const ContentLine &line, Level level)
{
    QStringList params;
    for (auto it = line.params.cbegin(); it != line.params.cend(); ++it)
        params.append(it.key() + QLatin1Char('=') + QString(it.value()).remove(QLatin1Char('"')));
    params.sort();
    const QLatin1String place = level == Level::Own     ? QLatin1String("")
                                : level == Level::Alarm ? QLatin1String("VALARM/")
                                                        : QLatin1String("NESTED/");
    return place + line.name + QLatin1Char(';') + params.join(QLatin1Char(';')) + QLatin1Char(':')
        + IcsCodec::unescapeText(line.value);
}

// Empty, with *ok false, when two components share a key.
Components read(const QString &text, bool *ok)
{
    Components out;
    *ok = true;
    for (const char *name : {"VEVENT", "VTODO", "VJOURNAL"}) {
        const QString kind = QLatin1String(name);
        QStringList properties;
        QString uid;
        QString recurrenceId;
        IcsComponentWalk::Steps steps;
        steps.begin = [&] {
            properties.clear();
            uid.clear();
            recurrenceId.clear();
        };
        steps.property = [&](const ContentLine &line, Level level) {
            if (level == Level::Own && line.name == QLatin1String("UID"))
                uid = line.value.trimmed();
            else if (level == Level::Own && line.name == QLatin1String("RECURRENCE-ID"))
                recurrenceId = line.value.trimmed();
            // When the text was written, not what it says: servers may
            // stamp their own.
            if (level == Level::Own && line.name == QLatin1String("DTSTAMP"))
                return;
            properties.append(propertyText(line, level));
        };
        steps.alarmBegin = [] {};
        steps.alarmEnd = [] {};
        steps.end = [&](const QString &) {
            const QString key = kind + QLatin1Char('\n') + uid + QLatin1Char('\n') + recurrenceId;
            if (out.contains(key))
                *ok = false;
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
