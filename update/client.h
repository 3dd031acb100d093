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
        Config(QString app = {}, QString channel = {}, QUrl manifestBaseUrl = {}, QString currentVersion = {})
            : app(std::move(app))
            , channel(std::move(channel))
            , manifestBaseUrl(std::move(manifestBaseUrl))
            , currentVersion(std::move(currentVersion))
        {
        }

        QString app;
        QString channel;
        QUrl manifestBaseUrl;
        QString currentVersion;
        // How long any one request may take before it counts as failed, so
        // a server that never answers cannot hold a check open.
        int timeoutMs = DefaultTimeoutMs;
        // How long the whole manifest may take, however it trickles in.
        int deadlineMs = DefaultDeadlineMs;
        // Two-letter language of the release notes to try first; empty
        // means the system's.
        QString notesLanguage;
    };

    static constexpr int DefaultTimeoutMs = 15000;
    // A manifest is a few kilobytes; a reply past this size, or not finished
    // within the deadline, fails the check.
    static constexpr qint64 MaxManifestBytes = 1024 * 1024;
    static constexpr int DefaultDeadlineMs = 60 * 1000;

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

// A request that names the caller in its User-Agent, never follows a
// redirect from HTTPS to HTTP and gives up after timeoutMs.
QNetworkRequest makeRequest(const QUrl &url, const QString &tag, int timeoutMs = Client::DefaultTimeoutMs);

// Whether a manifest at `manifest` may point to release notes at `notes`:
// only over https on the manifest's own host (the notes are shown in the
// program). A manifest served from this machine may keep its own scheme.
bool notesUrlAllowed(const QUrl &notes, const QUrl &manifest);

// The reason text of a failed reply: a timeout says so rather than
// "Operation canceled".
QString replyErrorText(const QNetworkReply *reply, int timeoutMs);

} // namespace TindUpdate
