#pragma once

#include <QString>

// A colour on its way into a style sheet or markup. Colours come from
// servers, invitations and pulled settings as free text; only what reads as
// a colour goes in, as "#rrggbb" ("#aarrggbb" when not opaque), so no text
// can close the rule it is put in and add rules of its own.
QString styleColor(const QString &text, const QString &fallback = QStringLiteral("#4285F4"));
