#pragma once

#include "store/event.h"

#include <QList>
#include <QString>

// The events of many calendar objects at once: a first pull parses
// thousands, each on its own, so the pool's idle threads share the work
// with the caller. Only threads free at the start join in; the caller does
// whatever they do not take.
namespace CalDavParallelParse {

// The events of texts[i] at index i.
QList<QList<Event>> parse(const QList<QString> &texts);

} // namespace CalDavParallelParse
