#include "calendar/durationend.h"

#include "calendar/icscodec.h"
#include "calendar/icscomponentwalk.h"
#include "calendar/icstext.h"

namespace {

// The DURATION of the first `component` of `text`, from its own lines;
// empty when it has none or an end of its own (`endName`), which wins.
QString durationOf(const QString &text, const QString &component, QLatin1String endName)
{
    QString duration;
    bool ended = false;
    int read = 0;
    IcsComponentWalk::Steps steps;
    steps.begin = [&read] { ++read; };
    steps.property = [&](const ContentLine &line, IcsComponentWalk::Level level) {
        if (read != 1 || level != IcsComponentWalk::Level::Own)
            return;
        if (line.name == QLatin1String("DURATION"))
            duration = line.value;
        else if (line.name == endName)
            ended = true;
    };
    steps.alarmBegin = [] {};
    steps.alarmEnd = [] {};
    steps.end = [](const QString &) {};
    IcsComponentWalk::walk(text, component, steps);
    return ended ? QString() : duration;
}

std::optional<DurationEnd> readTwice(const QDateTime &start, const std::optional<QDateTime> &end,
                                     const QString &duration)
{
    bool readable = false;
    const qint64 seconds = IcsText::signedDuration(duration, &readable);
    if (!readable || !start.isValid() || !end || !end->isValid())
        return std::nullopt;
    const DurationEnd read{start, *end, start.addSecs(seconds)};
    if (read.now == read.before)
        return std::nullopt;
    return read;
}

} // namespace

std::optional<DurationEnd> DurationEnd::ofEvent(const QString &text, const QString &uid,
                                                const QString &recurrenceId)
{
    for (const Event &event : IcsCodec::parseEvents(text)) {
        if (event.uid != uid || event.recurrence_id != recurrenceId)
            continue;
        // A series' occurrences share one length (Recurrence): a day read
        // across its first one's change would be an hour off for the others.
        if (event.is_all_day || !event.recurrence_rule.isEmpty() || !event.recurrence_dates.isEmpty())
            return std::nullopt;
        return readTwice(event.start_time, event.end_time,
                         durationOf(event.raw_icalendar, QStringLiteral("VEVENT"), QLatin1String("DTEND")));
    }
    return std::nullopt;
}

std::optional<DurationEnd> DurationEnd::ofTask(const QString &text, const QString &uid)
{
    for (const Task &task : IcsCodec::parseTodoResource(text)) {
        if (task.uid != uid)
            continue;
        if (!task.start_date || task.due_is_date_only || !task.recurrence_rule.isEmpty())
            return std::nullopt;
        return readTwice(*task.start_date, task.due_date,
                         durationOf(IcsCodec::todoOf(task.raw_icalendar, uid), QStringLiteral("VTODO"),
                                    QLatin1String("DUE")));
    }
    return std::nullopt;
}
