#pragma once

#include <QString>

#include <functional>

namespace OAuth {

// Asked for a new access token after the service refused `refused` (401);
// calls back with one, or with none when there is none to be had.
using TokenRenewer = std::function<void(const QString &refused, std::function<void(const QString &token)> done)>;

} // namespace OAuth
