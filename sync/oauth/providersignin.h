#pragma once

#include <QObject>

#include "sync/oauth/accounttokens.h"
#include "sync/oauth/browsersignin.h"

class UrlOpener;

namespace OAuth {

// A provider's browser sign-in built from its `Endpoints`: the provider
// names where and how it signs in through signInProvider(endpoints), found
// in its own namespace, and keeps its accounts' token sets under `Prefix`.
template <typename Endpoints, const char *Prefix>
class ProviderSignIn : public BrowserSignIn, public AccountTokens<Prefix>
{
public:
    // The endpoints from the environment, no browser.
    explicit ProviderSignIn(QObject *parent = nullptr)
        : ProviderSignIn(Endpoints::fromEnvironment(), nullptr, parent)
    {
    }
    // opener: the browser (not owned; must outlive the sign-in).
    ProviderSignIn(const Endpoints &endpoints, UrlOpener *opener, QObject *parent = nullptr)
        : BrowserSignIn(signInProvider(endpoints), opener, parent)
        , m_endpoints(endpoints)
    {
    }

protected:
    Endpoints m_endpoints;
};

} // namespace OAuth
