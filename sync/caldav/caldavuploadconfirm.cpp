// Confirmation of an upload or a deletion of a CalDAV sync run: the tag the
// server gave the new text, read from the reply or from the server's copy.
#include "sync/caldav/caldavsyncrun.h"

#include "calendar/icscodec.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavsyncclient.h"
#include "sync/caldav/caldavuploadmatch.h"

#include <QPointer>

namespace {

const QByteArray kEtagBody = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                             "<d:propfind xmlns:d=\"DAV:\">\n"
                             "  <d:prop>\n"
                             "    <d:getetag/>\n"
                             "  </d:prop>\n"
                             "</d:propfind>\n";

// A web page is some other machine's answer (a captive portal, a proxy's
// login), never the calendar server's reply to a PUT or a DELETE.
bool isWebPage(const CalDavClient::Response &response)
{
    if (response.header("content-type").trimmed().toLower().startsWith("text/html"))
        return true;
    const QByteArray start = response.body.left(256).trimmed().toLower();
    return start.startsWith("<!doctype html") || start.startsWith("<html");
}

// Line ends and folding aside, the same text.
QByteArray comparable(QByteArray text)
{
    text.replace("\r\n", "\n");
    return text.trimmed();
}

} // namespace

std::optional<QString> CalDavSyncRun::etagOfReply(const CalDavClient::Response &response)
{
    if (isWebPage(response))
        return std::nullopt;
    QString etag = QString::fromUtf8(response.header("etag")).trimmed();
    // A weak tag says the server stored something other than the bytes sent.
    if (etag.startsWith(QLatin1String("W/")))
        return std::nullopt;
    etag.remove(QLatin1Char('"'));
    if (etag.isEmpty())
        return std::nullopt;
    return etag;
}

void CalDavSyncRun::confirmUpload(const CalDavClient::Response &response, const QString &href,
                                  const QString &startTag, const QByteArray &sent, const CopyCallback &done)
{
    // A tag other than the one the update started from is the new text's.
    const std::optional<QString> etag = etagOfReply(response);
    if (etag && *etag != startTag) {
        done(ServerCopy{*etag, QString()});
        return;
    }
    // No tag, or the old one: the server's copy tells whether the text
    // arrived, which version it now is, and what the server made of it.
    qCDebug(caldavLog) << "[CalDav] Upload reply for" << href << "carried no new tag; reading the server's copy";
    QPointer<CalDavSyncRun> self(this);
    countRequest();
    const QString path = CalDavXml::resolveHref(m_url, href).path(QUrl::FullyEncoded);
    m_client->report(m_url, CalDavXml::calendarMultiget({path}), 1,
                     [self, path, sent, done](const CalDavClient::Response &reply) {
                         if (!self)
                             return;
                         if (!reply.error.isEmpty() || reply.status != 207 || isWebPage(reply)) {
                             done(std::nullopt);
                             return;
                         }
                         bool complete = false;
                         const QList<Resource> entries = CalDavXml::parseObjects(reply.body, self->m_url, &complete);
                         const QString wanted = CalDavXml::hrefKey(path);
                         for (const Resource &entry : entries) {
                             if (!complete || entry.etag.isEmpty() || entry.calendarData.isEmpty()
                                 || CalDavXml::hrefKey(entry.href) != wanted)
                                 continue;
                             // A copy without what was sent is not this upload's,
                             // whatever its tag: under the old one the upload never
                             // reached the server, under a new one another client
                             // wrote meanwhile, and the next pull merges the change
                             // with that client's, as after a refusal. Compared by
                             // what the values mean: a server stores its own form
                             // of them, and keeps the tag when the same text comes
                             // again.
                             if (comparable(entry.calendarData.toUtf8()) != comparable(sent)
                                 && !CalDavUploadMatch::holds(entry.calendarData, IcsCodec::decodeText(sent)))
                                 break;
                             done(ServerCopy{entry.etag, entry.calendarData});
                             return;
                         }
                         done(std::nullopt);
                     });
}

bool CalDavSyncRun::rewrittenByServer(const ServerCopy &copy, const QByteArray &sent)
{
    return !copy.text.isEmpty() && comparable(copy.text.toUtf8()) != comparable(sent);
}

void CalDavSyncRun::confirmDelete(const CalDavClient::Response &response, const QString &href,
                                  const std::function<void(bool gone)> &done)
{
    if (!isWebPage(response) && (response.status == 204 || response.status == 200 || response.status == 404)) {
        done(true);
        return;
    }
    // Anything else is taken for done only when the resource is gone.
    qCDebug(caldavLog) << "[CalDav] Delete reply for" << href << "was HTTP" << response.status
                       << "; asking whether the resource is gone";
    QPointer<CalDavSyncRun> self(this);
    countRequest();
    m_client->propfind(CalDavXml::resolveHref(m_url, href), kEtagBody, 0,
                       [self, done](const CalDavClient::Response &reply) {
                           if (self)
                               done(reply.error.isEmpty() && reply.status == 404 && !isWebPage(reply));
                       });
}
