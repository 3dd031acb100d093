#pragma once

#include <QJsonValue>

#include <optional>

namespace Sync {

// A whole number from a server's JSON reply, its fraction dropped. JSON
// numbers arrive as doubles; one that is not finite or lies outside
// [minimum, maximum] has no integer meaning, so the caller treats the reply
// as unreadable rather than cast it into an arbitrary value. Also nothing
// for a value that is not a number.
std::optional<qint64> jsonInteger(const QJsonValue &value, qint64 minimum, qint64 maximum);

} // namespace Sync
