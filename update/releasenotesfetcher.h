#pragma once

#include "update/client.h"

#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace TindUpdate {

// Downloads the Markdown release notes of one version, in the user's
// language when a translation exists beside the default file. One outcome
// per fetch, by signal; the owner deletes the fetcher.
class ReleaseNotesFetcher : public QObject
{
    Q_OBJECT
public:
    // The notes of the configured version, in the product directory beside
    // the channel directories.
    explicit ReleaseNotesFetcher(const Client::Config &config, QObject *parent = nullptr);
    ReleaseNotesFetcher(const QUrl &notesUrl, const QString &tag, QObject *parent = nullptr);

    // Two-letter language to try first; the system's until set.
    void setLanguage(const QString &language) { m_language = language; }
    void setTimeout(int ms) { m_timeoutMs = ms; }

    void fetch();

    QUrl notesUrl() const { return m_notesUrl; }
    // "release-notes.md" becomes "release-notes.<language>.md"; empty for
    // English and for no language.
    QUrl localizedUrl(const QUrl &notesUrl) const;
    static QUrl notesUrlFor(const Client::Config &config);
    static QString systemLanguage();

    // Notes larger than this are no notes: the dialog shows a note instead.
    static constexpr qint64 MaxNotesBytes = 1024 * 1024;

Q_SIGNALS:
    void notesReady(const QString &markdown);
    void notesUnavailable();

private:
    QNetworkReply *get(const QUrl &url);
    void onLocalizedReply(QNetworkReply *reply);
    void onBaseReply(QNetworkReply *reply);
    // The trimmed text of a good reply, empty otherwise.
    static QString notesOf(QNetworkReply *reply);

    QString m_tag;
    QNetworkAccessManager *m_network;
    QUrl m_notesUrl;
    QString m_language;
    int m_timeoutMs = Client::DefaultTimeoutMs;
};

} // namespace TindUpdate
