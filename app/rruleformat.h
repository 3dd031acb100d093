#pragma once

#include <QString>

#include <utility>

struct Event;

// Human-readable recurrence text. The line says what the expander
// (Recurrence::step) will produce for the rule: it reads the rule with the
// same parser, so ordinal weekdays, month days, months and set positions are
// described as they are expanded. Texts are translated in the context
// "QObject"; weekday and month names in the context "RruleFormat".

// One line for an RRULE value without the "RRULE:" name, such as
// "Every 2 weeks · Mon, Wed · 5 time(s)". Empty for an empty rule.
QString describeRrule(const QString &rule);

// The same for a repeating event as the views show it (a stored series, or
// one occurrence of it with its own start): where the rule steps on
// another clock than the computer's (UTC, a zone of the event's own) and
// its occurrences fall on other days here, the days are named as they are
// shown. Only a rule of plain weekdays is named so; one that counts
// weekdays or names month days is described as it is written.
QString describeRecurrence(const Event &event);

// "At time of event", "10 min before", "2 hour(s) before", "1 day(s) before".
QString describeReminderOffset(int minutesBefore);

// "Mon" … "Sun" for a two-letter iCalendar weekday code; any other code comes
// back upper-cased and untranslated.
QString weekdayShortName(const QString &code);

// n with its English ordinal suffix: 1st, 2nd, 3rd, 4th, 11th, 21st, 112th.
QString ordinalSuffix(int n);

// The word for a BYDAY or BYSETPOS ordinal: "first", "last",
// "second-to-last", "7th", "3rd-from-last".
QString ordinalWord(int n);

// Splits one BYDAY token into its ordinal (0 without one) and its weekday
// code: "-1FR" gives -1 and "FR", "SA" gives 0 and "SA".
std::pair<int, QString> parseByDayToken(const QString &token);
