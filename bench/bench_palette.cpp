#include "app/appstate.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/palette/commandpalette.h"

#include <QListWidget>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QTest>

#include <memory>

// One keystroke in the command palette over a store of 50,000 events: the
// command rows are filtered and, from the second character on, the store is
// searched for up to fifteen events.
class BenchPalette : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        static const char *const words[] = {"Standup", "Review", "Lunch", "Dentist", "Planning", "Gym",
                                            "Call", "Retro", "Workshop", "Coffee"};
        QRandomGenerator random(1603);
        const QDateTime origin(QDate(2024, 1, 1), QTime(8, 0));
        QSqlDatabase &db = m_fixture->state()->database()->database();
        QVERIFY(db.transaction());
        for (int i = 0; i < kEvents; ++i) {
            const QDateTime start = origin.addSecs(qint64(random.bounded(3 * 365 * 24 * 4)) * 900);
            Event event = WidgetFixture::timedEvent(
                QStringLiteral("%1 %2").arg(QString::fromLatin1(words[i % 10])).arg(i), start, start.addSecs(3600));
            event.id = QStringLiteral("ev-%1").arg(i);
            event.uid = event.id;
            event.raw_icalendar = QStringLiteral("BEGIN:VEVENT\r\nEND:VEVENT\r\n");
            QVERIFY(m_fixture->state()->events()->insert(event));
        }
        QVERIFY(db.commit());
        m_palette = std::make_unique<CommandPalette>(m_fixture->state(), nullptr, nullptr);
    }

    void cleanupTestCase()
    {
        m_palette.reset();
        m_fixture.reset();
    }

    void keystroke_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("one letter (commands only)") << "d";
        QTest::newRow("common word") << "lu";
        QTest::newRow("longer common word") << "dentist";
        QTest::newRow("one event") << "Gym 49999";
        QTest::newRow("no event matches") << "zebra";
    }

    void keystroke()
    {
        QFETCH(QString, query);
        QBENCHMARK {
            m_palette->rebuildList(query);
        }
        QVERIFY(m_palette->resultList()->count() >= 0);
    }

private:
    static constexpr int kEvents = 50000;
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<CommandPalette> m_palette;
};

QTEST_MAIN(BenchPalette)
#include "bench_palette.moc"
