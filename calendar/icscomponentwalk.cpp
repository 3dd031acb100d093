#include "calendar/icscomponentwalk.h"

#include "calendar/icscodec.h"
#include "calendar/icslinereader.h"
#include "calendar/icstext.h"

#include <QStringList>

namespace IcsComponentWalk {

void walk(const QString &text, const QString &component, const Steps &steps)
{
    const QLatin1String alarm("VALARM");
    QString own;
    bool inside = false;
    // Components open inside the one read; only its own level is its.
    QStringList nested;

    IcsLineReader reader(text);
    QString line;
    while (reader.next(&line)) {
        bool begin = false;
        QString name;
        const bool marker = IcsText::componentMarker(line, &begin, &name);
        if (marker && begin && name == component) {
            nested.clear();
            own = line + QLatin1String("\r\n");
            inside = true;
            steps.begin();
            continue;
        }
        if (!inside)
            continue;
        own += line;
        own += QLatin1String("\r\n");
        if (marker && !begin && name == component) {
            inside = false;
            steps.end(own);
            continue;
        }
        if (marker) {
            if (begin) {
                nested.append(name);
                if (nested.size() == 1 && name == alarm)
                    steps.alarmBegin();
            } else if (!nested.isEmpty()) {
                const QString closed = nested.takeLast();
                if (nested.isEmpty() && closed == alarm)
                    steps.alarmEnd();
            }
            continue;
        }
        const Level level = nested.isEmpty()                                        ? Level::Own
                            : nested.size() == 1 && nested.first() == alarm ? Level::Alarm
                                                                                     : Level::Other;
        steps.property(IcsCodec::splitContentLine(line), level);
    }
}

} // namespace IcsComponentWalk
