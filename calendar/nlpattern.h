#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

// The pieces every quick-add matcher shares: the spans a match consumed and
// the pattern shorthands.
namespace NLParser::Detail {

// Every matcher runs over the whole, unchanged input and reports the
// stretches it consumed; the title is what is left when they are cut out.
struct MatchSpan
{
    int start = 0;
    int length = 0;
};
using Spans = QList<MatchSpan>;

// Patterns are written with shorthands that PCRE lacks: "\<" and "\>" mark
// the start and end of a whole word. A word joined to the next by an
// apostrophe or a hyphen ("today's", "check-in", "sun-dried") is one word.
// "\!" ends a written time: no word and no further ":5" or ".5" follows.
// Patterns are compiled once; the parser runs on every keystroke of the
// quick-add preview.
QRegularExpression pattern(const QString &source, bool caseInsensitive = true);
QRegularExpression pattern(const char *source, bool caseInsensitive = true);

// A written time of day in four groups: the hour, the separator and the
// minutes ("5:45", "5.45"), and the letter of am/pm written "pm", "p.m." or
// "p. m.". Not the tail of a number ("12.5", the "30" of "1:30"). Each
// stretchable part is followed by something it cannot match, so a long run
// of spaces is crossed once, not once per way of splitting it.
QString clock(bool meridiemRequired = false);

void addSpan(Spans &spans, const QRegularExpressionMatch &match);

} // namespace NLParser::Detail
