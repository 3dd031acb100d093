#pragma once

#include "store/event.h"

#include <QDateTime>
#include <QString>

#include <optional>

class EventRepository;

// How far a change to one occurrence of a series reaches; the scope dialog
// answers with one of these.
namespace SeriesScope {
enum Scope { Cancel = 0, ThisEvent = 1, ThisAndFollowing = 2, AllEvents = 3 };
}

// Carries a change to one occurrence of a repeating event out on the stored
// rows, for the scope the user chose (SeriesScope):
// 1 writes an override of that occurrence, 2 ends the series before it and
// starts a new series at the new time, 3 moves the whole series. Every row
// written carries the iCalendar text the sync pushes: an override is a
// VEVENT with the series' UID and a RECURRENCE-ID, pushed inside the series'
// resource. Scope 0 changes nothing and returns true; no repository or an
// unknown scope returns false. A move of the whole series its rule cannot
// follow (storeMovedSeries) is refused: false, nothing changed, and the
// words the user reads in *refusal.
bool applyRecurringEditScope(EventRepository *repository, const Event &master, const QDateTime &occurrenceStart,
                             const QDateTime &newStart, const std::optional<QDateTime> &newEnd, int scope,
                             QString *refusal = nullptr);

// The same for an edit made in the event form on one occurrence: the edited
// copy brings its title, notes, location, colour, reminders and attendees
// with its new times. An override or a new series takes them; the earlier
// part of a split series keeps the master's own.
bool applyRecurringEditScope(EventRepository *repository, const Event &master, const QDateTime &occurrenceStart,
                             const Event &edited, int scope, QString *refusal = nullptr);

bool applyToThisOccurrence(EventRepository *repository, Event master, const QDateTime &occurrenceStart,
                           const QDateTime &newStart, const std::optional<QDateTime> &newEnd);
// The new series keeps the old one's end (its UNTIL, or the part of its
// COUNT that falls on or after the split), and the skipped and changed
// occurrences from the split on, moved as the series moved; the old one
// keeps those before the split, in its record and its stored text.
// The rule moves as a whole-series move would move it; where it cannot
// (storeMovedSeries), or cannot start again there on the same days, the
// split is refused likewise. Split at an extra date off the rule, the new
// series starts at the rule's next occurrence, moved alike, and keeps the
// extra date (SeriesChange::thisAndFollowing).
bool applyToThisAndFollowing(EventRepository *repository, Event master, const QDateTime &occurrenceStart,
                             const QDateTime &newStart, const std::optional<QDateTime> &newEnd,
                             QString *refusal = nullptr);
// The series keeps its own length (its end or DURATION) unless the edit
// gave the occurrence another; that one goes on as whole days on the wall
// clock and the rest, as every occurrence is read. Every occurrence moves
// as that one did (storeMovedSeries).
bool applyToAllOccurrences(EventRepository *repository, Event master, const QDateTime &occurrenceStart,
                           const QDateTime &newStart, const std::optional<QDateTime> &newEnd,
                           QString *refusal = nullptr);
// The series `before` stored as `after`, its start or zone changed. Every
// occurrence moves alike (SeriesShift): each skipped day, extra date and
// changed occurrence's recurrence id with it (an override's own times
// stay), and, moved by whole days, the days its rule names, unless the
// same edit gave a rule of its own. Where the rule cannot name the moved
// days the move is refused: false, nothing stored, the words the user
// reads in *refusal. `after` becomes the record as stored. The series and
// its changed occurrences are written in one transaction (SeriesChange).
bool storeMovedSeries(EventRepository *repository, const Event &before, Event &after, QString *refusal = nullptr);

// The rule ended at the cut-off: COUNT dropped, UNTIL (replaced in place or
// appended) the cut-off in UTC as "yyyyMMddTHHmmssZ"; other parts kept.
QString truncateRruleBefore(const QString &rule, const QDateTime &cutoff);
