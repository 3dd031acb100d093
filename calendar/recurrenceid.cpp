#include "calendar/recurrence.h"

#include "calendar/icstext.h"

// The one place a recurrence id is written and read. The store names an
// occurrence by its start in UTC ("yyyyMMddTHHmmssZ"), an all-day one by
// its date at midnight ("yyyyMMddT000000Z"), on every side: the expansion,
// the edits, CalDAV, Google and Outlook.
namespace Recurrence {

QString recurrenceIdAt(const QDateTime &start, bool allDay)
{
    if (allDay)
        return IcsText::dateText(start.date()) + QLatin1String("T000000Z");
    return IcsText::utcText(start);
}

QString recurrenceIdOf(const Event &series, const QDateTime &start)
{
    if (!series.is_all_day)
        return recurrenceIdAt(start, false);
    // An all-day occurrence is named by its date on the series' clock, as a
    // date-valued RECURRENCE-ID reads, in every zone. A start at 00:00 UTC
    // is a recurrence id read back (readRecurrenceId), moved or not: its
    // own date. It could be the midnight of the series' clock only where
    // that clock reads as UTC, and then the two dates are the same.
    if (start.timeSpec() == Qt::UTC && start.time() == QTime(0, 0))
        return recurrenceIdAt(start, true);
    return recurrenceIdAt(IcsText::inSpecOf(start, series.start_time), true);
}

QDateTime readRecurrenceId(const QString &recurrenceId)
{
    const QStringView text(recurrenceId);
    const QStringView id = text.endsWith(u'Z') ? text.chopped(1) : text;
    QDate day;
    QTime time;
    if (IcsText::readDateTime(id, &day, &time))
        return QDateTime(day, time, Qt::UTC);
    const QDate date = IcsText::readDate(id);
    return date.isValid() ? QDateTime(date, QTime(0, 0), Qt::UTC) : QDateTime();
}

QString storedRecurrenceId(const QString &recurrenceId)
{
    const QDate date = IcsText::readDate(recurrenceId);
    return date.isValid() ? recurrenceIdAt(QDateTime(date, QTime(0, 0), Qt::UTC), true) : recurrenceId;
}

} // namespace Recurrence
