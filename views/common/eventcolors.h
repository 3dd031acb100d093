#pragma once

#include "store/event.h"

#include <QColor>
#include <QHash>
#include <QString>

// The colour of an event in every painted view: its own colour, else its
// calendar's, else the default blue; text that does not parse also gives the
// default blue.
namespace EventColors {

inline constexpr char Fallback[] = "#4285F4";

QColor colorOf(const Event &event, const QHash<QString, QString> &calendarColors);

} // namespace EventColors
