#include "app/appstate.h"
#include "store/database.h"
#include "store/calendarrepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/panes/agendaeventrow.h"
#include "ui/panes/agendalistwidget.h"
#include "ui/panes/agendataskrow.h"
#include "ui/panes/windowedrows.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLocale>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

#include <memory>

namespace {

const QString ModeKey = QStringLiteral("ui/sidebarAgendaMode");

// The list reads off the GUI thread: asks for a read and waits for its rows.
bool loaded(AgendaListWidget &agenda)
{
    QSignalSpy reloaded(&agenda, &AgendaListWidget::reloaded);
    agenda.reload();
    return reloaded.wait(20000) && !agenda.isLoading();
}

// Answers one text with a translation of its own.
class OneTextTranslator : public QTranslator
{
public:
    OneTextTranslator(const char *source, QString translation)
        : m_source(source)
        , m_translation(std::move(translation))
    {
    }
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return qstrcmp(sourceText, m_source) == 0 ? m_translation : QString();
    }

private:
    const char *m_source;
    QString m_translation;
};

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
        // Announced a moment later: a list made before would read again in
        // the middle of the checks.
        QVERIFY(m_fixture->waitForEventsChanged());
        AgendaListWidget agenda(m_fixture->state(), true, 30, ModeKey);
        // The test's own day, also when the run crosses midnight.
        agenda.setClock([this] { return QDateTime(m_today, QTime(12, 0)); });
        QVERIFY(loaded(agenda));
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
        QVERIFY(loaded(sidebar));
        QVERIFY(loaded(detached));
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
        QVERIFY(loaded(agenda));
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
        QSignalSpy tasksAnnounced(m_fixture->state()->tasks(), &TaskRepository::tasksChanged);
        Task task = m_fixture->addTask(QStringLiteral("Pay rent"));
        task.start_date = QDateTime(m_today, QTime(0, 0));
        task.due_date = QDateTime(m_today.addDays(1), QTime(0, 0));
        QVERIFY(m_fixture->state()->tasks()->update(task));
        QVERIFY(m_fixture->waitForEventsChanged());
        QVERIFY(!tasksAnnounced.isEmpty() || tasksAnnounced.wait(20000));

        AgendaListWidget agenda(m_fixture->state(), false, 30, QString());
        agenda.setClock([now] { return now; });
        QVERIFY(loaded(agenda));
        const auto shownRows = [&agenda] {
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
            return rows;
        };
        // Rows are built a few a turn when making them is slow (a busy
        // machine): all of them are there a few turns after the read.
        QTRY_COMPARE(shownRows().size(), 6);
        const QStringList rows = shownRows();
        QCOMPARE(rows.count(QStringLiteral("T Pay rent")), 2);
        QVERIFY(!rows.join(QLatin1Char('|')).contains(QStringLiteral("Ended")));
        QCOMPARE(rows.count(QStringLiteral("E %1 Trip").arg(m_today.toString(Qt::ISODate))), 3);

        // Stored text stays text.
        for (QLabel *title : agenda.findChildren<QLabel *>(QStringLiteral("title")))
            QCOMPARE(title->textFormat(), Qt::PlainText);
    }

    void firstReadWaitsForTheFirstShowAndHiddenChangesForTheNext()
    {
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(m_today.addDays(1), QTime(9, 0)),
                                                      QDateTime(m_today.addDays(1), QTime(9, 15))));
        QVERIFY(m_fixture->waitForEventsChanged());
        AgendaListWidget agenda(m_fixture->state(), false, 30, QString());
        agenda.setClock([this] { return QDateTime(m_today, QTime(12, 0)); });
        agenda.resize(360, 600);
        QSignalSpy reloaded(&agenda, &AgendaListWidget::reloaded);
        QVERIFY(!reloaded.wait(300));
        QVERIFY(agenda.isLoading());
        QCOMPARE(agenda.entryCount(), 0);

        agenda.show();
        QVERIFY(reloaded.wait(20000));
        QCOMPARE(agenda.headerTexts(), QStringList{QStringLiteral("Tomorrow")});

        agenda.hide();
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Review"), QDateTime(m_today.addDays(2), QTime(9, 0)),
                                                      QDateTime(m_today.addDays(2), QTime(10, 0))));
        QVERIFY(m_fixture->waitForEventsChanged());
        QVERIFY(!reloaded.wait(400));
        QCOMPARE(reloaded.size(), 1);

        agenda.show();
        QVERIFY(reloaded.wait(20000));
        QCOMPARE(agenda.headerTexts(),
                 (QStringList{QStringLiteral("Tomorrow"), m_today.addDays(2).toString(QStringLiteral("ddd MMM d"))}));
    }

    void longListBuildsOnlyTheRowsNearTheView()
    {
        // 40 daily series fill the 30 days with 1,200 rows.
        QVERIFY(m_fixture->db()->database().transaction());
        for (int i = 0; i < 40; ++i) {
            Event series = WidgetFixture::timedEvent(QStringLiteral("Series %1").arg(i),
                                                     QDateTime(m_today.addDays(-5), QTime(23, 0).addSecs(-60 * i)),
                                                     QDateTime(m_today.addDays(-5), QTime(23, 30).addSecs(-60 * i)));
            series.recurrence_rule = QStringLiteral("FREQ=DAILY");
            m_fixture->addEvent(series);
        }
        QVERIFY(m_fixture->db()->database().commit());
        QVERIFY(m_fixture->waitForEventsChanged());
        AgendaListWidget agenda(m_fixture->state(), true, 30, QString());
        agenda.setClock([this] { return QDateTime(m_today, QTime(0, 5)); });
        agenda.resize(360, 600);
        QSignalSpy reloaded(&agenda, &AgendaListWidget::reloaded);
        agenda.show();
        QVERIFY(reloaded.wait(20000));
        QCOMPARE(agenda.entryCount(), 30 + 30 * 40);
        QCOMPARE(agenda.headerTexts().size(), 30);
        QVERIFY(agenda.builtRowCount() > 0);
        QVERIFY(agenda.builtRowCount() < 150);
        // The rows in view may take a few turns on a busy machine.
        QTRY_COMPARE(visibleEventDays(agenda), QSet<QDate>{m_today});

        // Scrolling to the end builds the last day's rows and lets the first go.
        auto *rows = agenda.findChild<WindowedRows *>();
        QVERIFY(rows);
        for (int i = 0; i < 4; ++i)
            rows->verticalScrollBar()->setValue(rows->verticalScrollBar()->maximum());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTRY_VERIFY(visibleEventDays(agenda).contains(m_today.addDays(29)));
        QTRY_VERIFY(!visibleEventDays(agenda).contains(m_today));
        QVERIFY(agenda.builtRowCount() < 150);
    }

    // New rows show what is in view at once; the rows beyond it come a turn
    // later.
    void newRowsBuildWhatIsInViewFirst()
    {
        WindowedRows rows;
        rows.resize(300, 300);
        rows.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rows));
        int made = 0;
        const auto factory = [&made](int index, QWidget *parent) {
            ++made;
            auto *row = new QLabel(QStringLiteral("Row %1").arg(index), parent);
            row->setFixedHeight(30);
            return row;
        };
        rows.setRows(1000, [](int) { return 0; }, factory, false);
        const int inView = rows.viewport()->height() / 30 + 1;
        QVERIFY2(rows.builtCount() <= inView, qPrintable(QString::number(rows.builtCount())));
        QVERIFY(rows.builtRow(0));
        QVERIFY(!rows.builtRow(inView + 5));
        QTRY_VERIFY(rows.builtCount() > inView + 10);
        QVERIFY(rows.builtRow(inView + 5));
        QCOMPARE(made, rows.builtCount());
    }

    // Rows slow to make (3 ms each here) are built a few at a turn: what is
    // in view first, top down, then the rows beyond it, nearest first; each
    // made once. A scroll does the same from the new view.
    void slowRowsAreBuiltAFewATurnInViewFirst()
    {
        WindowedRows rows;
        rows.resize(300, 300);
        rows.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rows));
        QList<int> made;
        const auto factory = [&made](int index, QWidget *parent) {
            made.append(index);
            QElapsedTimer slow;
            slow.start();
            while (!slow.hasExpired(3)) {
            }
            auto *row = new QLabel(QStringLiteral("Row %1").arg(index), parent);
            row->setFixedHeight(30);
            return row;
        };
        rows.setRows(200, [](int) { return 0; }, factory, false);
        const int inView = rows.viewport()->height() / 30 + 1;
        QVERIFY2(!made.isEmpty() && made.size() < inView, qPrintable(QString::number(made.size())));
        QCOMPARE(made.first(), 0);

        QTRY_VERIFY(made.size() > inView + 10);
        for (int i = 0; i < inView; ++i)
            QCOMPARE(made.at(i), i);
        QCOMPARE(made.at(inView), inView);
        QTRY_VERIFY(rows.builtRow(inView + 15));
        QCOMPARE(QSet<int>(made.cbegin(), made.cend()).size(), made.size());
        QCOMPARE(rows.builtCount(), made.size());

        // A scroll far down builds the first rows of the new view in its
        // own turn and leaves the rest, and what lies beyond, for later.
        const int before = made.size();
        rows.scrollToRow(150);
        QVERIFY(rows.builtRow(150));
        QVERIFY2(made.size() - before < inView, qPrintable(QString::number(made.size() - before)));
        QTRY_VERIFY(rows.builtRow(150 + inView + 5));
        QVERIFY(rows.builtRow(145));
    }

    // The time column is as wide on every row; the all-day word of a longer
    // language wraps or shrinks to fit it, and is never cut.
    void allDayLabelFitsTheTimeColumnInEveryLanguage_data()
    {
        QTest::addColumn<QString>("translation");
        QTest::newRow("English") << QString();
        QTest::newRow("German") << QStringLiteral("Ganztägig");
        QTest::newRow("French, three words") << QStringLiteral("Toute la journée");
        QTest::newRow("Spanish") << QStringLiteral("Todo el día");
    }
    void allDayLabelFitsTheTimeColumnInEveryLanguage()
    {
        QFETCH(QString, translation);
        OneTextTranslator translator("All-day", translation);
        QCoreApplication::installTranslator(&translator);
        Event event;
        event.id = QStringLiteral("all-day");
        event.title = QStringLiteral("Holiday");
        event.is_all_day = true;
        event.start_time = QDateTime(m_today, QTime(0, 0));
        event.end_time = QDateTime(m_today.addDays(1), QTime(0, 0));
        AgendaEventRow row(m_fixture->state(), event, nullptr, QStringLiteral("#4285F4"));
        QCoreApplication::removeTranslator(&translator);
        auto *label = row.findChild<QLabel *>(QStringLiteral("allDayLabel"));
        QVERIFY(label);
        const QString shown = translation.isEmpty() ? QStringLiteral("All-day") : translation;
        QCOMPARE(label->text(), shown);
        const int column = label->parentWidget()->width();
        QStringList tooWide;
        for (const QString &word : shown.split(QLatin1Char(' '))) {
            if (QFontMetrics(label->font()).horizontalAdvance(word) > column)
                tooWide << word;
        }
        QVERIFY2(tooWide.isEmpty(), qPrintable(tooWide.join(QLatin1Char(' '))));
        // Several words wider than the column together go on lines of their own.
        QVERIFY(label->wordWrap() || QFontMetrics(label->font()).horizontalAdvance(shown) <= column);
        QVERIFY(label->font().pointSizeF() >= 6.5);
    }

    // The times are written in the interface language; the column holds the
    // longest of them whole, and English keeps its width.
    void timesFitTheTimeColumnInEveryLanguage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("start");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "10:00 AM";
        QTest::newRow("Japanese") << QLocale(QLocale::Japanese, QLocale::Japan) << "10:00 午前";
        QTest::newRow("Spanish") << QLocale(QLocale::Spanish, QLocale::Spain) << "10:00 A.\u00A0M.";
    }
    void timesFitTheTimeColumnInEveryLanguage()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, start);
        const QLocale before;
        QLocale::setDefault(locale);
        Event event;
        event.id = QStringLiteral("timed");
        event.title = QStringLiteral("Review");
        event.start_time = QDateTime(m_today, QTime(10, 0));
        event.end_time = QDateTime(m_today, QTime(23, 0));
        AgendaEventRow row(m_fixture->state(), event, nullptr, QStringLiteral("#4285F4"));
        QLocale::setDefault(before);
        auto *startLabel = row.findChild<QLabel *>(QStringLiteral("startTime"));
        auto *endLabel = row.findChild<QLabel *>(QStringLiteral("endTime"));
        QVERIFY(startLabel && endLabel);
        QCOMPARE(startLabel->text(), start);
        const int column = startLabel->parentWidget()->width();
        for (const QLabel *label : {startLabel, endLabel})
            QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= column, qPrintable(label->text()));
        if (locale.language() == QLocale::English)
            QCOMPARE(column, 56);
    }

private:
    // The days of the event rows that exist now, whether on screen or just off it.
    static QSet<QDate> visibleEventDays(const AgendaListWidget &agenda)
    {
        QSet<QDate> days;
        for (AgendaEventRow *row : agenda.findChildren<AgendaEventRow *>()) {
            if (row->isVisibleTo(&agenda))
                days.insert(row->event().start_time.date());
        }
        return days;
    }

    std::unique_ptr<WidgetFixture> m_fixture;
    QDate m_today;
};

QTEST_MAIN(TestAgendaList)
#include "tst_agendalist.moc"
