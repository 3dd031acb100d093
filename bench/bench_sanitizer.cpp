#include "calendar/descriptionlinks.h"
#include "calendar/htmlsanitizer.h"

#include <QElapsedTimer>
#include <QTest>

#include <cstdio>

// Descriptions come from servers and invitations: 200 KB shaped to make a
// careless scanner go over the same text again and again. Each row is timed
// through the whole path the details popover takes (Teams clean-up,
// sanitising, links), best of three.
namespace {

const int kSize = 200 * 1024;

QString repeated(const QString &unit, const QString &head = QString(), const QString &tail = QString())
{
    QString text = head;
    while (text.size() + unit.size() + tail.size() <= kSize)
        text += unit;
    return text + tail;
}

} // namespace

class BenchSanitizer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hostileDescription_data();
    void hostileDescription();
};

void BenchSanitizer::hostileDescription_data()
{
    QTest::addColumn<QString>("description");
    QTest::newRow("tag openings without an end") << repeated(QStringLiteral("<a"));
    QTest::newRow("unterminated attributes") << repeated(QStringLiteral("<a href=\""));
    QTest::newRow("addresses inside an href")
        << repeated(QStringLiteral("https://x/"), QStringLiteral("<a href=\"mailto:"), QStringLiteral("\">m</a>"));
    QTest::newRow("anchors with address text")
        << repeated(QStringLiteral("<a href=\"https://x.org/a\">https://x.org/a</a> "));
    QTest::newRow("ordinary markup") << repeated(QStringLiteral("<p>See <b>https://example.com/page</b>, ok.</p>\n"));
    QTest::newRow("teams: white space before the end")
        << repeated(QStringLiteral(" "), QStringLiteral("Microsoft Teams\n"), QStringLiteral("x"));
    QTest::newRow("teams: join links without an end")
        << repeated(QStringLiteral("Join the meeting now<https://teams.microsoft.com/x"), QStringLiteral("Microsoft Teams\n"));
    QTest::newRow("plain text addresses") << repeated(QStringLiteral("see https://example.com/a?b=1&c=2. "));
}

void BenchSanitizer::hostileDescription()
{
    QFETCH(QString, description);
    qint64 best = -1;
    qsizetype length = 0;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        length = descriptionToRichText(description, QString(), QStringLiteral("#4285F4")).size();
        const qint64 ns = timer.nsecsElapsed();
        if (best < 0 || ns < best)
            best = ns;
    }
    std::printf("%-40s %7.1f KB in %9.2f ms\n", QTest::currentDataTag(), double(description.size()) / 1024.0,
                double(best) / 1e6);
    QVERIFY(length > 0);
}

QTEST_APPLESS_MAIN(BenchSanitizer)
#include "bench_sanitizer.moc"
