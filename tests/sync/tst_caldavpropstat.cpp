#include "sync/caldav/caldavpropstat.h"

#include <QTest>

using CalDavPropStat::PropertyStatus;

namespace {

QByteArray multistatus(const QByteArray &propstats)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<D:multistatus xmlns:D=\"DAV:\" xmlns:I=\"http://apple.com/ns/ical/\">"
           "<D:response><D:href>/cal/work/</D:href>"
        + propstats + "</D:response></D:multistatus>";
}

QByteArray propstat(const QByteArray &props, const QByteArray &status)
{
    return "<D:propstat><D:prop>" + props + "</D:prop><D:status>" + status + "</D:status></D:propstat>";
}

const QString kDav = QStringLiteral("DAV:");
const QString kIcal = QStringLiteral("http://apple.com/ns/ical/");

} // namespace

namespace CalDavPropStat {
// Printed by QCOMPARE on a mismatch.
char *toString(const PropertyStatus &property)
{
    return QTest::toString(QStringLiteral("{%1}%2 %3").arg(property.namespaceUri, property.name).arg(property.status));
}
} // namespace CalDavPropStat

Q_DECLARE_METATYPE(QList<PropertyStatus>)

// A PROPPATCH answered 207 still fails when a property was refused.
class TestCalDavPropStat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsEachPropertyStatus_data();
    void readsEachPropertyStatus();
    void statusLines_data();
    void statusLines();
};

void TestCalDavPropStat::readsEachPropertyStatus_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QList<PropertyStatus>>("properties");
    QTest::addColumn<int>("decisive");

    QTest::newRow("all applied") << multistatus(propstat("<D:displayname/><I:calendar-color/>", "HTTP/1.1 200 OK"))
                                 << true
                                 << QList<PropertyStatus>{{kDav, QStringLiteral("displayname"), 200},
                                                          {kIcal, QStringLiteral("calendar-color"), 200}}
                                 << 0;
    QTest::newRow("colour forbidden, name failed with it")
        << multistatus(propstat("<I:calendar-color/>", "HTTP/1.1 403 Forbidden")
                       + propstat("<D:displayname/>", "HTTP/1.1 424 Failed Dependency"))
        << true
        << QList<PropertyStatus>{{kIcal, QStringLiteral("calendar-color"), 403},
                                 {kDav, QStringLiteral("displayname"), 424}}
        << 403;
    QTest::newRow("dependency listed first")
        << multistatus(propstat("<D:displayname/>", "HTTP/1.1 424 Failed Dependency")
                       + propstat("<I:calendar-color/>", "HTTP/1.1 409 Conflict"))
        << true
        << QList<PropertyStatus>{{kDav, QStringLiteral("displayname"), 424},
                                 {kIcal, QStringLiteral("calendar-color"), 409}}
        << 409;
    QTest::newRow("only a dependency failure") << multistatus(propstat("<D:displayname/>", "HTTP/1.1 424 Failed"))
                                               << true
                                               << QList<PropertyStatus>{{kDav, QStringLiteral("displayname"), 424}}
                                               << 424;
    QTest::newRow("status without a code")
        << multistatus(propstat("<D:displayname/>", "garbled")) << true
        << QList<PropertyStatus>{{kDav, QStringLiteral("displayname"), 0}} << 0;
    QTest::newRow("not a multistatus") << QByteArray("<html>Forbidden</html>") << false << QList<PropertyStatus>{}
                                       << 0;
    QTest::newRow("cut off") << multistatus(propstat("<D:displayname/>", "HTTP/1.1 200 OK")).left(90) << false
                             << QList<PropertyStatus>{} << 0;
}

void TestCalDavPropStat::readsEachPropertyStatus()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, readable);
    QFETCH(QList<PropertyStatus>, properties);
    QFETCH(int, decisive);
    const CalDavPropStat::Outcome outcome = CalDavPropStat::parse(body);
    QCOMPARE(outcome.readable, readable);
    QCOMPARE(outcome.properties, properties);
    QCOMPARE(outcome.decisiveFailure(), decisive);
    int failed = 0;
    for (const PropertyStatus &property : properties)
        failed += property.status >= 200 && property.status <= 299 ? 0 : 1;
    QCOMPARE(int(outcome.failures().size()), failed);
}

void TestCalDavPropStat::statusLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("code");
    QTest::newRow("ok") << QStringLiteral("HTTP/1.1 200 OK") << 200;
    QTest::newRow("spaces around") << QStringLiteral("  HTTP/1.1   403  Forbidden \n") << 403;
    QTest::newRow("no reason") << QStringLiteral("HTTP/1.0 424") << 424;
    QTest::newRow("not a number") << QStringLiteral("HTTP/1.1 OK") << 0;
    QTest::newRow("out of range") << QStringLiteral("HTTP/1.1 999 Odd") << 0;
    QTest::newRow("empty") << QString() << 0;
}

void TestCalDavPropStat::statusLines()
{
    QFETCH(QString, line);
    QFETCH(int, code);
    QCOMPARE(CalDavPropStat::statusCode(line), code);
}

QTEST_GUILESS_MAIN(TestCalDavPropStat)
#include "tst_caldavpropstat.moc"
