#include "app/appstate.h"
#include "app/edits/icsimportrun.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/icstestfiles.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/icsimportflow.h"
#include "ui/mainwindow.h"
#include "ui/panes/taskspane.h"
#include "ui/panes/taskspanerow.h"

#include <QComboBox>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A weekly series, its third occurrence moved, and a lone event.
const char SeriesFile[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Test//EN\r\n"
    "BEGIN:VEVENT\r\nUID:yoga@example.test\r\nSUMMARY:Yoga\r\n"
    "DTSTART:20260302T170000Z\r\nDTEND:20260302T180000Z\r\nRRULE:FREQ=WEEKLY;COUNT=6\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:yoga@example.test\r\nRECURRENCE-ID:20260316T170000Z\r\nSUMMARY:Yoga (park)\r\n"
    "DTSTART:20260316T160000Z\r\nDTEND:20260316T170000Z\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:dentist@example.test\r\nSUMMARY:Dentist\r\n"
    "DTSTART:20260311T080000Z\r\nDTEND:20260311T090000Z\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

const char TasksOnly[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Test//EN\r\n"
    "BEGIN:VTODO\r\nUID:todo@example.test\r\nSUMMARY:Buy milk\r\nEND:VTODO\r\n"
    "END:VCALENDAR\r\n";

// count events an hour apart from 2026-01-01 (uids plain-N).
QByteArray plainFile(int count)
{
    return IcsTestFiles::Head + IcsTestFiles::plainEvents(count) + IcsTestFiles::Tail;
}

void clickButton(QWidget *dialog, const QString &text)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->text().remove(QLatin1Char('&')) == text) {
            button->click();
            return;
        }
    }
    QFAIL(qPrintable("no button " + text));
}

} // namespace

// The import as the main window runs it: File → Import, the command line
// and dropped files all come through importIcsFromCommand.
class TestIcsImportWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    const QString m_personal = QString::fromLatin1(AppState::LocalCalendarId);

    AppState *state() const { return m_fixture->state(); }

    QString writeFile(const QString &name, const QByteArray &text)
    {
        const QString path = m_dir->filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        return path;
    }

    // Imports into the calendar so labelled; the status-bar message.
    QString importInto(const QString &path, const QString &label)
    {
        ModalAnswerer answerer;
        answerer.answer([label](QWidget *dialog) {
            auto *combo = dialog->findChild<QComboBox *>();
            combo->setCurrentIndex(combo->findText(label));
            clickButton(dialog, QStringLiteral("Import"));
        });
        m_window->statusBar()->clearMessage();
        m_window->importIcsFromCommand(path);
        if (!QTest::qWaitFor([this] { return !m_window->statusBar()->currentMessage().isEmpty(); }, 10000))
            return QStringLiteral("(no message)");
        return m_window->statusBar()->currentMessage();
    }

    QStringList titlesIn(const QString &calendarId) const
    {
        QStringList titles;
        for (const Event &event : state()->events()->getByCalendar(calendarId))
            titles << event.title;
        titles.sort();
        return titles;
    }

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        m_dir = std::make_unique<QTemporaryDir>();
        m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"));
        m_window = std::make_unique<MainWindow>(state());
        m_window->show();
    }

    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
        m_fixture.reset();
    }

    void seriesReimportAndAnotherCalendar()
    {
        const QString path = writeFile(QStringLiteral("yoga.ics"), SeriesFile);
        QCOMPARE(importInto(path, "On This Device / Personal"),
                 QStringLiteral("Imported 3 events into On This Device / Personal."));
        // The moved occurrence is a row beside its series, not over it.
        QCOMPARE(titlesIn(m_personal), (QStringList{"Dentist", "Yoga", "Yoga (park)"}));
        const QList<Event> first = state()->events()->getByCalendar(m_personal);

        QCOMPARE(importInto(path, "On This Device / Personal"),
                 QStringLiteral("Nothing to change: 3 event(s) already in On This Device / Personal."));
        QCOMPARE(state()->events()->getByCalendar(m_personal), first);

        QCOMPARE(importInto(path, "On This Device / Work"),
                 QStringLiteral("Imported 3 events into On This Device / Work."));
        QCOMPARE(titlesIn(QStringLiteral("work")), (QStringList{"Dentist", "Yoga", "Yoga (park)"}));
        QCOMPARE(state()->events()->getByCalendar(m_personal), first);
    }

    void reimportRevivesADeletedEvent()
    {
        const QString path = writeFile(QStringLiteral("yoga.ics"), SeriesFile);
        importInto(path, "On This Device / Personal");
        const Event dentist = *state()->events()->getByUid(QStringLiteral("dentist@example.test"), m_personal);
        QVERIFY(state()->events()->remove(dentist.id));
        QCOMPARE(titlesIn(m_personal), (QStringList{"Yoga", "Yoga (park)"}));

        QCOMPARE(importInto(path, "On This Device / Personal"),
                 QStringLiteral("Updated 1 existing event in On This Device / Personal."));
        const Event revived = *state()->events()->getById(dentist.id);
        QVERIFY(!revived.deleted_at);
        QCOMPARE(revived.sync_status, SyncStatus::Pending);
        QCOMPARE(titlesIn(m_personal), (QStringList{"Dentist", "Yoga", "Yoga (park)"}));
    }

    void fileWithoutEventsImportsNothing()
    {
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        m_window->importIcsFromCommand(writeFile(QStringLiteral("tasks.ics"), TasksOnly));
        QTRY_COMPARE(answerer.pending(), 0);
        QCOMPARE(answerer.seen(), QStringList{"QMessageBox No events found in \"tasks.ics\"."});
        QCOMPARE(state()->events()->getByCalendar(m_personal).size(), 0);
    }

    // Failed writes are reported as failures, never as "Imported 0 events".
    // The import writes through a connection of its own: the refusal is in
    // the file's schema, not the program's connection alone.
    void failedWritesAreReportedAsFailures()
    {
        QSqlQuery refuse(state()->database()->database());
        QVERIFY(refuse.exec(QStringLiteral("CREATE TRIGGER refuse_event_insert BEFORE INSERT ON events "
                                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
        QCOMPARE(importInto(writeFile(QStringLiteral("yoga.ics"), SeriesFile), "On This Device / Personal"),
                 QStringLiteral("Couldn't store 3 event(s) in On This Device / Personal."));
    }

    void chooserOffersWritableCalendarsWithTheDefaultPreselected_data()
    {
        QTest::addColumn<QString>("storedDefault");
        QTest::addColumn<QString>("current");
        QTest::newRow("nothing stored: the default-flagged one") << QString() << "On This Device / Personal";
        QTest::newRow("stored default") << "work" << "On This Device / Work";
        QTest::newRow("last used, none yet") << "__last_used__" << "On This Device / Personal";
        // A stored default that is read-only matches no item: the first in
        // label order stays current.
        QTest::newRow("read-only default") << "holidays" << "Another account / Birthdays";
    }

    void chooserOffersWritableCalendarsWithTheDefaultPreselected()
    {
        QFETCH(QString, storedDefault);
        QFETCH(QString, current);
        Account other;
        other.id = QStringLiteral("other");
        other.name = QStringLiteral("Another account");
        other.type = AccountType::CalDav;
        QVERIFY(state()->accounts()->insert(other));
        m_fixture->addCalendar(QStringLiteral("birthdays"), QStringLiteral("Birthdays"), "#ff0000", true, other.id);
        Calendar holidays = m_fixture->addCalendar(QStringLiteral("holidays"), QStringLiteral("Holidays"));
        holidays.is_read_only = true;
        QVERIFY(state()->calendars()->update(holidays));
        if (!storedDefault.isEmpty())
            QVERIFY(state()->preferences()->set(QStringLiteral("ui/defaultCalendarId"), storedDefault));

        QStringList offered;
        QString preselected;
        ModalAnswerer answerer;
        answerer.answer([&](QWidget *dialog) {
            const auto *combo = dialog->findChild<QComboBox *>();
            for (int i = 0; i < combo->count(); ++i)
                offered << combo->itemText(i);
            preselected = combo->currentText();
            clickButton(dialog, QStringLiteral("Cancel"));
        });
        m_window->importIcsFromCommand(writeFile(QStringLiteral("yoga.ics"), SeriesFile));
        QTRY_COMPARE(answerer.pending(), 0);
        QCOMPARE(offered, (QStringList{"Another account / Birthdays", "On This Device / Personal", "On This Device / Work"}));
        QCOMPARE(preselected, current);
        QTest::qWait(50);
        QCOMPARE(state()->events()->getByCalendar(m_personal).size(), 0);
    }

    void largeFileShowsProgressAndReportsInTheStatusBar()
    {
        const QString path = writeFile(QStringLiteral("large.ics"), plainFile(IcsImportFlow::ProgressThreshold));
        ModalAnswerer answerer;
        answerer.clickButton(QStringLiteral("Import"));
        bool progressShown = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (const auto *dialog = m_window->findChild<QProgressDialog *>())
                progressShown = progressShown || dialog->isVisible();
        });
        watch.start(1);
        m_window->importIcsFromCommand(path);
        QTRY_VERIFY_WITH_TIMEOUT(m_window->statusBar()->currentMessage().startsWith(QLatin1String("Imported")),
                                 20000);
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 QStringLiteral("Imported %1 events into On This Device / Personal.")
                     .arg(IcsImportFlow::ProgressThreshold));
        QVERIFY(progressShown);
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(state()->events()->getByCalendar(m_personal).size(), IcsImportFlow::ProgressThreshold);
    }

    // Cancel takes back the import alone: a task ticked in the pane while
    // the import ran stays done, in the store and on the screen.
    void cancelKeepsATaskTickedWhileTheImportRan()
    {
        const Task task = m_fixture->addTask(QStringLiteral("Ticked meanwhile"));
        TasksPane pane(state());
        pane.resize(400, 600);
        pane.show();
        const auto rowOf = [&pane, &task]() -> TasksPaneRow * {
            for (TasksPaneRow *row : pane.findChildren<TasksPaneRow *>()) {
                if (row->task().id == task.id && row->isVisibleTo(&pane))
                    return row;
            }
            return nullptr;
        };
        QTRY_VERIFY(rowOf());

        // The first event brings rows of its own, which go with it.
        QList<Event> events = IcsCodec::readEvents(plainFile(3000)).events;
        Reminder reminder;
        reminder.minutes_before = 15;
        Attendee attendee;
        attendee.email = QStringLiteral("ann@example.test");
        events.first().reminders = {reminder};
        events.first().attendees = {attendee};
        IcsImportRun run(state()->database(), state()->events(), events, m_personal);
        QSignalSpy progress(&run, &IcsImportRun::progress);
        run.start();
        QVERIFY(progress.wait(10000));
        QVERIFY(run.done() < run.total());
        QTest::mouseClick(rowOf(), Qt::LeftButton, {}, rowOf()->completionHitArea().center());
        QCOMPARE(state()->tasks()->getById(task.id)->status, TaskStatus::Completed);
        QVERIFY(run.isRunning());
        run.cancel();

        QCOMPARE(state()->events()->getByCalendar(m_personal), QList<Event>());
        QCOMPARE(state()->tasks()->getById(task.id)->status, TaskStatus::Completed);
        QTRY_VERIFY(rowOf() && rowOf()->task().status == TaskStatus::Completed);
    }
};

QTEST_MAIN(TestIcsImportWindow)
#include "tst_icsimportwindow.moc"
