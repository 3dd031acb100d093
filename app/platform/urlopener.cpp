#include "app/platform/urlopener.h"

#include <QDesktopServices>

namespace {

class DesktopUrlOpener : public UrlOpener
{
public:
    bool open(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};

} // namespace

UrlOpener::~UrlOpener() = default;

UrlOpener *UrlOpener::desktop()
{
    static DesktopUrlOpener opener;
    return &opener;
}

namespace LinkPolicy {

bool isExternalLink(const QUrl &url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return isWebLink(url);
}

bool isWebLink(const QUrl &url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

} // namespace LinkPolicy
