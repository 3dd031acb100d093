#pragma once

#include <QString>

#include "store/event.h"

#include <optional>

namespace OAuth {

// The days a series this device moved in time since the provider last had
// it skips once the provider's newer copy is joined with it: `base` as the
// provider had it (the sync base), `local` as this device moved it,
// `server` the copy read afresh. None where the series did not move.
//
// Where that copy still starts where the series stood, a day it skips or
// gives back since the base is laid where its occurrence stands here
// (MovedSeriesPlaces::skippedDaysWith). Where it starts where this device
// moved the series already, this device's write landed and its answer was
// lost: the provider gave the series its days anew, dropping the days
// skipped here, which is this device's own doing, so those stay as this
// device recorded them; a day the copy skips that the base did not is one
// skipped there since, already in its place.
std::optional<QString> skippedDaysJoined(const Event &base, const Event &local, const Event &server);

} // namespace OAuth
