#pragma once

#include <QString>

// Account errors that code compares are stored as these fixed codes, never
// as translated text, so the status-bar pill and the rule that clears an
// error keep working after the interface language changes. Only
// `displayText` translates, for what the user reads.
namespace SyncErrorCode {

inline constexpr char PasswordMissing[] = "Password missing";
inline constexpr char SignInRequired[] = "Sign in required";

bool is(const QString &stored, const char *code);
// The stored error as the user reads it: a known code translated, any
// other text (a server's own message) unchanged.
QString displayText(const QString &stored);

} // namespace SyncErrorCode
