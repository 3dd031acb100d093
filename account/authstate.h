#pragma once

#include <QObject>

namespace TindAccount {
Q_NAMESPACE

// The cloud sign-in state. The numbers travel in signals and are compared by
// other components; 2 is not used.
enum class AuthState : int {
    Initial = 0,
    SignedOut = 1,
    SignedIn = 3,
};
Q_ENUM_NS(AuthState)

} // namespace TindAccount
