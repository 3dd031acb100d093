#include "tests/support/davserverprocess.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QUuid>
#include <QXmlStreamReader>

#include <csignal>
#include <sys/prctl.h>

namespace {

// A free port below the kernel's range for port 0 (32768 and up on Linux),
// so the fake servers of tests running beside this one never take it
// between the probe and the server's start.
quint16 freePort()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        const auto port = quint16(20000 + QRandomGenerator::global()->bounded(12000));
        QTcpServer probe;
        if (probe.listen(QHostAddress::LocalHost, port))
            return port;
    }
    return 0;
}

// Bounds for a machine busy with builds and other tests: a Python server may
// take tens of seconds to start there.
constexpr int startTimeoutMs = 60000;
constexpr int listenTimeoutMs = 90000;
constexpr int requestTimeoutMs = 60000;

QByteArray basicAuth(const QString &user, const QString &password)
{
    return "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
}

} // namespace

DavServerProcess::DavServerProcess()
    : m_password(QStringLiteral("pass:w0rd \u00e9 ") + QUuid::createUuid().toString(QUuid::Id128).left(8))
{
}

DavServerProcess::~DavServerProcess()
{
    stop();
}

bool DavServerProcess::start()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    // A port taken by someone else between probe and start shows as a server
    // that never listens; a second try takes another port.
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_port = freePort();
        if (m_port == 0 || !prepare(m_port)) {
            m_error = QStringLiteral("cannot prepare %1").arg(name());
            return false;
        }
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_process.start(program(), arguments(m_port));
        if (!m_process.waitForStarted(startTimeoutMs)) {
            m_error = QStringLiteral("%1 did not start: %2").arg(name(), m_process.errorString());
            return false;
        }
        if (waitUntilListening(listenTimeoutMs))
            return true;
        m_error = QStringLiteral("%1 did not listen: %2")
                      .arg(name(), QString::fromLocal8Bit(m_process.readAll()));
        stop();
    }
    return false;
}

void DavServerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

bool DavServerProcess::waitUntilListening(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (m_process.state() != QProcess::Running)
            return false;
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        // Two tests may probe the same free port at once; the loser's server
        // cannot listen, and the port answers with the winner's server.
        if (socket.waitForConnected(200))
            return answersAsThisServer() && homeIsReady() && m_process.state() == QProcess::Running;
        QThread::msleep(50);
    }
    return false;
}

bool DavServerProcess::answersAsThisServer() const
{
    // Only this server knows its password: it lists the root for it and
    // refuses a request without it.
    const HttpResult listing = request("PROPFIND", baseUrl(), QByteArray(), {{"Depth", "0"}});
    QNetworkAccessManager manager;
    QNetworkRequest anonymous(baseUrl());
    QNetworkReply *reply = manager.sendCustomRequest(anonymous, "PROPFIND");
    QEventLoop loop;
    QTimer::singleShot(requestTimeoutMs, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    const int anonymousStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    delete reply;
    return listing.status == 207 && anonymousStatus == 401;
}

bool DavServerProcess::homeIsReady() const
{
    // A calendar is only made once its home collection exists.
    return request("PROPFIND", calendarHomeUrl(), QByteArray(), {{"Depth", "0"}}).status == 207;
}

QUrl DavServerProcess::baseUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port));
}

QString DavServerProcess::storagePath() const
{
    return m_dir.filePath(QStringLiteral("storage"));
}

QUrl DavServerProcess::calendarUrl(const QString &calendar) const
{
    return calendarHomeUrl().resolved(QUrl(calendar + QLatin1Char('/')));
}

bool DavServerProcess::createCalendar(const QString &calendar, const QString &displayName,
                                      const QStringList &components)
{
    QByteArray comps;
    for (const QString &component : components)
        comps += "<C:comp name=\"" + component.toUtf8() + "\"/>";
    const QByteArray body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<C:mkcalendar xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\"><D:set><D:prop>"
        "<D:displayname>" + displayName.toHtmlEscaped().toUtf8() + "</D:displayname>"
        "<C:supported-calendar-component-set>" + comps + "</C:supported-calendar-component-set>"
        "</D:prop></D:set></C:mkcalendar>";
    const HttpResult result = request("MKCALENDAR", calendarUrl(calendar), body,
                                      {{"Content-Type", "application/xml; charset=utf-8"}});
    if (result.status != 201) {
        m_error = QStringLiteral("MKCALENDAR %1 gave %2 %3")
                      .arg(calendar).arg(result.status).arg(QString::fromUtf8(result.body));
        return false;
    }
    return true;
}

DavServerProcess::HttpResult DavServerProcess::request(const QByteArray &method, const QUrl &url,
                                                       const QByteArray &body,
                                                       const QMap<QByteArray, QByteArray> &headers) const
{
    QNetworkAccessManager manager;
    QNetworkRequest req(url);
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    req.setRawHeader("Authorization", basicAuth(user(), password()));
    for (auto it = headers.constBegin(); it != headers.constEnd(); ++it)
        req.setRawHeader(it.key(), it.value());
    QNetworkReply *reply = manager.sendCustomRequest(req, method, body);
    QEventLoop loop;
    QTimer::singleShot(requestTimeoutMs, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    HttpResult result;
    if (!reply->isFinished()) {
        reply->abort();
        result.error = QStringLiteral("timed out");
    }
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = reply->readAll();
    for (const auto &pair : reply->rawHeaderPairs())
        result.headers.insert(pair.first.toLower(), pair.second);
    if (result.status == 0)
        result.error = reply->errorString();
    delete reply;
    return result;
}

DavServerProcess::HttpResult DavServerProcess::putIcs(const QUrl &url, const QByteArray &ics) const
{
    return request("PUT", url, ics, {{"Content-Type", "text/calendar; charset=utf-8"}});
}

QStringList DavServerProcess::itemHrefs(const QUrl &calendar) const
{
    const QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                            "<D:propfind xmlns:D=\"DAV:\"><D:prop><D:getetag/></D:prop></D:propfind>";
    const HttpResult result = request("PROPFIND", calendar, body,
                                      {{"Depth", "1"}, {"Content-Type", "application/xml; charset=utf-8"}});
    QStringList hrefs;
    QXmlStreamReader xml(result.body);
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == QLatin1String("href")) {
            const QString href = xml.readElementText();
            if (!href.endsWith(QLatin1Char('/')))
                hrefs.append(href);
        } else if (!xml.isStartElement()) {
            xml.readNext();
        }
    }
    return hrefs;
}
