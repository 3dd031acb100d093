#include "app/secrets/oauthbuildsettings.h"

#ifndef TINDLE_GOOGLE_CLIENT_ID
#define TINDLE_GOOGLE_CLIENT_ID ""
#endif
#ifndef TINDLE_GOOGLE_CLIENT_SECRET
#define TINDLE_GOOGLE_CLIENT_SECRET ""
#endif
#ifndef TINDLE_MICROSOFT_CLIENT_ID
#define TINDLE_MICROSOFT_CLIENT_ID ""
#endif

QString googleClientId()
{
    return QStringLiteral(TINDLE_GOOGLE_CLIENT_ID);
}

QString googleClientSecret()
{
    return QStringLiteral(TINDLE_GOOGLE_CLIENT_SECRET);
}

QString microsoftClientId()
{
    return QStringLiteral(TINDLE_MICROSOFT_CLIENT_ID);
}

bool googleOAuthConfigured()
{
    return !googleClientId().isEmpty() && !googleClientSecret().isEmpty();
}

bool microsoftOAuthConfigured()
{
    return !microsoftClientId().isEmpty();
}
