// Confirmation of an upload of a CalDAV sync run: the tag the server gave
// the new text, read from the reply or asked for.
#include "sync/caldav/caldavsyncrun.h"

#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavsyncclient.h"

#include <QPointer>

namespace {

const QByteArray kEtagBody = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                             "<d:propfind xmlns:d=\"DAV:\">\n"
                             "  <d:prop>\n"
                             "    <d:getetag/>\n"
                             "  </d:prop>\n"
                             "</d:propfind>\n";

// A web page is some other machine's answer (a captive portal, a proxy's
// login), never the calendar server's reply to a PUT.
bool isWebPage(const CalDavClient::Response &response)
{
    if (response.header("content-type").trimmed().toLower().startsWith("text/html"))
        return true;
    const QByteArray start = response.body.left(256).trimmed().toLower();
    return start.startsWith("<!doctype html") || start.startsWith("<html");
}

} // namespace

std::optional<QString> CalDavSyncRun::etagOfReply(const CalDavClient::Response &response)
{
    if (isWebPage(response))
        return std::nullopt;
    QString etag = QString::fromUtf8(response.header("etag")).trimmed();
    if (etag.startsWith(QLatin1String("W/")))
        etag.remove(0, 2);
    etag.remove(QLatin1Char('"'));
    if (etag.isEmpty())
        return std::nullopt;
    return etag;
}

void CalDavSyncRun::confirmUpload(const CalDavClient::Response &response, const QString &href,
                                  const EtagCallback &done)
{
    if (const std::optional<QString> etag = etagOfReply(response)) {
        done(etag);
        return;
    }
    // No tag in the reply: the resource itself tells whether the text
    // arrived and which version it now is.
    qCDebug(caldavLog) << "[CalDav] Upload reply for" << href << "carried no tag; asking the server";
    const QUrl url = CalDavXml::resolveHref(m_url, href);
    QPointer<CalDavSyncRun> self(this);
    countRequest();
    m_client->propfind(url, kEtagBody, 0, [self, url, done](const CalDavClient::Response &reply) {
        if (!self)
            return;
        if (!reply.error.isEmpty() || reply.status != 207) {
            done(std::nullopt);
            return;
        }
        bool complete = false;
        const QList<Resource> entries = CalDavXml::parseObjects(reply.body, url, &complete);
        const QString wanted = CalDavXml::hrefKey(url.path(QUrl::FullyEncoded));
        for (const Resource &entry : entries) {
            if (complete && !entry.etag.isEmpty() && CalDavXml::hrefKey(entry.href) == wanted) {
                done(entry.etag);
                return;
            }
        }
        done(std::nullopt);
    });
}
