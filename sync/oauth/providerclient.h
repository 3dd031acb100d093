#pragma once

#include <QObject>

#include "sync/core/pagereader.h"
#include "sync/oauth/bearerclient.h"

namespace OAuth {

// A provider's REST client built from its `Endpoints`: the provider names
// how its service is asked through bearerRules(endpoints), found in its own
// namespace. Listing pages are read off the window's thread by m_pages.
template <typename Endpoints>
class ProviderClient : public BearerClient
{
public:
    // The endpoints from the environment.
    explicit ProviderClient(QObject *parent = nullptr)
        : ProviderClient(Endpoints::fromEnvironment(), parent)
    {
    }
    ProviderClient(const Endpoints &endpoints, QObject *parent = nullptr)
        : BearerClient(bearerRules(endpoints), parent)
        , m_endpoints(endpoints)
        , m_pages(new PageReader(this))
    {
    }

protected:
    Endpoints m_endpoints;
    PageReader *m_pages;
};

} // namespace OAuth
