#pragma once

#include <QString>

#include <functional>

// Whether a server's copy of a CalDAV resource holds what an upload sent,
// read as iCalendar rather than compared as text: servers refold, reorder,
// re-escape and add to what they store.
namespace CalDavUploadMatch {

// True when `stored` has exactly the events, to-dos and journal entries of
// `sent` (by UID and RECURRENCE-ID, an event's occurrence as the program's
// reader names it), each with every property it was sent with, its alarms'
// included, DTSTAMP aside, and the same dates excluded and added. Values
// are compared by what they mean (CalDavPropertyMeaning), so a server's own
// form of them counts as what was sent; other properties the server added
// do not count.
bool holds(const QString &stored, const QString &sent);

// The recurrence id an occurrence of the series `uid` that `base` names
// `recurrenceId` (as the program's reader names it) has in what was sent:
// a move of the series here named each of its occurrences anew.
using Renaming = std::function<QString(const QString &uid, const QString &recurrenceId)>;

// True when `stored` holds every change `sent` made to `base`: each event,
// to-do and journal entry of `sent` is in `stored` with every property (and
// each date it skips or adds) that `sent` gave it anew, and without those
// `sent` took away; alarms alike. An entry of `base` that `sent` left out
// is not in `stored` either. What another client changed besides does not
// count, nor do the stamps of a write (DTSTAMP, SEQUENCE, LAST-MODIFIED,
// CREATED). Compared by meaning, as holds() compares. With `renamed`, each
// changed occurrence of `sent` is measured against the one of `base` it
// was before the move.
bool holdsChange(const QString &stored, const QString &sent, const QString &base,
                 const Renaming &renamed = nullptr);

} // namespace CalDavUploadMatch
