#pragma once

#include <QJsonObject>

namespace OAuth {

// The body of a PATCH that turns `before` into `after`: the members whose
// value differs, and null for each member `after` no longer has. Where both
// values are objects, the members the new object drops are named null as
// well, at every depth, so that a service merging nested objects does not
// keep them.
QJsonObject changedMembers(const QJsonObject &before, const QJsonObject &after);

} // namespace OAuth
