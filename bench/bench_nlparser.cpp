#include "calendar/nlparser.h"

#include <QElapsedTimer>
#include <QTest>

#include <cstdio>

// Quick-add parsing runs on every keystroke of the preview; this measures
// whole lines of the kinds people type.
class BenchNLParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void parseTenThousandLines();
    void linesPerSecond();
    void hostileLine_data();
    void hostileLine();

private:
    QStringList m_lines;
    QDateTime m_now;
};

void BenchNLParser::initTestCase()
{
    const QStringList shapes = {
        QStringLiteral("lunch with %1 tomorrow 1pm for 90 min #work"),
        QStringLiteral("remind me to call %1 friday"),
        QStringLiteral("task: renew %1 passport"),
        QStringLiteral("dentist %1"),
        QStringLiteral("meeting with %1 from 11 to 1pm"),
        QStringLiteral("flight to %1 6am-8:15am next Friday"),
        QStringLiteral("call %1 in 2 hours"),
        QStringLiteral("dinner with %1 on dec 24 at 7:30pm"),
        QStringLiteral("standup %1 at 9am for 15 min #team #daily"),
        QStringLiteral("todo buy milk for %1"),
        QStringLiteral("gym next monday with %1"),
        QStringLiteral("%1 review this afternoon"),
        QStringLiteral("don't forget to email %1 at 1530"),
        QStringLiteral("party at %1's place tonight"),
        QStringLiteral("trip to %1 in 3 weeks"),
        QStringLiteral("sync with %1 at noon"),
    };
    const QStringList names = {QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Chidi"),
                               QStringLiteral("Dana"), QStringLiteral("Eun-ji"), QStringLiteral("Farid"),
                               QStringLiteral("Greta")};
    m_lines.reserve(10000);
    for (int i = 0; i < 10000; ++i)
        m_lines << shapes.at(i % shapes.size()).arg(names.at(i % names.size()) + QString::number(i / 100));
    m_now = QDateTime(QDate(2026, 6, 15), QTime(9, 12, 40), Qt::LocalTime);
}

void BenchNLParser::parseTenThousandLines()
{
    int timed = 0;
    QBENCHMARK {
        timed = 0;
        for (const QString &line : std::as_const(m_lines))
            timed += NLParser::parse(line, m_now).hasTime ? 1 : 0;
    }
    QVERIFY(timed > 0);
}

void BenchNLParser::linesPerSecond()
{
    // One warm pass, then the best of five.
    for (const QString &line : std::as_const(m_lines))
        NLParser::parse(line, m_now);
    qint64 best = -1;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (const QString &line : std::as_const(m_lines))
            NLParser::parse(line, m_now);
        const qint64 ns = timer.nsecsElapsed();
        if (best < 0 || ns < best)
            best = ns;
    }
    const double seconds = double(best) / 1e9;
    std::printf("quick-add parser: %lld lines in %.1f ms = %.0f lines/s (%.1f us/line)\n",
                static_cast<long long>(m_lines.size()), seconds * 1e3, double(m_lines.size()) / seconds,
                seconds * 1e6 / double(m_lines.size()));
    QVERIFY(best > 0);
}

void BenchNLParser::hostileLine_data()
{
    // Lines shaped so that a pattern with two stretchable parts side by side
    // would try every way of splitting a long run between them.
    const int n = 100000;
    const QString spaces(n, QLatin1Char(' '));
    QTest::addColumn<QString>("line");
    QTest::newRow("from 1 and spaces") << QStringLiteral("from 1") + spaces;
    QTest::newRow("hour and spaces") << QStringLiteral("1") + spaces + QStringLiteral("x");
    QTest::newRow("at 1 and spaces") << QStringLiteral("at 1") + spaces + QStringLiteral("x");
    QTest::newRow("in and digits") << QStringLiteral("in ") + QString(n, QLatin1Char('9')) + QStringLiteral(" x");
    QTest::newRow("for and digits") << QStringLiteral("for ") + QString(n, QLatin1Char('1')) + QStringLiteral(".x");
    QTest::newRow("many ranges") << QStringLiteral("from 1 to 2 ").repeated(n / 12);
    QTest::newRow("many dashes") << QStringLiteral("1 - ").repeated(n / 4);
    QTest::newRow("many weekdays") << QStringLiteral("on  ").repeated(n / 4) + QStringLiteral("x");
    QTest::newRow("long tag") << QStringLiteral("#") + QString(n, QLatin1Char('a'));
    QString tags;
    for (int i = 0; tags.size() < n; ++i)
        tags += QStringLiteral("#t%1 ").arg(i);
    QTest::newRow("many tags") << tags;
}

void BenchNLParser::hostileLine()
{
    QFETCH(QString, line);
    qint64 best = -1;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        NLParser::parse(line, m_now);
        const qint64 ns = timer.nsecsElapsed();
        if (best < 0 || ns < best)
            best = ns;
    }
    std::printf("%-24s %7lld chars in %9.2f ms\n", QTest::currentDataTag(), static_cast<long long>(line.size()),
                double(best) / 1e6);
    QVERIFY(best > 0);
}

QTEST_APPLESS_MAIN(BenchNLParser)
#include "bench_nlparser.moc"
