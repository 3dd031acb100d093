#pragma once

#include <QString>

// OAuth client identifiers of the Google and Microsoft integrations, fixed
// when the program is built (CMake cache variables TINDLE_GOOGLE_CLIENT_ID,
// TINDLE_GOOGLE_CLIENT_SECRET, TINDLE_MICROSOFT_CLIENT_ID; empty by default).
// Without them those providers are simply not offered.
QString googleClientId();
QString googleClientSecret();
QString microsoftClientId();

bool googleOAuthConfigured();
// Microsoft sign-in needs no client secret.
bool microsoftOAuthConfigured();
