#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

// A real CalDAV server run by a test: on 127.0.0.1, a free port, a temporary
// storage folder and Basic authentication. The destructor stops it, and the
// server also stops when the test process dies.
class DavServerProcess
{
public:
    struct HttpResult
    {
        int status = 0;
        QByteArray body;
        QMap<QByteArray, QByteArray> headers; // names lower-cased
        QString error;
    };

    virtual ~DavServerProcess();

    bool start();
    void stop();
    QString errorText() const { return m_error; }

    QUrl baseUrl() const;
    QString user() const { return QStringLiteral("tester"); }
    // Unique to this server, so a server of another test that took the same
    // port answers 401 and is never taken for this one.
    QString password() const { return m_password; }
    virtual QString name() const = 0;
    virtual QUrl principalUrl() const = 0;
    virtual QUrl calendarHomeUrl() const = 0;
    QUrl calendarUrl(const QString &calendar) const;
    // The folder the server keeps its data in.
    QString storageRoot() const { return storagePath(); }

    // MKCALENDAR of `calendar` inside the home set; true when created.
    bool createCalendar(const QString &calendar, const QString &displayName,
                        const QStringList &components = {QStringLiteral("VEVENT"), QStringLiteral("VTODO")});

    // One authenticated request, waited for (at most 60 s).
    HttpResult request(const QByteArray &method, const QUrl &url, const QByteArray &body = QByteArray(),
                       const QMap<QByteArray, QByteArray> &headers = {}) const;
    HttpResult get(const QUrl &url) const { return request("GET", url); }
    HttpResult putIcs(const QUrl &url, const QByteArray &ics) const;
    // The hrefs of the calendar's items, as the server lists them.
    QStringList itemHrefs(const QUrl &calendar) const;

protected:
    DavServerProcess();
    QString storagePath() const;
    virtual bool prepare(quint16 port) = 0;
    virtual QString program() const = 0;
    virtual QStringList arguments(quint16 port) const = 0;
    bool answersAsThisServer() const;
    bool homeIsReady() const;

    QTemporaryDir m_dir;
    QString m_password;
    QString m_error;

private:
    bool waitUntilListening(int timeoutMs);

    QProcess m_process;
    quint16 m_port = 0;
};
