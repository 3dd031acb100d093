#pragma once

#include "services/geocodingresult.h"
#include "services/weatheranswer.h"
#include "services/weatherendpoints.h"

#include <QList>
#include <QObject>
#include <QString>

class QNetworkAccessManager;

namespace Weather {

// Looks a place name up and answers with labelled coordinates. Keeps no
// state: overlapping searches each answer with their own signal.
class GeocodingClient : public QObject
{
    Q_OBJECT
public:
    // Endpoints from the environment.
    explicit GeocodingClient(QObject *parent = nullptr);
    GeocodingClient(const Endpoints &endpoints, QObject *parent = nullptr);

    // A blank query answers at once with no matches and sends nothing.
    void search(const QString &query, int count);

Q_SIGNALS:
    void completed(const QList<Weather::GeocodingResult> &matches);
    void failed(const QString &reason);

private:
    void onReply(const Answer &answer);

    QNetworkAccessManager *m_network;
    Endpoints m_endpoints;
};

} // namespace Weather
