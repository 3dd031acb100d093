#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// Turns one line of quick-add text ("lunch tomorrow 1pm for 90 min #work")
// into the parts of an item. A pure function of the text and of "now": no
// settings, no store, no state between calls.
namespace NLParser {

struct ParseResult
{
    QString title;
    // In the time zone (or time spec) of the `now` passed to parse().
    QDateTime start;
    // Set for every non-blank text; invalid when the text named an
    // impossible date or hour.
    std::optional<QDateTime> end;
    bool allDay = false;
    bool hasTime = false;
    bool isReminder = false;
    bool isTask = false;
    QStringList tags;
};

bool operator==(const ParseResult &a, const ParseResult &b);
inline bool operator!=(const ParseResult &a, const ParseResult &b)
{
    return !(a == b);
}

// `now` is the reference for "today", "tomorrow", weekday names and
// relative phrases; callers pass the current local time, tests a fixed one.
ParseResult parse(const QString &text, const QDateTime &now = QDateTime::currentDateTime());

} // namespace NLParser
