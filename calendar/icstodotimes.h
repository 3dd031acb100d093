#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include "calendar/icszonedefinitions.h"
#include "store/task.h"

#include <optional>

// The forms a task's DTSTART and DUE are written in. Each time keeps the
// form its stored VTODO gave it: a zone (by its IANA id when known here, as
// written when not), floating, or UTC in a series, so that an edit here
// moves no occurrence on another device. A repeating timed task whose text
// gave no zone (made here, or made repeating here) is written in the
// program's zone, as events are, so that it keeps its wall-clock time across
// daylight-saving changes; anything else in UTC. A time the text lacks (a due
// date that was a DURATION, a start added here) takes the other's form. An
// instant the form's wall clock cannot name, the second time of a repeated
// hour, is written in UTC; but the start of a series (its due date where it
// has no timed start) goes on the wall clock even then, read as the first
// of the two times, since every reader steps a series there.
class IcsTodoTimes
{
public:
    // The forms for `task` from its stored VTODO (`todo`, BEGIN to END,
    // unfolded; empty for a task made here) inside the calendar text
    // `calendar`, whose X-WR-TIMEZONE gives floating times their zone.
    static IcsTodoTimes of(const Task &task, const QStringList &todo, const QString &calendar);
    // The same for the VTODO of the task's own stored text.
    static IcsTodoTimes of(const Task &task);

    // The DTSTART and DUE lines of the task; empty where it has no such time.
    QString startLine(const Task &task) const;
    QString dueLine(const Task &task) const;

    // The VTIMEZONE of each known zone the task's lines name, lines ending
    // with CR LF.
    QString definitions(const Task &task) const;
    // The unfolded lines of a calendar text with the VTIMEZONE of each known
    // zone the task's lines name that it does not define yet, before its
    // first component that is no VTIMEZONE.
    QStringList withDefinitions(const QStringList &calendar, const Task &task) const;
    // The zone name a timed line of the task would name that no TZID
    // parameter carries as it is (a double quote, a control character);
    // empty when there is none.
    QString unwritableZone(const Task &task) const;

private:
    enum class Kind { Utc, Floating, Zoned };
    struct Form
    {
        Kind kind = Kind::Utc;
        // What TZID says: the zone's id, or the name as written for a zone
        // not known here.
        QString tzid;
        // Invalid for a zone not known here, whose times were read on the
        // computer's wall clock.
        QTimeZone zone;
    };
    using Named = IcsZoneDefinitions::Named;

    static std::optional<Form> storedForm(const QString &line, const QString &calendar);
    static Form programForm();
    static QString timeLine(const QString &name, const QDateTime &value, bool dateOnly, const Form &form,
                            bool onWallClock);
    qint64 startShift(const Task &task) const;
    QList<Named> namedZones(const Task &task) const;

    Form m_start;
    Form m_due;
};
