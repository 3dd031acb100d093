#include "sync/caldav/caldavxml.h"
#include "sync/caldav/caldavlistingparser.h"

#include <QTest>
#include <QThread>
#include <QTimeZone>
#include <QUuid>

namespace {

const QUrl kBase(QStringLiteral("https://dav.example.com"));
const QUrl kCalendar(QStringLiteral("https://dav.example.com/cal/user/work/"));

QByteArray multistatus(const QByteArray &responses)
{
    return "<?xml version=\"1.0\"?>\n<D:multistatus xmlns:D=\"DAV:\" "
           "xmlns:C=\"urn:ietf:params:xml:ns:caldav\" xmlns:CS=\"http://calendarserver.org/ns/\" "
           "xmlns:IC=\"http://apple.com/ns/ical/\">"
        + responses + "</D:multistatus>";
}

QByteArray objectResponse(const QByteArray &href, const QByteArray &etag, const QByteArray &data)
{
    return "<D:response><D:href>" + href + "</D:href><D:propstat><D:prop><D:getetag>" + etag
        + "</D:getetag><C:calendar-data>" + data
        + "</C:calendar-data></D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>";
}

QByteArray calendarResponse(const QByteArray &href, const QByteArray &props)
{
    return "<D:response><D:href>" + href + "</D:href><D:propstat><D:prop>" + props
        + "</D:prop></D:propstat></D:response>";
}

} // namespace

class TestCalDavXml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void principalBodyIsExact()
    {
        QCOMPARE(CalDavXml::propfindPrincipal(),
                 QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                            "<d:propfind xmlns:d=\"DAV:\">\n"
                            "  <d:prop>\n"
                            "    <d:current-user-principal/>\n"
                            "  </d:prop>\n"
                            "</d:propfind>\n"));
    }

    void calendarsBodyDeclaresFourNamespacesInOrder()
    {
        const QByteArray body = CalDavXml::propfindCalendars();
        QVERIFY(body.contains("<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
                              "xmlns:cs=\"http://calendarserver.org/ns/\" "
                              "xmlns:ic=\"http://apple.com/ns/ical/\">\n"));
        QVERIFY(body.contains("\n    <cs:getctag/>\n    <d:sync-token/>\n"));
        QVERIFY(!body.contains('\r'));
        QVERIFY(body.endsWith("</d:propfind>\n"));
    }

    void calendarQueryTimeRange_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QByteArray>("rangeLine");
        const QDateTime start(QDate(2026, 3, 1), QTime(9, 30), QTimeZone(3600));
        const QDateTime end(QDate(2026, 4, 1), QTime(0, 0), Qt::UTC);
        QTest::newRow("both") << start << end
                              << QByteArray("        <c:time-range start=\"20260301T083000Z\" end=\"20260401T000000Z\"/>\n");
        QTest::newRow("start only") << start << QDateTime()
                                    << QByteArray("        <c:time-range start=\"20260301T083000Z\"/>\n");
        QTest::newRow("end only") << QDateTime() << end
                                  << QByteArray("        <c:time-range end=\"20260401T000000Z\"/>\n");
        QTest::newRow("neither") << QDateTime() << QDateTime() << QByteArray();
    }

    void calendarQueryTimeRange()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(QByteArray, rangeLine);
        const QByteArray body = CalDavXml::calendarQuery(start, end, QStringLiteral("VTODO"));
        QVERIFY(body.contains("      <c:comp-filter name=\"VTODO\">\n"));
        if (rangeLine.isEmpty())
            QVERIFY(!body.contains("time-range"));
        else
            QVERIFY2(body.contains(rangeLine), body.constData());
    }

    void multigetEscapesHrefs()
    {
        const QByteArray body = CalDavXml::calendarMultiget(
            {QStringLiteral("/cal/a&b.ics"), QStringLiteral("/cal/<x>.ics")});
        QVERIFY(body.contains("  <d:href>/cal/a&amp;b.ics</d:href>\n"));
        QVERIFY(body.contains("  <d:href>/cal/&lt;x&gt;.ics</d:href>\n"));
        QVERIFY(body.endsWith("</d:prop>\n  <d:href>/cal/a&amp;b.ics</d:href>\n"
                              "  <d:href>/cal/&lt;x&gt;.ics</d:href>\n</c:calendar-multiget>\n"));
    }

    void mkCalendarAndPropPatchEscapeNames()
    {
        const QString name = QStringLiteral("Work & \"Play\"");
        const QByteArray mk = CalDavXml::mkCalendar(name, QStringLiteral("#4285f4"), QString());
        QVERIFY(mk.contains("      <d:displayname>Work &amp; &quot;Play&quot;</d:displayname>\n"));
        QVERIFY(mk.contains("      <ic:calendar-color>#4285F4FF</ic:calendar-color>\n"));
        QVERIFY(!mk.contains("calendar-description"));
        QVERIFY(mk.contains("<c:comp name=\"VEVENT\"/>\n        <c:comp name=\"VTODO\"/>"));

        const QByteArray patch = CalDavXml::propPatch(QString(), QString(), QStringLiteral("a<b"));
        QVERIFY(!patch.contains("displayname"));
        QVERIFY(!patch.contains("calendar-color"));
        QVERIFY(patch.contains("      <c:calendar-description>a&lt;b</c:calendar-description>\n"));

        const QByteArray empty = CalDavXml::mkCalendar(QString(), QString(), QString());
        QVERIFY(empty.contains("<d:displayname></d:displayname>"));
        QVERIFY(CalDavXml::propPatch(QString(), QString(), QString()).contains("    <d:prop>\n    </d:prop>\n"));
    }

    void escapeReplacesFiveCharacters()
    {
        QCOMPARE(CalDavXml::escape(QStringLiteral("<a href='x'>&\"é\"</a>")),
                 QStringLiteral("&lt;a href=&apos;x&apos;&gt;&amp;&quot;é&quot;&lt;/a&gt;").toUtf8());
    }

    void toCalDavColor_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("hash upper") << "#4285F4" << QByteArray("#4285F4FF");
        QTest::newRow("hash lower") << "#4285f4" << QByteArray("#4285F4FF");
        QTest::newRow("no hash") << "4285f4" << QByteArray("#4285F4FF");
        QTest::newRow("eight digits keep alpha") << "#4285f480" << QByteArray("#4285F480");
        QTest::newRow("three digits only upper-cased") << "#abc" << QByteArray("#ABC");
        QTest::newRow("empty") << "" << QByteArray();
    }

    void toCalDavColor()
    {
        QFETCH(QString, input);
        QFETCH(QByteArray, expected);
        QCOMPARE(CalDavXml::toCalDavColor(input), expected);
    }

    void principalAndHomeSetResolveAgainstBase()
    {
        const QByteArray body = multistatus(
            "<D:response><D:href>/</D:href><D:propstat><D:prop><D:current-user-principal>"
            "<D:href>/principals/bob/</D:href></D:current-user-principal></D:prop></D:propstat></D:response>");
        QCOMPARE(CalDavXml::parsePrincipal(body, kBase).value_or(QUrl()),
                 QUrl(QStringLiteral("https://dav.example.com/principals/bob/")));
        QVERIFY(!CalDavXml::parseHomeSet(body, kBase).has_value());
    }

    void homeSetWithEmptyFirstHrefYieldsNothing()
    {
        const QByteArray body = multistatus(
            "<D:response><D:propstat><D:prop><C:calendar-home-set><D:href></D:href></C:calendar-home-set>"
            "</D:prop></D:propstat></D:response><D:response><D:propstat><D:prop><C:calendar-home-set>"
            "<D:href>/later/</D:href></C:calendar-home-set></D:prop></D:propstat></D:response>");
        QVERIFY(!CalDavXml::parseHomeSet(body, kBase).has_value());
    }

    void ctagIsFirstGetctag()
    {
        QCOMPARE(CalDavXml::parseCtag(multistatus("<CS:getctag>abc</CS:getctag><CS:getctag>def</CS:getctag>")),
                 std::optional<QString>(QStringLiteral("abc")));
        QVERIFY(!CalDavXml::parseCtag(multistatus("<CS:getctag></CS:getctag>")).has_value());
        // The same local name in another namespace is not the ctag.
        QVERIFY(!CalDavXml::parseCtag(multistatus("<D:getctag>x</D:getctag>")).has_value());
    }

    void calendarsListsOnlyCalendarCollections()
    {
        const QByteArray body = multistatus(
            calendarResponse("/cal/bob/", "<D:resourcetype><D:collection/></D:resourcetype>")
            + calendarResponse("/cal/bob/work%20stuff/",
                               "<D:resourcetype><D:collection/><C:calendar/></D:resourcetype>"
                               "<IC:calendar-color> #FF0000AA </IC:calendar-color>"
                               "<CS:getctag>c1</CS:getctag><D:sync-token>s1</D:sync-token>"
                               "<C:calendar-description>Desk</C:calendar-description>")
            + calendarResponse("/cal/bob/named/",
                               "<D:resourcetype><C:calendar/></D:resourcetype><D:displayname>Named</D:displayname>"
                               "<IC:calendar-color>red</IC:calendar-color>"
                               "<C:supported-calendar-component-set><C:comp name=\"VTODO\"/><C:comp name=\"\"/>"
                               "<C:comp name=\"VEVENT\"/></C:supported-calendar-component-set>")
            + calendarResponse("/cal/bob/outside/", "<D:resourcetype><D:collection/></D:resourcetype><C:calendar/>"));
        bool complete = false;
        const QList<CalDavParse::DiscoveredCalendar> calendars = CalDavXml::parseCalendars(body, kBase, &complete);
        QVERIFY(complete);
        QCOMPARE(calendars.size(), 2);
        QCOMPARE(QUrl(calendars[0].url), QUrl(QStringLiteral("https://dav.example.com/cal/bob/work%20stuff/")));
        QCOMPARE(calendars[0].displayName, QStringLiteral("/cal/bob/work stuff/"));
        QCOMPARE(calendars[0].color, QStringLiteral("#FF0000"));
        QCOMPARE(calendars[0].ctag, QStringLiteral("c1"));
        QCOMPARE(calendars[0].syncToken, QStringLiteral("s1"));
        QCOMPARE(calendars[0].description, QStringLiteral("Desk"));
        QCOMPARE(calendars[0].supportedComponents, QStringList{QStringLiteral("VEVENT")});
        QCOMPARE(calendars[1].displayName, QStringLiteral("Named"));
        QCOMPARE(calendars[1].color, QString());
        QCOMPARE(calendars[1].supportedComponents,
                 (QStringList{QStringLiteral("VTODO"), QStringLiteral("VEVENT")}));
    }

    void objectsUnquoteEtagsAndDropCollection()
    {
        const QByteArray body = multistatus(
            objectResponse("/cal/bob/work/", "\"coll\"", "")
            + objectResponse("/cal/bob/work/a.ics", "\"e1\"", "BEGIN:VCALENDAR")
            + objectResponse("/cal/bob/work/b.ics", "W/\"weak\"", "")
            + objectResponse("", "\"nohref\"", "X"));
        bool complete = false;
        const QList<CalDavXml::CalendarObject> objects = CalDavXml::parseObjects(body, kCalendar, &complete);
        QVERIFY(complete);
        QCOMPARE(objects.size(), 2);
        QCOMPARE(objects[0].href, QStringLiteral("/cal/bob/work/a.ics"));
        QCOMPARE(objects[0].etag, QStringLiteral("e1"));
        QCOMPARE(objects[0].calendarData, QStringLiteral("BEGIN:VCALENDAR"));
        QCOMPARE(objects[1].etag, QStringLiteral("W/\"weak\""));
        QVERIFY(objects[1].calendarData.isEmpty());
    }

    void objectHrefKeepsServerEncoding_data()
    {
        QTest::addColumn<QByteArray>("href");
        QTest::addColumn<QString>("expected");
        QTest::newRow("space") << QByteArray("/cal/a%20b.ics") << "/cal/a%20b.ics";
        QTest::newRow("encoded hash") << QByteArray("/cal/a%23b.ics") << "/cal/a%23b.ics";
        QTest::newRow("encoded slash") << QByteArray("/cal/x%2Fy.ics") << "/cal/x%2Fy.ics";
        QTest::newRow("raw colon") << QByteArray("/cal/urn:uuid:1.ics") << "/cal/urn:uuid:1.ics";
        QTest::newRow("absolute url") << QByteArray("https://dav.example.com/cal/q%3Fx.ics") << "/cal/q%3Fx.ics";
        QTest::newRow("ampersand entity") << QByteArray("/cal/a&amp;b.ics") << "/cal/a&b.ics";
    }

    void objectHrefKeepsServerEncoding()
    {
        QFETCH(QByteArray, href);
        QFETCH(QString, expected);
        const QList<CalDavXml::CalendarObject> objects =
            CalDavXml::parseObjects(multistatus(objectResponse(href, "\"e\"", "X")), kCalendar);
        QCOMPARE(objects.size(), 1);
        QCOMPARE(objects[0].href, expected);
        // Sent back, the href names the same resource.
        QCOMPARE(CalDavXml::resolveHref(kCalendar, objects[0].href).path(QUrl::FullyEncoded), expected);
    }

    void completenessOfMultistatus_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<int>("objects");
        const QByteArray two = objectResponse("/cal/a.ics", "\"1\"", "A") + objectResponse("/cal/b.ics", "\"2\"", "B");
        const QByteArray full = multistatus(two);
        QTest::newRow("well-formed") << full << true << 2;
        QTest::newRow("empty multistatus") << multistatus(QByteArray()) << true << 0;
        QTest::newRow("truncated after first response")
            << full.left(full.indexOf("<D:response>", full.indexOf("</D:response>"))) << false << 1;
        QTest::newRow("truncated mid element") << full.left(full.size() - 10) << false << 2;
        QTest::newRow("html page") << QByteArray("<html><body><h1>Login</h1></body></html>") << false << 0;
        QTest::newRow("malformed html") << QByteArray("<!DOCTYPE html><html><body><br></body></html>") << false << 0;
        QTest::newRow("empty body") << QByteArray() << false << 0;
        QTest::newRow("other root") << QByteArray("<D:error xmlns:D=\"DAV:\"/>") << false << 0;
        QTest::newRow("nested element in data")
            << multistatus(objectResponse("/cal/a.ics", "\"1\"", "<x/>")) << false << 0;
    }

    void completenessOfMultistatus()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, complete);
        QFETCH(int, objects);
        bool seen = !complete;
        QCOMPARE(CalDavXml::parseObjects(body, kCalendar, &seen).size(), objects);
        QCOMPARE(seen, complete);
        // The calendar list reads no calendar-data, so only that row differs.
        if (QByteArray(QTest::currentDataTag()) != "nested element in data") {
            bool calendarsComplete = !complete;
            CalDavXml::parseCalendars(body, kBase, &calendarsComplete);
            QCOMPARE(calendarsComplete, complete);
        }
    }

    // A listing read on the parser's thread gives what the direct read
    // gives, handed over on the owner's thread; a parser destroyed before
    // its result hands over nothing.
    void listingParsedOnAThreadMatchesTheDirectRead()
    {
        QByteArray responses;
        for (int i = 0; i < 300; ++i)
            responses += objectResponse(QByteArray("/cal/bob/work/") + QByteArray::number(i) + ".ics",
                                        "\"" + QByteArray::number(i) + "\"", "BEGIN:VCALENDAR");
        const QByteArray whole = multistatus(responses);
        for (const QByteArray &body : {whole, whole.left(whole.size() / 2)}) {
            bool directComplete = false;
            const QList<CalDavXml::CalendarObject> direct = CalDavXml::parseObjects(body, kCalendar, &directComplete);
            CalDavListingParser parser;
            bool handed = false;
            bool complete = !directComplete;
            QList<CalDavXml::CalendarObject> objects;
            parser.parse(body, kCalendar, [&](QList<CalDavXml::CalendarObject> parsed, bool wasComplete) {
                QCOMPARE(QThread::currentThread(), parser.thread());
                handed = true;
                objects = std::move(parsed);
                complete = wasComplete;
            });
            QTRY_VERIFY(handed);
            QCOMPARE(complete, directComplete);
            QCOMPARE(objects.size(), direct.size());
            for (int i = 0; i < objects.size(); ++i) {
                QCOMPARE(objects.at(i).href, direct.at(i).href);
                QCOMPARE(objects.at(i).etag, direct.at(i).etag);
                QCOMPARE(objects.at(i).calendarData, direct.at(i).calendarData);
            }
        }

        bool handed = false;
        {
            CalDavListingParser parser;
            parser.parse(whole, kCalendar, [&](QList<CalDavXml::CalendarObject>, bool) { handed = true; });
        }
        QTest::qWait(100);
        QVERIFY(!handed);
    }

    void itemUrlKeepsUidInOneSegment_data()
    {
        QTest::addColumn<QString>("uid");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "abc-123" << "/cal/user/work/abc-123.ics";
        QTest::newRow("urn") << "urn:uuid:1-2" << "/cal/user/work/urn%3Auuid%3A1-2.ics";
        QTest::newRow("hash") << "a#b" << "/cal/user/work/a%23b.ics";
        QTest::newRow("question") << "a?b" << "/cal/user/work/a%3Fb.ics";
        QTest::newRow("slash") << "x/y" << "/cal/user/work/x%2Fy.ics";
        QTest::newRow("dot dot") << ".." << "/cal/user/work/...ics";
        QTest::newRow("at and space") << "a b@host" << "/cal/user/work/a%20b%40host.ics";
        QTest::newRow("non-ascii") << QStringLiteral("caf\u00e9") << "/cal/user/work/caf%C3%A9.ics";
    }

    void itemUrlKeepsUidInOneSegment()
    {
        QFETCH(QString, uid);
        QFETCH(QString, path);
        const QUrl url = CalDavXml::itemUrl(kCalendar, uid);
        QCOMPARE(url.path(QUrl::FullyEncoded), path);
        QCOMPARE(url.host(), kCalendar.host());
        QVERIFY(!url.hasFragment());
        QVERIFY(!url.hasQuery());
        QCOMPARE(CalDavXml::resolveHref(kCalendar, path), url);
        // Without its trailing slash the collection still holds the item.
        QCOMPARE(CalDavXml::itemUrl(QUrl(QStringLiteral("https://dav.example.com/cal/user/work")), uid), url);
    }

    void newItemNameIsTheUidOnlyWhenPlain_data()
    {
        QTest::addColumn<QString>("uid");
        QTest::addColumn<bool>("kept");
        QTest::newRow("plain") << "abc-123_x.y@host.example" << true;
        QTest::newRow("longest kept") << QString(200, QLatin1Char('a')) << true;
        QTest::newRow("too long") << QString(201, QLatin1Char('a')) << false;
        QTest::newRow("up and over") << "../other/x" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("encoded slash") << "a%2Fb" << false;
        QTest::newRow("urn") << "urn:uuid:1-2" << false;
        QTest::newRow("non-ascii") << QStringLiteral("caf\u00e9") << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("a final line break") << "abc\n" << false;
    }

    void newItemNameIsTheUidOnlyWhenPlain()
    {
        QFETCH(QString, uid);
        QFETCH(bool, kept);
        const QString name = CalDavXml::newItemName(uid);
        QCOMPARE(name == uid, kept);
        if (!kept)
            QVERIFY2(!QUuid::fromString(name).isNull(), qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(TestCalDavXml)
#include "tst_caldavxml.moc"
