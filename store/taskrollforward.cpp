#include "store/taskrollforward.h"

#include "calendar/recurrence.h"
#include "store/event.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace TaskRollForward {

namespace {

// Tasks have no zone of their own: they repeat on the user's wall clock, so
// a 09:00 task stays at 09:00 across a daylight-saving change.
QDateTime anchorFor(const Task &task, const QDateTime &now)
{
    if (task.repeat_mode == QLatin1String("fromCompletionDate"))
        return now.toLocalTime();
    if (task.due_date && task.due_date->isValid())
        return task.due_date->toLocalTime();
    if (task.start_date && task.start_date->isValid())
        return task.start_date->toLocalTime();
    return QDateTime();
}

QDateTime midnightOf(const QDateTime &value)
{
    QDateTime midnight = value;
    midnight.setTime(QTime(0, 0));
    return midnight;
}

} // namespace

bool apply(Task &task, const QDateTime &now)
{
    const bool hasDue = task.due_date && task.due_date->isValid();
    const bool hasStart = task.start_date && task.start_date->isValid();
    // Without a date there is nothing to move; completing it for good beats
    // reopening it on every completion.
    if (!hasDue && !hasStart)
        return false;
    const QDateTime anchor = anchorFor(task, now);
    if (!anchor.isValid())
        return false;

    Event probe;
    probe.start_time = anchor;
    probe.end_time = anchor;
    probe.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    probe.recurrence_rule = task.recurrence_rule;
    const QList<Event> next = Recurrence::expandEvent(probe, anchor.addSecs(1), anchor.addYears(5));
    if (next.isEmpty())
        return false;

    const QDateTime nextStart = next.first().start_time.toLocalTime();
    if (hasDue)
        task.due_date = task.due_is_date_only ? midnightOf(nextStart) : nextStart;
    else
        task.start_date = task.start_is_date_only ? midnightOf(nextStart) : nextStart;
    task.recurrence_rule = countedDown(task.recurrence_rule);
    return true;
}

QString countedDown(const QString &rule)
{
    static const QRegularExpression count(QStringLiteral("(^|;)(COUNT=)(\\d+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = count.match(rule);
    if (!match.hasMatch())
        return rule;
    const int remaining = match.captured(3).toInt();
    if (remaining <= 1)
        return rule;
    QString out = rule;
    out.replace(match.capturedStart(3), match.capturedLength(3), QString::number(remaining - 1));
    return out;
}

void setCompleted(Task &task, bool completed, const QDateTime &now)
{
    const bool recurring = !task.recurrence_rule.isEmpty();
    const bool alreadyCompleted = task.status == TaskStatus::Completed;
    const bool rolled = completed && recurring && !alreadyCompleted && apply(task, now);
    if (completed && !rolled) {
        task.status = TaskStatus::Completed;
        task.completed_date = now.toUTC();
        task.percent_complete = 100;
    } else {
        // Reopened, or moved on to its next date.
        task.status = TaskStatus::NeedsAction;
        task.completed_date.reset();
        task.percent_complete = 0;
    }
}

} // namespace TaskRollForward
