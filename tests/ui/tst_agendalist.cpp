#include "app/appstate.h"
#include "store/calendarrepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/panes/agendaeventrow.h"
#include "ui/panes/agendalistwidget.h"
#include "ui/panes/agendataskrow.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString ModeKey = QStringLiteral("ui/sidebarAgendaMode");

} // namespace

class TestAgendaList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        m_today = QDate::currentDate();
        m_fixture->state()->setViewMode(QStringLiteral("day"));
        m_fixture->state()->setCurrentDate(m_today);
    }
    void cleanup() { m_fixture.reset(); }

    void headersNameTodayTomorrowAndTheDate()
    {
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Later"), QDateTime(m_today.addDays(3), QTime(9, 0)),
                                                      QDateTime(m_today.addDays(3), QTime(10, 0))));
        AgendaListWidget agenda(m_fixture->state(), true, 30, ModeKey);
        const QStringList headers = agenda.headerTexts();
        QCOMPARE(headers.size(), 30);
        QCOMPARE(headers.at(0), QStringLiteral("Today"));
        QCOMPARE(headers.at(1), QStringLiteral("Tomorrow"));
        QCOMPARE(headers.at(2), m_today.addDays(2).toString(QStringLiteral("ddd MMM d")));

        agenda.setMode(false);
        QCOMPARE(agenda.headerTexts(), QStringList{m_today.addDays(3).toString(QStringLiteral("ddd MMM d"))});
    }

    void modeIsKeptPerListAndEmptyListShowsTheEmptyState()
    {
        AgendaListWidget sidebar(m_fixture->state(), true, 30, ModeKey);
        AgendaListWidget detached(m_fixture->state(), true, 30, QStringLiteral("ui/detachedAgendaMode"));
        QSignalSpy changed(&sidebar, &AgendaListWidget::showEmptyDaysChanged);
        sidebar.setMode(false);
        QCOMPARE(changed.size(), 1);
        QVERIFY(sidebar.showsEmptyState());
        QVERIFY(!detached.showsEmptyState());
        QCOMPARE(m_fixture->state()->preferences()->getString(ModeKey), QStringLiteral("list"));
        QCOMPARE(m_fixture->state()->preferences()->getString(QStringLiteral("ui/detachedAgendaMode")), QString());
        AgendaListWidget reopened(m_fixture->state(), true, 30, ModeKey);
        QVERIFY(!reopened.showEmptyDays());
    }

    void noCalendarInTheGroupShowsTheEmptyStateAlsoInAgendaMode()
    {
        m_fixture->state()->setActiveViewId(QStringLiteral("missing-group"));
        AgendaListWidget agenda(m_fixture->state(), true, 30, QString());
        QVERIFY(agenda.showsEmptyState());
        QVERIFY(agenda.headerTexts().isEmpty());
    }

    void rowsListEventsThenTasksAndEndedEventsLeaveToday()
    {
        const QDateTime now(m_today, QTime(12, 0));
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Ended"), QDateTime(m_today, QTime(8, 0)),
                                                      QDateTime(m_today, QTime(9, 0))));
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("<b>Lunch</b>"), QDateTime(m_today, QTime(13, 0)),
                                                      QDateTime(m_today, QTime(14, 0))));
        m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Trip"), m_today, m_today.addDays(3)));
        Task task = m_fixture->addTask(QStringLiteral("Pay rent"));
        task.start_date = QDateTime(m_today, QTime(0, 0));
        task.due_date = QDateTime(m_today.addDays(1), QTime(0, 0));
        QVERIFY(m_fixture->state()->tasks()->update(task));

        AgendaListWidget agenda(m_fixture->state(), false, 30, QString());
        agenda.setClock([now] { return now; });
        agenda.reload();
        QStringList rows;
        for (QWidget *row : agenda.findChildren<QWidget *>()) {
            if (!row->isVisibleTo(&agenda))
                continue;
            if (auto *eventRow = qobject_cast<AgendaEventRow *>(row))
                rows.append(QStringLiteral("E %1 %2").arg(eventRow->event().start_time.date().toString(Qt::ISODate),
                                                          eventRow->event().title));
            else if (auto *taskRow = qobject_cast<AgendaTaskRow *>(row))
                rows.append(QStringLiteral("T %1").arg(taskRow->task().title));
        }
        QCOMPARE(rows.size(), 6);
        QCOMPARE(rows.count(QStringLiteral("T Pay rent")), 2);
        QVERIFY(!rows.join(QLatin1Char('|')).contains(QStringLiteral("Ended")));
        QCOMPARE(rows.count(QStringLiteral("E %1 Trip").arg(m_today.toString(Qt::ISODate))), 3);

        // Stored text stays text.
        for (QLabel *title : agenda.findChildren<QLabel *>(QStringLiteral("title")))
            QCOMPARE(title->textFormat(), Qt::PlainText);
    }

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    QDate m_today;
};

QTEST_MAIN(TestAgendaList)
#include "tst_agendalist.moc"
