#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "dialogs/editing/filterformdialog.h"
#include "dialogs/editing/filterpreview.h"
#include "store/eventbatchwriter.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "tests/support/widgetfixture.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>

// The filter form's preview, recomputed on every keystroke in the pattern
// field, over 10,000 events and 200 repeating series in the next 30 days.
namespace {

const int kEvents = 10000;
const int kSeries = 200;

bool seed(WidgetFixture &fixture)
{
    static const char *const words[] = {"Team", "sync", "Lunch", "Review", "Call", "Dentist", "Gym",
                                        "Planning", "1:1", "Retro", "Flight", "Standup", "Demo"};
    QRandomGenerator rng(7);
    const QDateTime base(QDate::currentDate(), QTime(0, 0));
    StoreTransaction transaction(fixture.db(), QStringLiteral("bench_seed"));
    EventBatchWriter writer(fixture.db());
    for (int i = 0; i < kEvents + kSeries; ++i) {
        Event event;
        event.id = event.uid = QStringLiteral("bench-%1").arg(i);
        event.calendar_id = QString::fromLatin1(AppState::LocalCalendarId);
        event.title = QStringLiteral("%1 %2 %3")
                          .arg(QLatin1String(words[rng.bounded(13)]), QLatin1String(words[rng.bounded(13)]))
                          .arg(i);
        event.start_time = base.addSecs(qint64(rng.bounded(60 * 24 * 29)) * 60);
        event.end_time = event.start_time.addSecs(1800);
        if (i >= kEvents)
            event.recurrence_rule = i % 2 ? QStringLiteral("FREQ=DAILY") : QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE,FR");
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        if (!writer.insert(event)) {
            std::printf("event %d not stored\n", i);
            return false;
        }
    }
    if (!transaction.commit()) {
        std::printf("seed not stored: %s\n", qPrintable(transaction.errorText()));
        return false;
    }
    return true;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

} // namespace

class BenchFilterPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        QVERIFY(seed(*m_fixture));
    }

    void cleanupTestCase() { m_fixture.reset(); }

    void keystroke()
    {
        FilterFormDialog dialog(m_fixture->state());
        auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("titleContains"));
        auto *preview = dialog.findChild<QLabel *>(QStringLiteral("filterPreview"));
        QList<double> times;
        const QString typed = QStringLiteral("lunch, standup");
        QElapsedTimer timer;
        for (int round = 0; round < 3; ++round) {
            for (const QChar c : typed) {
                timer.start();
                QTest::keyClick(field, c.toLatin1());
                times << timer.nsecsElapsed() / 1e6;
            }
            for (int i = 0; i < typed.size(); ++i) {
                timer.start();
                QTest::keyClick(field, Qt::Key_Backspace);
                times << timer.nsecsElapsed() / 1e6;
            }
        }
        std::printf("preview per keystroke: median %.1f ms, worst %.1f ms over %lld keystrokes\n", median(times),
                    *std::max_element(times.begin(), times.end()), static_cast<long long>(times.size()));
        std::printf("last preview: %s\n", qPrintable(preview->text()));
        QBENCHMARK {
            QTest::keyClick(field, 'l');
            QTest::keyClick(field, Qt::Key_Backspace);
        }
    }

    void windowReadAndExpansion()
    {
        QList<Event> occurrences;
        QBENCHMARK {
            occurrences = FilterPreview::occurrences(m_fixture->state()->events(), QDate::currentDate());
        }
        std::printf("occurrences in the window: %lld\n", static_cast<long long>(occurrences.size()));
    }

private:
    std::unique_ptr<WidgetFixture> m_fixture;
};

QTEST_MAIN(BenchFilterPreview)
#include "bench_filterpreview.moc"
