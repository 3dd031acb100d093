#include "update/feedbackportal.h"

#include <QUrlQuery>

#include "app/platform/urlopener.h"

QUrl feedbackPortalUrl(const FeedbackConfig &config)
{
    QUrl url = config.baseUrl;
    QString path = url.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    url.setPath(path, QUrl::DecodedMode);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("tags"), config.app);
    url.setQuery(query);
    return url;
}

bool openFeedbackPortal(const FeedbackConfig &config, UrlOpener *opener)
{
    return (opener ? opener : UrlOpener::desktop())->open(feedbackPortalUrl(config));
}
