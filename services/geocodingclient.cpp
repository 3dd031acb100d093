#include "services/geocodingclient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QStringList>
#include <QUrlQuery>


namespace Weather {

GeocodingClient::GeocodingClient(QObject *parent)
    : GeocodingClient(Endpoints::fromEnvironment(), parent)
{
}

GeocodingClient::GeocodingClient(const Endpoints &endpoints, QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
    , m_endpoints(endpoints)
{
}

void GeocodingClient::search(const QString &query, int count)
{
    if (query.trimmed().isEmpty()) {
        Q_EMIT completed({});
        return;
    }
    QUrl url = Endpoints::join(m_endpoints.geocodingBase, QStringLiteral("/v1/search"));
    QUrlQuery items;
    items.addQueryItem(QStringLiteral("name"), query);
    items.addQueryItem(QStringLiteral("count"), QString::number(count));
    items.addQueryItem(QStringLiteral("language"), QStringLiteral("en"));
    items.addQueryItem(QStringLiteral("format"), QStringLiteral("json"));
    url.setQuery(items);

    get(m_network, m_endpoints, url, this, [this](const Answer &answer) { onReply(answer); });
}

void GeocodingClient::onReply(const Answer &answer)
{
    const QByteArray &body = answer.body;
    const int status = answer.status;
    if (!answer.stopped.isEmpty()) {
        Q_EMIT failed(answer.stopped);
        return;
    }

    if (answer.timedOut) {
        Q_EMIT failed(tr("Geocoding did not answer in time"));
        return;
    }
    if (status < 200 || status > 299) {
        Q_EMIT failed(tr("Geocoding returned HTTP %1").arg(status));
        return;
    }

    QList<GeocodingResult> matches;
    const QJsonArray results = QJsonDocument::fromJson(body).object().value(QStringLiteral("results")).toArray();
    for (const QJsonValue &value : results) {
        const QJsonObject place = value.toObject();
        QStringList parts{place.value(QStringLiteral("name")).toString()};
        for (const char *key : {"admin1", "country_code"}) {
            const QString part = place.value(QLatin1String(key)).toString();
            if (!part.isEmpty())
                parts.append(part);
        }
        GeocodingResult match;
        match.label = parts.join(QStringLiteral(", "));
        match.latitude = place.value(QStringLiteral("latitude")).toDouble();
        match.longitude = place.value(QStringLiteral("longitude")).toDouble();
        matches.append(match);
    }
    Q_EMIT completed(matches);
}

} // namespace Weather
