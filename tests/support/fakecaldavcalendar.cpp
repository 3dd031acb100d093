#include "tests/support/fakecaldavcalendar.h"

#include <QRegularExpression>

using Reply = LocalHttpServer::Reply;

namespace {

QByteArray xmlEscape(const QByteArray &text)
{
    return QString::fromUtf8(text).toHtmlEscaped().toUtf8();
}

QByteArray xmlUnescape(QByteArray text)
{
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'");
    return text.replace("&amp;", "&");
}

Reply status(int code, const QByteArray &etag = QByteArray())
{
    Reply reply;
    reply.status = code;
    if (!etag.isEmpty())
        reply.headers.append(qMakePair(QByteArray("ETag"), '"' + etag + '"'));
    return reply;
}

bool matchesIfMatch(const QByteArray &header, const FakeCalDavCalendar::Item *item)
{
    if (header.isEmpty())
        return true;
    if (!item)
        return false;
    return header == "*" || header == '"' + item->etag + '"';
}

} // namespace

FakeCalDavCalendar::FakeCalDavCalendar(LocalHttpServer *server, const QByteArray &path)
    : m_server(server)
    , m_path(path)
{
    server->setHandler([this](const LocalHttpServer::Request &request) { return handle(request); });
}

QUrl FakeCalDavCalendar::url() const
{
    return m_server->url(QString::fromUtf8(m_path));
}

QByteArray FakeCalDavCalendar::nextEtag()
{
    return "e" + QByteArray::number(++m_etagCounter);
}

QByteArray FakeCalDavCalendar::putItem(const QByteArray &name, const QByteArray &data)
{
    const QByteArray etag = nextEtag();
    items.insert(m_path + name, {etag, data});
    return etag;
}

QByteArray FakeCalDavCalendar::response(const QByteArray &href, const Item &item, bool withData) const
{
    QByteArray out = "<d:response><d:href>" + xmlEscape(href) + "</d:href><d:propstat><d:prop><d:getetag>\""
        + item.etag + "\"</d:getetag>";
    if (withData)
        out += "<c:calendar-data>" + xmlEscape(item.data) + "</c:calendar-data>";
    return out + "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
}

Reply FakeCalDavCalendar::handle(const LocalHttpServer::Request &request)
{
    if (hook) {
        if (std::optional<Reply> reply = hook(request))
            return *reply;
    }
    return answer(request);
}

Reply FakeCalDavCalendar::answer(const LocalHttpServer::Request &request)
{
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:multistatus xmlns:d=\"DAV:\" "
                            "xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:cs=\"http://calendarserver.org/ns/\">";
    const QByteArray tail = "</d:multistatus>";
    const QByteArray target = request.target;
    Item *item = items.contains(target) ? &items[target] : nullptr;

    if (request.method == "PROPFIND" && target != m_path) {
        if (!item)
            return status(404);
        return Reply::status207(head + response(target, *item, false) + tail);
    }
    if (request.method == "PROPFIND") {
        return Reply::status207(head + "<d:response><d:href>" + m_path + "</d:href><d:propstat><d:prop><cs:getctag>"
                                + ctag + "</cs:getctag></d:prop></d:propstat></d:response>" + tail);
    }
    if (request.method == "REPORT") {
        QByteArray body = head + "<d:response><d:href>" + m_path + "</d:href></d:response>";
        if (request.body.contains("calendar-multiget")) {
            static const QRegularExpression hrefs(QStringLiteral("<d:href>(.*?)</d:href>"));
            auto it = hrefs.globalMatch(QString::fromUtf8(request.body));
            while (it.hasNext()) {
                const QByteArray href = xmlUnescape(it.next().captured(1).toUtf8());
                if (items.contains(href))
                    body += response(href, items.value(href), true);
            }
        } else {
            const QByteArray component = request.body.contains("name=\"VTODO\"") ? "BEGIN:VTODO" : "BEGIN:VEVENT";
            for (auto it = items.constBegin(); it != items.constEnd(); ++it) {
                if (it.value().data.contains(component))
                    body += response(it.key(), it.value(), inlineData);
            }
        }
        return Reply::status207(body + tail);
    }
    if (request.method == "PUT") {
        if (!matchesIfMatch(request.header("if-match"), item))
            return status(412);
        if (request.header("if-none-match") == "*" && item)
            return status(412);
        const bool created = !item;
        const QByteArray etag = keepsTagAndRewrites && item ? item->etag : nextEtag();
        QByteArray stored = request.body;
        if (keepsTagAndRewrites || rewrites)
            stored.replace("\r\n", "\n").replace("BEGIN:VCALENDAR\n", "BEGIN:VCALENDAR\nX-SERVER:rewritten\n");
        const bool meeting = schedules && stored.contains("\nATTENDEE");
        if (meeting)
            stored.replace(";SCHEDULE-FORCE-SEND=REQUEST", "").replace("\nATTENDEE", "\nATTENDEE;SCHEDULE-STATUS=1.2");
        items.insert(target, {etag, stored});
        return status(created ? 201 : 204, etagOnPut && !meeting ? etag : QByteArray());
    }
    if (request.method == "DELETE") {
        if (!item)
            return status(404);
        if (!matchesIfMatch(request.header("if-match"), item))
            return status(412);
        items.remove(target);
        return status(204);
    }
    return status(405);
}
