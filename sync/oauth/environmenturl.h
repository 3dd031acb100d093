#pragma once

#include <QUrl>

namespace OAuth {

// The URL in the environment variable `name` when it is set and not
// empty, else `fallback`; so a test or a stand-in server can take a
// provider's place.
QUrl urlFromEnvironment(const char *name, const char *fallback);

// The variable's value when it is a positive number, else `fallback`.
int positiveFromEnvironment(const char *name, int fallback);

} // namespace OAuth
