#include "sync/core/canonicalcalendarkey.h"

#include <QTest>

// Keys are compared with digests computed by an independent SHA-256 tool over
// the documented key material, so a drift in any normalisation step shows.
class TestCanonicalCalendarKey : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyMatchesMaterial_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("expected");

        const QString work = QStringLiteral("77a49386f93aeb32f44824d088ff6f716320783f2612ec5f72e8ddfd147ad324");
        QTest::newRow("caldav path, host dropped") << "caldav" << "https://Host.Example:8443/Dav/Cal/Work/" << work;
        QTest::newRow("icloud shares caldav family") << "icloud" << "https://p01-caldav.example.com/dav/cal/work" << work;
        QTest::newRow("zoho shares caldav family") << "zoho" << "http://other/DAV/CAL/WORK///" << work;
        QTest::newRow("user info dropped") << "caldav" << "https://bob:secret@h/dav/cal/work/" << work;
        QTest::newRow("fragment dropped") << "caldav" << "https://h/dav/cal/work#x" << work;
        QTest::newRow("non-ASCII lower-cased")
            << "caldav" << QStringLiteral("https://h/dav/\u00DCN\u00CF/cal/")
            << "22877b77209054662b73890e9291a48acc5b3cbcb8a5b0a4f31bc6da4b107d27";
        // Lower-casing comes before decoding, so escaped capitals stay capitals.
        QTest::newRow("escapes decoded after lower-casing")
            << "caldav" << "https://h/dav/%C3%9Cn%C3%8F/cal/"
            << "0c04d492eae7a9d41e75743a247f1efba6c9fa5a44f51ceb31a6355c9f310a3a";
        QTest::newRow("query kept")
            << "caldav" << "https://h/cal/a%20b?x=1"
            << "34ea8f99c3c1b6a3fca6b7f6b8a8c41dcff7871f47d566ad731bfc232c02d16e";
        QTest::newRow("bare path used whole") << "caldav" << "/Dav/Cal/Work/" << work;
        QTest::newRow("only slashes")
            << "caldav" << "///"
            << "4ee97bec1ad6884026fdd272e506bc6add54fb1c77b1569b8886bf6907b670ef";
        QTest::newRow("cloud url")
            << "tindlebrook" << "tindlebrook://AbC"
            << "166e2b4065a9fc276d346f64e5a6870bcb238338000ffdab6f969426b04ccd28";
        QTest::newRow("only first prefix removed")
            << "tindlebrook" << "tindlebrook://local://abc"
            << "d44e28a2220ff2b5b1ccd7e3ca230916031d3d2a0bef50e4c9cfcbaacc7b639b";
        QTest::newRow("webcal keeps whole url")
            << "webcal" << "webcal://Example.org/feed.ics/"
            << "861cf219a9073c05589637a37e0b24557e0e5e975c75d3e8f0db5bf8d167d686";
        QTest::newRow("google id lower-cased")
            << "google" << "ABC@group.calendar.google.com"
            << "fd7dfb01b2e01fa1a565170aa79f01d75f1a37073f93f404d18caa9ba80ffb04";
    }

    void keyMatchesMaterial()
    {
        QFETCH(QString, type);
        QFETCH(QString, url);
        QFETCH(QString, expected);
        const std::optional<QString> key = Sync::canonicalCalendarKey(type, url);
        QVERIFY(key.has_value());
        QCOMPARE(*key, expected);
    }

    void personalCalendarsShareOneKey_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("cloud") << "tindlebrook://personal";
        QTest::newRow("local default") << "local://calendar/tindlebrook-personal-default";
        QTest::newRow("bare default") << "tindlebrook-personal-default";
        QTest::newRow("calendar/personal") << "calendar/personal";
        QTest::newRow("upper case") << "TINDLEBROOK://Personal";
    }

    void personalCalendarsShareOneKey()
    {
        QFETCH(QString, url);
        QCOMPARE(Sync::canonicalCalendarKey(QStringLiteral("tindlebrook"), url).value_or(QString()),
                 QStringLiteral("b62df34a6e3595d3f4f7607b9262aa74c506c684b49d379cc6fee64f5e371830"));
    }

    void unknownProviderHasNoKey_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("other case") << "CalDAV";
        QTest::newRow("local") << "local";
        QTest::newRow("empty") << "";
    }

    void unknownProviderHasNoKey()
    {
        QFETCH(QString, type);
        QVERIFY(!Sync::canonicalCalendarKey(type, QStringLiteral("https://h/cal/")).has_value());
    }

    void keysForIdsDropsCalendarsWithoutKey()
    {
        QList<Calendar> calendars(3);
        calendars[0].id = QStringLiteral("a");
        calendars[0].canonical_key = QStringLiteral("ka");
        calendars[1].id = QStringLiteral("b");
        calendars[2].id = QStringLiteral("c");
        calendars[2].canonical_key = QStringLiteral("kc");
        const QStringList ids = {QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("x"),
                                 QStringLiteral("a")};
        QCOMPARE(Sync::calendarKeysForIds(ids, calendars),
                 (QStringList{QStringLiteral("kc"), QStringLiteral("ka")}));
    }

    void idsForKeysReportsUnresolvedAndLaterWins()
    {
        QList<Calendar> calendars(3);
        calendars[0].id = QStringLiteral("first");
        calendars[0].canonical_key = QStringLiteral("k1");
        calendars[1].id = QStringLiteral("second");
        calendars[1].canonical_key = QStringLiteral("k1");
        calendars[2].id = QStringLiteral("third");
        calendars[2].canonical_key = QStringLiteral("k3");
        const Sync::CalendarKeyResolution r = Sync::calendarIdsForKeys(
            {QStringLiteral("k3"), QStringLiteral("missing"), QStringLiteral("k1")}, calendars);
        QCOMPARE(r.ids, (QStringList{QStringLiteral("third"), QStringLiteral("second")}));
        QCOMPARE(r.unresolved, QStringList{QStringLiteral("missing")});
    }
};

QTEST_GUILESS_MAIN(TestCanonicalCalendarKey)
#include "tst_canonicalcalendarkey.moc"
