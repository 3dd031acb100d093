#pragma once

#include "store/event.h"

#include <QStringList>

namespace OAuth {

// The names of the fields an edit here and the provider's newer version
// both changed, each its own way, from `base`, the copy the edit started
// from: what a joined write says it kept of this side.
QStringList bothSidesChanged(const Event &base, const Event &local, const Event &server);

} // namespace OAuth
