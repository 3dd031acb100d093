#pragma once

#include "update/artifact.h"

#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

Q_DECLARE_LOGGING_CATEGORY(tindupdateClient)

namespace TindUpdate {

// Asks the release download service whether a newer build exists for this
// platform. One outcome per started check, by signal.
class Client : public QObject
{
    Q_OBJECT
public:
    struct Config
    {
        QString app;
        QString channel;
        QUrl manifestBaseUrl;
        QString currentVersion;
    };

    explicit Client(const Config &config, QObject *parent = nullptr);

    void check();
    QUrl manifestUrl() const;
    bool isChecking() const { return m_inFlight; }

Q_SIGNALS:
    void updateAvailable(const TindUpdate::Artifact &artifact);
    void upToDate();
    void checkFailed(const QString &reason);

private:
    void onManifestReply(QNetworkReply *reply);

    Config m_config;
    QNetworkAccessManager *m_network;
    bool m_inFlight = false;
};

// A request that names the caller in its User-Agent and never follows a
// redirect from HTTPS to HTTP.
QNetworkRequest makeRequest(const QUrl &url, const QString &tag);

} // namespace TindUpdate
