#include "calendar/icstodotimes.h"

#include <QSet>

#include "calendar/icscalendarcontext.h"
#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/icstimezone.h"
#include "calendar/icszonedefinitions.h"

namespace {

const QLatin1String Crlf("\r\n");

// A VTODO's own DTSTART, DUE and whether it repeats; the last line of a
// name counts, as in the reader.
struct StoredTimes
{
    QString start;
    QString due;
    bool repeats = false;
};

StoredTimes storedTimes(const QStringList &todo)
{
    StoredTimes stored;
    int depth = 0; // the VTODO's own lines are at depth 1
    for (const QString &text : todo) {
        bool begin = false;
        QString component;
        if (IcsText::componentMarker(text, &begin, &component)) {
            depth += begin ? 1 : -1;
            continue;
        }
        if (depth != 1)
            continue;
        const QString name = IcsCodec::splitContentLine(text).name;
        if (name == QLatin1String("DTSTART"))
            stored.start = text;
        else if (name == QLatin1String("DUE"))
            stored.due = text;
        else if (name == QLatin1String("RRULE"))
            stored.repeats = true;
    }
    return stored;
}

} // namespace

IcsTodoTimes IcsTodoTimes::of(const Task &task, const QStringList &todo, const QString &calendar)
{
    const StoredTimes stored = storedTimes(todo);
    std::optional<Form> start = stored.start.isEmpty() ? std::nullopt : storedForm(stored.start, calendar);
    std::optional<Form> due = stored.due.isEmpty() ? std::nullopt : storedForm(stored.due, calendar);
    // UTC outside a series is how every task was written here: no choice of
    // the text's to keep once the task repeats.
    if (!stored.repeats) {
        if (start && start->kind == Kind::Utc)
            start.reset();
        if (due && due->kind == Kind::Utc)
            due.reset();
    }
    if (!start)
        start = due;
    if (!due)
        due = start;
    IcsTodoTimes times;
    if (!start || !due) {
        const Form fallback = task.recurrence_rule.trimmed().isEmpty() ? Form() : programForm();
        start = due = fallback;
    }
    times.m_start = *start;
    times.m_due = *due;
    return times;
}

IcsTodoTimes IcsTodoTimes::of(const Task &task)
{
    if (task.raw_icalendar.isEmpty())
        return of(task, QStringList(), QString());
    return of(task, IcsCodec::unfoldLines(IcsCodec::todoOf(task.raw_icalendar, task.uid)), task.raw_icalendar);
}

// The form of a stored time; none for a date or a value the reader does not
// take as a time.
std::optional<IcsTodoTimes::Form> IcsTodoTimes::storedForm(const QString &line, const QString &calendar)
{
    const ContentLine content = IcsCodec::splitContentLine(line);
    const QString value = content.value.trimmed();
    const bool utc = value.endsWith(QLatin1Char('Z')) || value.endsWith(QLatin1Char('z'));
    QDate day;
    QTime time;
    if (!IcsText::readDateTime(utc ? value.chopped(1) : value, &day, &time))
        return std::nullopt;
    Form form;
    if (utc)
        return form;
    const auto tzid = content.params.constFind(QStringLiteral("TZID"));
    if (tzid != content.params.constEnd()) {
        const QString name = IcsCodec::unquoteParam(tzid->trimmed());
        form.zone = IcsCodec::zoneForId(name);
        form.kind = name.isEmpty() ? Kind::Floating : Kind::Zoned;
        form.tzid = form.zone.isValid() ? QString::fromUtf8(form.zone.id()) : name;
        return form;
    }
    // Floating: in the calendar's zone where it names one, which then is
    // named, so that the time means the same without the calendar's line.
    const IcsCalendarContext context = IcsCalendarContext::read(calendar);
    if (context.floatingZone.isValid()) {
        form.kind = Kind::Zoned;
        form.zone = context.floatingZone;
        form.tzid = context.floatingZoneId;
    } else {
        form.kind = Kind::Floating;
    }
    return form;
}

// The computer's zone, as the event form names it; UTC where it has no id
// of its own or is UTC by another name.
IcsTodoTimes::Form IcsTodoTimes::programForm()
{
    Form form;
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QString id = QString::fromUtf8(zone.id());
    const bool utc = !zone.hasTransitions() && zone.offsetFromUtc(QDateTime::currentDateTimeUtc()) == 0;
    if (!zone.isValid() || id.isEmpty() || utc || IcsCodec::zoneForId(id) != zone)
        return form;
    form.kind = Kind::Zoned;
    form.tzid = id;
    form.zone = zone;
    return form;
}

QString IcsTodoTimes::timeLine(const QString &name, const QDateTime &value, bool dateOnly, const Form &form,
                               bool onWallClock)
{
    if (dateOnly)
        return name + QStringLiteral(";VALUE=DATE:") + IcsText::dateText(value.date());
    // A zone not known here was read on the computer's wall clock. An
    // instant that clock cannot name goes in UTC rather than an hour off;
    // but a series is stepped on the wall clock by every reader, so its
    // start goes there even then, read as the first of the two times.
    QString wall;
    if (form.kind != Kind::Utc && value.isValid())
        wall = onWallClock ? IcsText::wallClockText(value, form.zone) : IcsText::wallText(value, form.zone);
    if (wall.isEmpty())
        return name + QLatin1Char(':') + IcsText::utcText(value);
    const QString head = form.kind == Kind::Zoned ? name + QStringLiteral(";TZID=") + IcsText::paramValue(form.tzid)
                                                  : name;
    return head + QLatin1Char(':') + wall;
}

namespace {

bool repeats(const Task &task)
{
    return !task.recurrence_rule.trimmed().isEmpty();
}

bool timed(const std::optional<QDateTime> &value, bool dateOnly)
{
    return value && value->isValid() && !dateOnly;
}

} // namespace

// How far a series' start moves when written on its wall clock: back by
// the repeated hour where it is the second time of it, else not at all.
qint64 IcsTodoTimes::startShift(const Task &task) const
{
    if (!repeats(task) || !timed(task.start_date, task.start_is_date_only) || m_start.kind == Kind::Utc)
        return 0;
    return task.start_date->secsTo(IcsText::namedByWallClock(*task.start_date, m_start.zone));
}

QString IcsTodoTimes::startLine(const Task &task) const
{
    if (!task.start_date)
        return QString();
    return timeLine(QStringLiteral("DTSTART"), *task.start_date, task.start_is_date_only, m_start, repeats(task));
}

QString IcsTodoTimes::dueLine(const Task &task) const
{
    if (!task.due_date)
        return QString();
    // A series' due date keeps its distance from the start as written,
    // since readers give every occurrence that length; without a timed
    // start it is what the series steps from.
    const bool anchor = repeats(task) && !timed(task.start_date, task.start_is_date_only);
    const QDateTime due = task.due_is_date_only ? *task.due_date : task.due_date->addSecs(startShift(task));
    return timeLine(QStringLiteral("DUE"), due, task.due_is_date_only, m_due, anchor);
}

// The known zones the timed lines name, each once, with a date their
// definition is to cover.
QList<IcsZoneDefinitions::Named> IcsTodoTimes::namedZones(const Task &task) const
{
    QList<Named> named;
    const auto note = [&named](const std::optional<QDateTime> &value, bool dateOnly, const Form &form) {
        if (!value || !value->isValid() || dateOnly || form.kind != Kind::Zoned || !form.zone.isValid())
            return;
        for (const Named &known : std::as_const(named)) {
            if (known.tzid == form.tzid)
                return;
        }
        named.append({form.tzid, form.zone, value->toTimeZone(form.zone).date()});
    };
    note(task.start_date, task.start_is_date_only, m_start);
    note(task.due_date, task.due_is_date_only, m_due);
    return named;
}

QString IcsTodoTimes::definitions(const Task &task) const
{
    QString out;
    for (const Named &zone : namedZones(task))
        out += IcsTimeZone::block(zone.zone, zone.tzid, zone.around);
    return out;
}

QStringList IcsTodoTimes::withDefinitions(const QStringList &calendar, const Task &task) const
{
    return IcsZoneDefinitions::withDefinitions(calendar, namedZones(task));
}

QString IcsTodoTimes::unwritableZone(const Task &task) const
{
    const auto check = [](const std::optional<QDateTime> &value, bool dateOnly, const Form &form) {
        if (!value || dateOnly || form.kind != Kind::Zoned
            || IcsCodec::unquoteParam(IcsText::paramValue(form.tzid)) == form.tzid)
            return QString();
        return form.tzid;
    };
    const QString start = check(task.start_date, task.start_is_date_only, m_start);
    return start.isEmpty() ? check(task.due_date, task.due_is_date_only, m_due) : start;
}
