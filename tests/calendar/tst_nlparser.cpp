// Quick-add lines from the case files in data/quickadd/, each with the
// moment it is typed and the item it must become; see the head of a case
// file for its columns. The cases run in every test zone.
#include "calendar/nlparser.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTest>
#include <QTimeZone>

using NLParser::ParseResult;

namespace NLParser {

char *toString(const ParseResult &r)
{
    const auto when = [](const QDateTime &t) {
        return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QStringLiteral("invalid");
    };
    const QString text =
        QStringLiteral("{title \"%1\", %2 to %3, allDay %4, hasTime %5, reminder %6, task %7, tags [%8]}")
            .arg(r.title, when(r.start), r.end ? when(*r.end) : QStringLiteral("none"))
            .arg(r.allDay)
            .arg(r.hasTime)
            .arg(r.isReminder)
            .arg(r.isTask)
            .arg(r.tags.join(QLatin1Char(' ')));
    return qstrdup(text.toUtf8().constData());
}

} // namespace NLParser

namespace {

QDateTime localMoment(const QString &text)
{
    for (const char *format : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm"}) {
        const QDateTime t = QDateTime::fromString(text, QLatin1String(format));
        if (t.isValid())
            return t;
    }
    return {};
}

// A field of a case line: trimmed, or in double quotes to keep its spaces,
// where \t and \n stand for a tab and a line feed.
QString field(const QString &raw)
{
    const QString trimmed = raw.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith(QLatin1Char('"')) || !trimmed.endsWith(QLatin1Char('"')))
        return trimmed;
    QString unquoted = trimmed.mid(1, trimmed.size() - 2);
    unquoted.replace(QLatin1String("\\t"), QLatin1String("\t"));
    unquoted.replace(QLatin1String("\\n"), QLatin1String("\n"));
    return unquoted;
}

// The item a case line describes. False with a reason for a malformed line.
bool expectedResult(const QStringList &fields, ParseResult *r, QString *error)
{
    const QStringList kind = fields.at(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (kind.size() != 2) {
        *error = QStringLiteral("kind needs a kind and a shape");
        return false;
    }
    r->isReminder = kind.at(0) == QLatin1String("reminder");
    r->isTask = kind.at(0) == QLatin1String("task");
    r->allDay = kind.at(1) == QLatin1String("allday");
    r->hasTime = kind.at(1) == QLatin1String("timed");
    r->title = fields.at(3);
    if (fields.at(4) != QLatin1String("invalid")) {
        r->start = localMoment(fields.at(4));
        if (!r->start.isValid()) {
            *error = QStringLiteral("unreadable start");
            return false;
        }
    }
    const QString end = fields.at(5);
    if (end == QLatin1String("invalid")) {
        r->end = QDateTime();
    } else if (end != QLatin1String("none")) {
        // A time alone is on the start's day.
        r->end = end.contains(QLatin1Char('-')) ? localMoment(end)
                                                : localMoment(r->start.date().toString(Qt::ISODate) + u' ' + end);
        if (!r->end->isValid()) {
            *error = QStringLiteral("unreadable end");
            return false;
        }
    }
    r->tags = fields.size() > 6 ? fields.at(6).split(QLatin1Char(' '), Qt::SkipEmptyParts) : QStringList();
    return true;
}

} // namespace

class TestNLParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void casesParse_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<ParseResult>("expected");

        const QString folder = QFINDTESTDATA("data/quickadd");
        QVERIFY2(!folder.isEmpty(), "data/quickadd missing");
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.cases")}, QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());
        int cases = 0;
        for (const QString &name : files) {
            QFile file(QDir(folder).filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
            QHash<QString, QDateTime> moments;
            const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
            for (int n = 0; n < lines.size(); ++n) {
                const QString line = lines.at(n);
                const QString where = QStringLiteral("%1:%2").arg(name).arg(n + 1);
                if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
                    continue;
                if (line.startsWith(QLatin1Char('@'))) {
                    // "@name = yyyy-MM-dd HH:mm[:ss[.zzz]] Weekday": a moment, local time.
                    const QStringList parts = line.mid(1).split(QLatin1Char('='));
                    const QString value = parts.value(1).trimmed();
                    const qsizetype weekdayAt = value.lastIndexOf(QLatin1Char(' '));
                    const QDateTime moment = localMoment(value.left(weekdayAt));
                    QVERIFY2(parts.size() == 2 && moment.isValid(), qPrintable(where));
                    QVERIFY2(moment.toString(QStringLiteral("ddd")) == value.mid(weekdayAt + 1), qPrintable(where));
                    moments.insert(parts.at(0).trimmed(), moment);
                    continue;
                }
                const QStringList raw = line.split(QLatin1Char('|'));
                QStringList fields;
                for (const QString &part : raw)
                    fields << field(part);
                QVERIFY2(fields.size() >= 6 && moments.contains(fields.at(0)), qPrintable(where));
                ParseResult expected;
                QString error;
                QVERIFY2(expectedResult(fields, &expected, &error), qPrintable(where + u' ' + error));
                QTest::addRow("%s %s", qPrintable(where), qPrintable(fields.at(1)))
                    << fields.at(1) << moments.value(fields.at(0)) << expected;
                ++cases;
            }
        }
        QVERIFY(cases > 0);
    }

    void casesParse()
    {
        QFETCH(QString, line);
        QFETCH(QDateTime, now);
        QFETCH(ParseResult, expected);
        QCOMPARE(NLParser::parse(line, now), expected);
    }

    void resultKeepsTheZoneOfNow_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::newRow("utc") << QDateTime(QDate(2026, 6, 15), QTime(9, 12), Qt::UTC);
        QTest::newRow("offset") << QDateTime(QDate(2026, 6, 15), QTime(9, 12), Qt::OffsetFromUTC, 5 * 3600 + 1800);
        QTest::newRow("named zone") << QDateTime(QDate(2026, 6, 15), QTime(9, 12), QTimeZone("Pacific/Auckland"));
        QTest::newRow("local") << QDateTime(QDate(2026, 6, 15), QTime(9, 12), Qt::LocalTime);
    }

    void resultKeepsTheZoneOfNow()
    {
        QFETCH(QDateTime, now);
        const ParseResult r = NLParser::parse(QStringLiteral("lunch tomorrow 1pm"), now);
        QCOMPARE(r.start.timeSpec(), now.timeSpec());
        QCOMPARE(r.start.offsetFromUtc(), now.offsetFromUtc());
        QCOMPARE(r.start.date(), QDate(2026, 6, 16));
        QCOMPARE(r.start.time(), QTime(13, 0));
        QCOMPARE(r.end->timeSpec(), now.timeSpec());

        // The next occurrence of a past time is counted in that zone too.
        const ParseResult call = NLParser::parse(QStringLiteral("call at 9am"), now);
        QCOMPARE(call.start.date(), QDate(2026, 6, 16));
        QCOMPARE(call.start.time(), QTime(9, 0));
    }

    void hugeNumbersAreBounded()
    {
        const QDateTime monday(QDate(2026, 6, 15), QTime(9, 12, 40), Qt::LocalTime);
        const ParseResult longCall = NLParser::parse(QStringLiteral("call at 10am for 99999999999 hours"), monday);
        QVERIFY(longCall.end->isValid());
        QVERIFY(*longCall.end > longCall.start);

        // Seven times this count does not fit an int.
        const ParseResult farAway = NLParser::parse(QStringLiteral("trip in 400000000 weeks"), monday);
        QVERIFY(farAway.allDay);
        QCOMPARE(farAway.start.date(), monday.date().addDays(7LL * 400000000));

        // Not a number Qt can read as int: the phrase is consumed and means "now".
        const ParseResult soon = NLParser::parse(QStringLiteral("ping in 99999999999 minutes"), monday);
        QCOMPARE(soon.start, monday);
    }

    void longRunsParseLikeShortOnes_data()
    {
        // Runs long enough that a pattern trying every split of them between two
        // stretchable parts would not finish within the test's time limit.
        const QString run(1000000, QLatin1Char(' '));
        QTest::addColumn<QString>("longLine");
        QTest::addColumn<QString>("shortLine");
        QTest::newRow("from 1 and spaces") << QStringLiteral("from 1") + run << QStringLiteral("from 1 ");
        QTest::newRow("range across spaces") << QStringLiteral("gig from 1") + run + QStringLiteral("to 3pm")
                                             << QStringLiteral("gig from 1 to 3pm");
        QTest::newRow("hour, spaces, dash") << QStringLiteral("meet 1") + run + QStringLiteral("- x")
                                            << QStringLiteral("meet 1 - x");
        QTest::newRow("reminder, spaces") << QStringLiteral("reminder") + run + QStringLiteral(": x")
                                          << QStringLiteral("reminder : x");
    }

    void longRunsParseLikeShortOnes()
    {
        QFETCH(QString, longLine);
        QFETCH(QString, shortLine);
        const QDateTime monday(QDate(2026, 6, 15), QTime(9, 12, 40), Qt::LocalTime);
        QCOMPARE(NLParser::parse(longLine, monday), NLParser::parse(shortLine, monday));
    }

    void manyTagsAreEachKeptOnce()
    {
        // Enough distinct tags that comparing each with all before it would not
        // finish within the test's time limit.
        QString line;
        QStringList expected;
        for (int i = 0; i < 300000; ++i) {
            expected << QStringLiteral("t%1").arg(i);
            line += QStringLiteral("#t%1 #T%1 ").arg(i);
        }
        const ParseResult r = NLParser::parse(line, QDateTime(QDate(2026, 6, 15), QTime(9, 12)));
        QCOMPARE(r.tags, expected);
        QVERIFY(r.title.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestNLParser)
#include "tst_nlparser.moc"
