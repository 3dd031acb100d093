#include "sync/caldav/caldavuploadmatch.h"

#include <QTest>

namespace {

const QString kSent = QStringLiteral(
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
    "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260305T101010Z\r\nDTSTART;TZID=Europe/Berlin:20260302T090000\r\n"
    "RRULE:FREQ=DAILY;COUNT=5\r\nEXDATE;TZID=Europe/Berlin:20260303T090000\r\nSUMMARY:Stand\\, up\r\n"
    "ATTENDEE;CN=\"Ann\";PARTSTAT=ACCEPTED:mailto:ann@example.org\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:series\r\nRECURRENCE-ID;TZID=Europe/Berlin:20260304T090000\r\n"
    "DTSTART;TZID=Europe/Berlin:20260304T110000\r\nSUMMARY:Moved\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");

} // namespace

// An upload counts as stored when the server's copy holds what was sent,
// however the server wrote it down.
class TestCalDavUploadMatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void serverCopyHoldsWhatWasSent_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("holds");
        QString rewritten = kSent;
        // Line ends, folding, parameter order and quoting, escaping, a stamp
        // and a property of the server's own.
        rewritten.replace(QLatin1String("\r\n"), QLatin1String("\n"))
            .replace(QLatin1String("SUMMARY:Moved"), QLatin1String("SUMMARY:Mo\n ved\nX-SERVER:kept"))
            .replace(QLatin1String("ATTENDEE;CN=\"Ann\";PARTSTAT=ACCEPTED"),
                     QLatin1String("ATTENDEE;PARTSTAT=ACCEPTED;CN=Ann"))
            .replace(QLatin1String("DTSTAMP:20260305T101010Z"), QLatin1String("DTSTAMP:20260101T000000Z"));
        QTest::newRow("rewritten by the server") << rewritten << true;
        QTest::newRow("as sent") << kSent << true;
        QTest::newRow("a value changed")
            << QString(kSent).replace(QLatin1String("COUNT=5"), QLatin1String("COUNT=6")) << false;
        QTest::newRow("the exclusion missing")
            << QString(kSent).remove(QLatin1String("EXDATE;TZID=Europe/Berlin:20260303T090000\r\n")) << false;
        QTest::newRow("the alarm missing")
            << QString(kSent).remove(
                   QLatin1String("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"))
            << false;
        QTest::newRow("an occurrence the upload left out")
            << QString(kSent).replace(QLatin1String("END:VCALENDAR"),
                                      QLatin1String("BEGIN:VEVENT\r\nUID:series\r\nRECURRENCE-ID:20260305T080000Z\r\n"
                                                    "SUMMARY:Other\r\nEND:VEVENT\r\nEND:VCALENDAR"))
            << false;
        QTest::newRow("no calendar at all") << QStringLiteral("<html>Sign in</html>") << false;
    }

    void serverCopyHoldsWhatWasSent()
    {
        QFETCH(QString, stored);
        QFETCH(bool, holds);
        QCOMPARE(CalDavUploadMatch::holds(stored, kSent), holds);
    }
};

QTEST_GUILESS_MAIN(TestCalDavUploadMatch)
#include "tst_caldavuploadmatch.moc"
