#include "calendar/durationend.h"

#include "calendar/icscodec.h"
#include "calendar/icscomponentwalk.h"
#include "calendar/icstext.h"

namespace {

// What the first `component` of a text says of its length: its DURATION,
// whether an end of its own (`endName`) wins over it, and the offsets of
// its alarms counted back from the end (RELATED=END).
struct Length
{
    QString duration;
    bool ended = false;
    QList<qint64> endAlarms;
};

Length lengthOf(const QString &text, const QString &component, QLatin1String endName)
{
    Length length;
    int read = 0;
    IcsComponentWalk::Steps steps;
    steps.begin = [&read] { ++read; };
    steps.property = [&](const ContentLine &line, IcsComponentWalk::Level level) {
        if (read != 1)
            return;
        if (level == IcsComponentWalk::Level::Own && line.name == QLatin1String("DURATION"))
            length.duration = line.value;
        else if (level == IcsComponentWalk::Level::Own && line.name == endName)
            length.ended = true;
        else if (level == IcsComponentWalk::Level::Alarm && line.name == QLatin1String("TRIGGER")
                 && IcsCodec::unquoteParam(line.params.value(QStringLiteral("RELATED")))
                            .compare(QLatin1String("END"), Qt::CaseInsensitive) == 0) {
            bool readable = false;
            const qint64 seconds = IcsText::signedDuration(line.value, &readable);
            if (readable)
                length.endAlarms.append(seconds);
        }
    };
    steps.alarmBegin = [] {};
    steps.alarmEnd = [] {};
    steps.end = [](const QString &) {};
    IcsComponentWalk::walk(text, component, steps);
    return length;
}

// A reminder's minutes before the start as the event reader counts them for
// an alarm `seconds` from an end `length` after the start; none past the
// bound, where it gives none.
std::optional<int> endReminder(qint64 seconds, qint64 length)
{
    const qint64 fromStart = seconds + std::max<qint64>(0, length);
    if (length > IcsText::MaxDurationSeconds || fromStart < -IcsText::MaxDurationSeconds
        || fromStart > IcsText::MaxDurationSeconds)
        return std::nullopt;
    return int(-fromStart / 60);
}

std::optional<DurationEnd> readTwice(const QDateTime &start, const std::optional<QDateTime> &end,
                                     const Length &length)
{
    bool readable = false;
    const qint64 seconds = IcsText::signedDuration(length.duration, &readable);
    if (length.ended || !readable || !start.isValid() || !end || !end->isValid())
        return std::nullopt;
    DurationEnd read{start, *end, start.addSecs(seconds), {}};
    if (read.now == read.before)
        return std::nullopt;
    for (const qint64 alarm : length.endAlarms) {
        const std::optional<int> now = endReminder(alarm, start.secsTo(read.now));
        const std::optional<int> before = endReminder(alarm, start.secsTo(read.before));
        if (now && before)
            read.endReminders.insert(*before, *now);
    }
    return read;
}

} // namespace

std::optional<DurationEnd> DurationEnd::ofEvent(const QString &text, const QString &uid,
                                                const QString &recurrenceId)
{
    for (const Event &event : IcsCodec::parseEvents(text)) {
        if (event.uid != uid || event.recurrence_id != recurrenceId)
            continue;
        // A series' occurrences each keep its whole days on their own wall
        // clock (Recurrence), so its first one's end is read like any other.
        if (event.is_all_day)
            return std::nullopt;
        return readTwice(event.start_time, event.end_time,
                         lengthOf(event.raw_icalendar, QStringLiteral("VEVENT"), QLatin1String("DTEND")));
    }
    return std::nullopt;
}

std::optional<DurationEnd> DurationEnd::ofTask(const QString &text, const QString &uid)
{
    for (const Task &task : IcsCodec::parseTodoResource(text)) {
        if (task.uid != uid)
            continue;
        if (!task.start_date || task.due_is_date_only)
            return std::nullopt;
        // A task's alarms count back from its due time whatever they say.
        Length length = lengthOf(IcsCodec::todoOf(task.raw_icalendar, uid), QStringLiteral("VTODO"),
                                 QLatin1String("DUE"));
        length.endAlarms.clear();
        return readTwice(*task.start_date, task.due_date, length);
    }
    return std::nullopt;
}
