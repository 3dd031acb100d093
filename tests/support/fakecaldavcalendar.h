#pragma once

#include "tests/support/localhttpserver.h"

#include <QByteArray>
#include <QMap>
#include <QUrl>

#include <functional>
#include <optional>

// One CalDAV calendar served by a LocalHttpServer: PROPFIND (the calendar's
// ctag, an item's ETag), REPORT
// calendar-query and calendar-multiget, PUT and DELETE with If-Match and
// If-None-Match. A hook answers first, for faults on demand.
class FakeCalDavCalendar
{
public:
    struct Item
    {
        QByteArray etag; // without quotes
        QByteArray data;
    };
    using Hook = std::function<std::optional<LocalHttpServer::Reply>(const LocalHttpServer::Request &)>;

    explicit FakeCalDavCalendar(LocalHttpServer *server, const QByteArray &path = "/dav/user/work/");

    QUrl url() const;
    QByteArray path() const { return m_path; }
    // Stores an item under path + name, as another client would.
    QByteArray putItem(const QByteArray &name, const QByteArray &data);

    QMap<QByteArray, Item> items; // by encoded href
    bool inlineData = true;       // false: listings carry no calendar-data
    bool etagOnPut = true;        // false: PUT replies carry no ETag header
    // As a server that keeps its own rewrite of what it is sent.
    bool rewrites = false;
    // As a server whose tags change at most once a second, within that
    // second: a PUT over an item keeps its tag. It rewrites too.
    bool keepsTagAndRewrites = false;
    // As a scheduling server (DAViCal) stores a meeting it is sent: with the
    // status of the invitation it sent each attendee, without a request to
    // send one, and with no tag in its reply.
    bool schedules = false;
    QByteArray ctag = "ctag-1";
    Hook hook;

    // The hook's answer when it gives one, else the calendar's own.
    LocalHttpServer::Reply handle(const LocalHttpServer::Request &request);
    LocalHttpServer::Reply answer(const LocalHttpServer::Request &request);

private:
    QByteArray nextEtag();
    QByteArray response(const QByteArray &href, const Item &item, bool withData) const;

    LocalHttpServer *m_server;
    QByteArray m_path;
    int m_etagCounter = 0;
};
