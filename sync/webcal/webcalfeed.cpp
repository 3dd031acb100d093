#include "sync/webcal/webcalfeed.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include "calendar/icscodec.h"

namespace Webcal {

namespace {

// The component a BEGIN or END line names, upper-cased; empty for any
// other line.
QString marker(QStringView line, bool *begin)
{
    if (line.startsWith(u"BEGIN:", Qt::CaseInsensitive)) {
        *begin = true;
        return line.mid(6).trimmed().toString().toUpper();
    }
    if (line.startsWith(u"END:", Qt::CaseInsensitive)) {
        *begin = false;
        return line.mid(4).trimmed().toString().toUpper();
    }
    return QString();
}

// One pass over the unfolded lines: the text must open with a VCALENDAR,
// and every component must close, in order, before the text ends.
Feed::Problem checkStructure(const QString &text)
{
    QStringList open;
    int events = 0;
    bool sawCalendar = false;
    qsizetype position = 0;
    while (position < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), position);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(position, end - position).trimmed();
        position = end + 1;
        if (line.isEmpty())
            continue;
        bool begin = false;
        const QString component = marker(line, &begin);
        if (!sawCalendar) {
            if (!begin || component != QLatin1String("VCALENDAR"))
                return Feed::Problem::NotACalendar;
            sawCalendar = true;
        }
        if (component.isEmpty())
            continue;
        if (begin) {
            // Outside a calendar only another calendar may start.
            if (open.isEmpty() && component != QLatin1String("VCALENDAR"))
                return Feed::Problem::Incomplete;
            if (open.size() >= Feed::kMaxDepth)
                return Feed::Problem::Incomplete;
            if (component == QLatin1String("VEVENT") && ++events > Feed::kMaxEvents)
                return Feed::Problem::TooManyEvents;
            open.append(component);
        } else {
            if (open.isEmpty() || open.last() != component)
                return Feed::Problem::Incomplete;
            open.removeLast();
        }
    }
    if (!sawCalendar)
        return Feed::Problem::NotACalendar;
    return open.isEmpty() ? Feed::Problem::None : Feed::Problem::Incomplete;
}

} // namespace

Feed Feed::read(const QByteArray &body)
{
    Feed feed;
    const QString text = IcsCodec::decodeText(body);
    feed.problem = checkStructure(text);
    if (feed.problem == Problem::None)
        feed.events = IcsCodec::parseEvents(text);
    return feed;
}

} // namespace Webcal
