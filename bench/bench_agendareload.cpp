#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/panes/agendalistwidget.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

// One agenda reload over 30 days with 20 daily series and 200 tasks: the
// range read, expansion and filters (on the loader's thread), spreading over
// days and building the header and row widgets in and near view (the old
// ones deleted as the event loop would), until the rows are in place.
class BenchAgendaReload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        const QDate today = QDate::currentDate();
        m_fixture->state()->setViewMode(QStringLiteral("day"));
        m_fixture->state()->setCurrentDate(today);
        QVERIFY(m_fixture->db()->database().transaction());
        for (int i = 0; i < 20; ++i) {
            const QDateTime start(today.addDays(-10), QTime(7 + i % 12, (i % 4) * 15));
            Event event = WidgetFixture::timedEvent(QStringLiteral("Series %1").arg(i), start, start.addSecs(1800));
            event.recurrence_rule = QStringLiteral("FREQ=DAILY");
            QVERIFY(!m_fixture->addEvent(event).id.isEmpty());
        }
        for (int i = 0; i < 200; ++i) {
            Task task;
            task.id = QStringLiteral("task-%1").arg(i);
            task.uid = task.id;
            task.calendar_id = QString::fromLatin1(AppState::LocalCalendarId);
            task.title = QStringLiteral("Task %1").arg(i);
            task.priority = i % 10;
            task.due_date = QDateTime(today.addDays(i % 30), QTime(0, 0));
            if (i % 3 == 0)
                task.start_date = QDateTime(today.addDays((i + 5) % 30), QTime(0, 0));
            task.raw_icalendar = IcsCodec::buildTodo(task);
            QVERIFY(m_fixture->state()->tasks()->insert(task));
        }
        QVERIFY(m_fixture->db()->database().commit());
        m_agenda = std::make_unique<AgendaListWidget>(m_fixture->state(), true, 30, QString());
        m_agenda->resize(360, 800);
    }

    void cleanupTestCase()
    {
        m_agenda.reset();
        m_fixture.reset();
    }

    void reloadThirtyDays()
    {
        QSignalSpy reloaded(m_agenda.get(), &AgendaListWidget::reloaded);
        QBENCHMARK {
            m_agenda->reload();
            QVERIFY(reloaded.wait(10000));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(m_agenda->headerTexts().size(), 30);
        qInfo().noquote() << QStringLiteral("%1 entries, %2 built").arg(m_agenda->entryCount()).arg(
            m_agenda->builtRowCount());
    }

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<AgendaListWidget> m_agenda;
};

QTEST_MAIN(BenchAgendaReload)
#include "bench_agendareload.moc"
