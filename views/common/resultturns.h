#pragma once

#include <QObject>

#include <functional>

// Results of background reads that reach the GUI thread together (the week,
// the mini month and the agenda at a start, say) are applied a turn of the
// event loop apart, so input and painting come between them. The first
// result of a turn is applied at once; the others wait for the next turns,
// one each. An action whose owner is gone by then is dropped.
namespace ResultTurns {

void apply(QObject *owner, std::function<void()> action);

} // namespace ResultTurns
