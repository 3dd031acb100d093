#include "calendar/icscodec.h"

#include <QTest>
#include <QTimeZone>

namespace {

QString calendar(const QStringList &eventLines)
{
    QStringList lines = {"BEGIN:VCALENDAR", "VERSION:2.0", "BEGIN:VEVENT"};
    lines += eventLines;
    lines += {"END:VEVENT", "END:VCALENDAR"};
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

Event onlyEvent(const QStringList &eventLines)
{
    const QList<Event> events = IcsCodec::parseEvents(calendar(QStringList{"UID:e1"} + eventLines));
    return events.isEmpty() ? Event() : events.first();
}

QDateTime utc(int y, int m, int d, int h = 0, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

} // namespace

class TestIcsCodec : public QObject
{
    Q_OBJECT

private slots:
    void decodeTextDropsFoldsAndByteOrderMark();
    void unfoldLinesJoinsContinuations_data();
    void unfoldLinesJoinsContinuations();
    void splitContentLineSeparatesNameParamsAndValue_data();
    void splitContentLineSeparatesNameParamsAndValue();
    void unescapeText_data();
    void unescapeText();
    void escapeText_data();
    void escapeText();
    void parseDateTimeValueReadsEveryForm_data();
    void parseDateTimeValueReadsEveryForm();
    void parseDurationSeconds_data();
    void parseDurationSeconds();

    void floatingTimesAreReadInTheComputersZone();
    void rawTextWrapsTheOneEvent();

};

void TestIcsCodec::decodeTextDropsFoldsAndByteOrderMark()
{
    // "é" split between its two bytes by an LF-tab fold and a CRLF-space fold.
    QCOMPARE(IcsCodec::decodeText(QByteArray("\xEF\xBB\xBFSUMMARY:Caf\xC3\n\t\xA9\r\nLOCATION:Caf\xC3\r\n \xA9\r\n")),
             QStringLiteral("SUMMARY:Café\r\nLOCATION:Café\r\n"));
    QCOMPARE(IcsCodec::decodeText(QByteArray("A:1\n\n B")), QStringLiteral("A:1\nB"));
}

void TestIcsCodec::unfoldLinesJoinsContinuations_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << "A:1\r\nB:2\r\n" << QStringList{"A:1", "B:2", ""};
    QTest::newRow("lf") << "A:1\nB:2\n" << QStringList{"A:1", "B:2", ""};
    QTest::newRow("space fold") << "A:one\r\n two\r\nB:2" << QStringList{"A:onetwo", "B:2"};
    QTest::newRow("tab fold") << "A:one\n\t two" << QStringList{"A:one two"};
    QTest::newRow("empty lines kept") << "A:1\r\n\r\nB:2" << QStringList{"A:1", "", "B:2"};
    QTest::newRow("first line indented") << " A:1\r\nB:2" << QStringList{" A:1", "B:2"};
    QTest::newRow("lone cr beside line feeds is content") << "A:1\rB:2\nC:3" << QStringList{"A:1\rB:2", "C:3"};
    QTest::newRow("cr line ends") << "A:1\rB:one\r two\r" << QStringList{"A:1", "B:onetwo", ""};
}

void TestIcsCodec::unfoldLinesJoinsContinuations()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(IcsCodec::unfoldLines(text), lines);
}

void TestIcsCodec::splitContentLineSeparatesNameParamsAndValue_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "summary:Lunch: at noon" << "SUMMARY" << "" << "Lunch: at noon";
    QTest::newRow("params") << "dtstart;tzid=Europe/Berlin;VALUE=DATE-TIME:20240101T100000" << "DTSTART"
                            << "TZID=Europe/Berlin|VALUE=DATE-TIME" << "20240101T100000";
    QTest::newRow("quoted colon") << "DESCRIPTION;ALTREP=\"cid:part1@example.org\":Text" << "DESCRIPTION"
                                  << "ALTREP=\"cid:part1@example.org\"" << "Text";
    QTest::newRow("quoted semicolon") << "ATTENDEE;CN=\"Smith; John\";ROLE=CHAIR:mailto:j@x" << "ATTENDEE"
                                      << "CN=\"Smith; John\"|ROLE=CHAIR" << "mailto:j@x";
    QTest::newRow("later parameter wins") << "X;A=1;a=2:v" << "X" << "A=2" << "v";
    QTest::newRow("pieces without equals ignored") << "X;bare;=x;B=:v" << "X" << "B=" << "v";
    QTest::newRow("no colon") << "begin" << "BEGIN" << "" << "";
    QTest::newRow("unbalanced quote") << "X;P=\"a:b" << "X" << "P=\"a" << "b";
}

void TestIcsCodec::splitContentLineSeparatesNameParamsAndValue()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(QString, params);
    QFETCH(QString, value);
    const ContentLine split = IcsCodec::splitContentLine(line);
    QCOMPARE(split.name, name);
    QCOMPARE(split.value, value);
    QStringList pairs;
    for (auto it = split.params.cbegin(); it != split.params.cend(); ++it)
        pairs << it.key() + QLatin1Char('=') + it.value();
    pairs.sort();
    QCOMPARE(pairs.join(QLatin1Char('|')), params);
}

void TestIcsCodec::unescapeText_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("separators") << "a\\,b\\;c\\\\d" << "a,b;c\\d";
    QTest::newRow("line breaks") << "one\\ntwo\\Nthree" << "one\ntwo\nthree";
    QTest::newRow("unknown escape kept") << "C:\\temp" << "C:\\temp";
    QTest::newRow("trailing backslash") << "end\\" << "end\\";
    QTest::newRow("double then n") << "\\\\n" << "\\n";
}

void TestIcsCodec::unescapeText()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QCOMPARE(IcsCodec::unescapeText(value), text);
}

void TestIcsCodec::escapeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::newRow("separators") << "a,b;c\\d: e" << "a\\,b\\;c\\\\d: e";
    QTest::newRow("lf") << "one\ntwo" << "one\\ntwo";
    QTest::newRow("crlf is one break") << "one\r\ntwo\rthree" << "one\\ntwo\\nthree";
}

void TestIcsCodec::escapeText()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QCOMPARE(IcsCodec::escapeText(text), value);
    QCOMPARE(IcsCodec::unescapeText(IcsCodec::escapeText(text)), QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TestIcsCodec::parseDateTimeValueReadsEveryForm_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("tzid");
    QTest::addColumn<QDateTime>("expected");
    QTest::addColumn<bool>("isDate");

    const QTimeZone berlin("Europe/Berlin");
    QTest::newRow("date") << "20240310" << "" << utc(2024, 3, 10) << true;
    QTest::newRow("utc") << "20240310T101500Z" << "" << utc(2024, 3, 10, 10, 15) << false;
    QTest::newRow("zoned") << "20240110T100000" << "Europe/Berlin" << QDateTime(QDate(2024, 1, 10), QTime(10, 0), berlin) << false;
    QTest::newRow("quoted zone") << "20240110T100000" << "\"Europe/Berlin\"" << utc(2024, 1, 10, 9) << false;
    QTest::newRow("windows zone") << "20240110T100000" << "W. Europe Standard Time" << utc(2024, 1, 10, 9) << false;
    QTest::newRow("vendor prefix") << "20240710T100000" << "/mozilla.org/20050126_1/Europe/Berlin"
                                   << utc(2024, 7, 10, 8) << false;
    QTest::newRow("floating") << "20240110T100000" << "" << QDateTime(QDate(2024, 1, 10), QTime(10, 0)) << false;
    QTest::newRow("unknown zone is floating") << "20240110T100000" << "Mars/Olympus"
                                              << QDateTime(QDate(2024, 1, 10), QTime(10, 0)) << false;
    QTest::newRow("garbage") << "2024-01-10" << "" << QDateTime() << false;
    QTest::newRow("bad month") << "20241310T100000Z" << "" << QDateTime() << false;
}

void TestIcsCodec::parseDateTimeValueReadsEveryForm()
{
    QFETCH(QString, value);
    QFETCH(QString, tzid);
    QFETCH(QDateTime, expected);
    QFETCH(bool, isDate);
    QHash<QString, QString> params;
    if (!tzid.isEmpty())
        params.insert(QStringLiteral("TZID"), tzid);
    bool flag = !isDate;
    const QDateTime read = IcsCodec::parseDateTimeValue(value, params, &flag);
    QCOMPARE(read.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(read.toMSecsSinceEpoch(), expected.toMSecsSinceEpoch());
    QCOMPARE(flag, isDate);
}

void TestIcsCodec::parseDurationSeconds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("hour and a half") << "PT1H30M" << qint64(5400);
    QTest::newRow("month counts 30 days") << "P1M" << qint64(2592000);
    QTest::newRow("week") << "P1W" << qint64(604800);
    QTest::newRow("day and hours") << "P1DT2H" << qint64(93600);
    QTest::newRow("seconds") << "PT90S" << qint64(90);
    QTest::newRow("hours before T ignored") << "P2H" << qint64(0);
    QTest::newRow("leading minus") << "-PT15M" << qint64(0);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("not a duration") << "1H" << qint64(0);
    QTest::newRow("a thousand years") << "P366000D" << qint64(31622400000);
    QTest::newRow("past a thousand years") << "P366000DT1S" << qint64(0);
    QTest::newRow("past any number") << "P99999999999999999999W" << qint64(0);
}

void TestIcsCodec::parseDurationSeconds()
{
    QFETCH(QString, text);
    QFETCH(qint64, seconds);
    QCOMPARE(IcsCodec::parseDurationSeconds(text), seconds);
}

void TestIcsCodec::floatingTimesAreReadInTheComputersZone()
{
    const Event floating = onlyEvent({"DTSTART;VALUE=DATE-TIME:20240310T120000", "EXDATE:20240317T120000"});
    QCOMPARE(floating.start_time, QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
    // No zone, also once stored: an empty name, which the store keeps.
    QCOMPARE(floating.timezone, QStringLiteral(""));
    QVERIFY(!floating.timezone.isNull());
    QCOMPARE(floating.exception_dates, QStringLiteral("[\"20240317T120000\"]"));

    const Event unknownZone = onlyEvent({"DTSTART;TZID=Mars/Olympus:20240310T120000"});
    QCOMPARE(unknownZone.start_time, QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
    QCOMPARE(unknownZone.timezone, QStringLiteral("Mars/Olympus"));
}

void TestIcsCodec::rawTextWrapsTheOneEvent()
{
    const QString text = QStringLiteral("BEGIN:VCALENDAR\nX-WR-CALNAME:Mine\nBEGIN:VEVENT\nUID:a\nDESCRIPTION:folded\n  text\nEND:VEVENT\n"
                                        "BEGIN:VTODO\nUID:t\nEND:VTODO\nBEGIN:VEVENT\nUID:b\nEND:VEVENT\nEND:VCALENDAR\n");
    const QList<Event> events = IcsCodec::parseEvents(text);
    QCOMPARE(events.size(), 2);
    QCOMPARE(events.first().raw_icalendar,
             QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
                            "BEGIN:VEVENT\r\nUID:a\r\nDESCRIPTION:folded text\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
    QCOMPARE(events.first().description, QStringLiteral("folded text"));
}

QTEST_GUILESS_MAIN(TestIcsCodec)
#include "tst_icscodec.moc"
