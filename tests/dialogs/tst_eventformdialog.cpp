#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "dialogs/editing/eventformdialog.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "tests/support/tempdatadir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTest>

#include <memory>

class TestEventFormDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_state = std::make_unique<AppState>();
        QVERIFY(m_state->initialize());
    }

    void cleanup()
    {
        m_state.reset();
        m_dir.reset();
    }

    void newEventIsStoredWithFreshIdentity()
    {
        EventFormDialog dialog(m_state.get());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("New Event"));
        QVERIFY(dialog.isModal());
        QCOMPARE(field<QComboBox>(dialog, "calendar")->currentData().toString(),
                 QString::fromLatin1(AppState::LocalCalendarId));
        const QTime proposed = field<QDateTimeEdit>(dialog, "start")->time();
        QVERIFY(proposed.minute() == 0 || proposed.minute() == 30);
        QCOMPARE(field<QDateTimeEdit>(dialog, "start")->dateTime().secsTo(field<QDateTimeEdit>(dialog, "end")->dateTime()),
                 3600);

        field<QLineEdit>(dialog, "title")->setText(QStringLiteral("  Dentist  "));
        field<QLineEdit>(dialog, "location")->setText(QStringLiteral(" Main St 4 "));
        field<QPlainTextEdit>(dialog, "notes")->setPlainText(QStringLiteral("bring card "));
        field<QDateTimeEdit>(dialog, "start")->setDateTime(QDateTime(QDate(2026, 6, 1), QTime(9, 0)));
        field<QDateTimeEdit>(dialog, "end")->setDateTime(QDateTime(QDate(2026, 6, 1), QTime(9, 45)));
        QVERIFY(dialog.save().saved());

        const QList<Event> events = m_state->events()->getByCalendar(AppState::LocalCalendarId);
        QCOMPARE(events.size(), 1);
        const Event &event = events.first();
        QCOMPARE(event.id.size(), 36);
        QCOMPARE(event.uid, event.id);
        QCOMPARE(event.title, QStringLiteral("Dentist"));
        QCOMPARE(event.location, QStringLiteral("Main St 4"));
        QCOMPARE(event.description, QStringLiteral("bring card "));
        QCOMPARE(event.status, QStringLiteral("confirmed"));
        QCOMPARE(event.sync_status, QStringLiteral("pending"));
        QCOMPARE(event.sequence, 0);
        QCOMPARE(event.start_time, QDateTime(QDate(2026, 6, 1), QTime(9, 0)));
        QCOMPARE(*event.end_time, QDateTime(QDate(2026, 6, 1), QTime(9, 45)));
        QVERIFY(event.raw_icalendar.contains(QStringLiteral("UID:") + event.id));
        QCOMPARE(m_state->preferences()->getString("ui/lastUsedEventCalendarId"),
                 QString::fromLatin1(AppState::LocalCalendarId));
    }

    void inputIsCheckedBeforeAnythingIsStored_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("endOffsetSecs");
        QTest::addColumn<bool>("noCalendars");
        QTest::addColumn<int>("problem");
        QTest::newRow("blank title") << "   " << 3600 << false << int(EventFormDialog::Problem::MissingTitle);
        QTest::newRow("end a minute early") << "Call" << -60 << false << int(EventFormDialog::Problem::EndBeforeStart);
        QTest::newRow("end equal to start") << "Call" << 0 << false << int(EventFormDialog::Problem::None);
        QTest::newRow("only hidden calendars") << "Call" << 3600 << true << int(EventFormDialog::Problem::NoCalendars);
    }

    void inputIsCheckedBeforeAnythingIsStored()
    {
        QFETCH(QString, title);
        QFETCH(int, endOffsetSecs);
        QFETCH(bool, noCalendars);
        QFETCH(int, problem);
        if (noCalendars) {
            Calendar personal = *m_state->calendars()->getById(AppState::LocalCalendarId);
            personal.is_visible = false;
            QVERIFY(m_state->calendars()->update(personal));
        }
        EventFormDialog dialog(m_state.get());
        field<QLineEdit>(dialog, "title")->setText(title);
        const QDateTime start(QDate(2026, 6, 1), QTime(9, 0));
        field<QDateTimeEdit>(dialog, "start")->setDateTime(start);
        field<QDateTimeEdit>(dialog, "end")->setDateTime(start.addSecs(endOffsetSecs));
        const EventFormDialog::SaveOutcome outcome = dialog.save();
        QCOMPARE(int(outcome.problem), problem);
        QCOMPARE(m_state->events()->getByCalendar(AppState::LocalCalendarId).size(), outcome.saved() ? 1 : 0);
        if (!outcome.saved())
            QVERIFY(!outcome.text.isEmpty());
    }

    void allDayEventIsStoredUpToTheNextMidnight()
    {
        EventFormDialog dialog(m_state.get());
        field<QLineEdit>(dialog, "title")->setText(QStringLiteral("Holiday"));
        field<QCheckBox>(dialog, "allDay")->setChecked(true);
        field<QDateTimeEdit>(dialog, "start")->setDateTime(QDateTime(QDate(2026, 7, 3), QTime(15, 0)));
        field<QDateTimeEdit>(dialog, "end")->setDateTime(QDateTime(QDate(2026, 7, 3), QTime(16, 0)));
        QVERIFY(dialog.save().saved());
        Event event = m_state->events()->getByCalendar(AppState::LocalCalendarId).first();
        QVERIFY(event.is_all_day);
        QCOMPARE(event.start_time.date(), QDate(2026, 7, 3));
        QCOMPARE(event.end_time->date(), QDate(2026, 7, 4));

        // Opened again, both pickers show the one day; saved unchanged, the
        // times stay.
        EventFormDialog again(m_state.get(), event);
        QCOMPARE(field<QDateTimeEdit>(again, "start")->date(), QDate(2026, 7, 3));
        QCOMPARE(field<QDateTimeEdit>(again, "end")->date(), QDate(2026, 7, 3));
        QVERIFY(again.save().saved());
        const Event saved = *m_state->events()->getById(event.id);
        QCOMPARE(saved.start_time.date(), QDate(2026, 7, 3));
        QCOMPARE(saved.end_time->date(), QDate(2026, 7, 4));
    }

    void editingKeepsIdentityAndCountsSequence()
    {
        const Event original = storedEvent(QString::fromLatin1(AppState::LocalCalendarId));
        QVERIFY(m_state->events()->insert(original));
        EventFormDialog dialog(m_state.get(), *m_state->events()->getById(original.id));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Event"));
        QCOMPARE(field<QLineEdit>(dialog, "title")->text(), QStringLiteral("Planning"));
        field<QLineEdit>(dialog, "title")->setText(QStringLiteral("Planning (moved)"));
        QVERIFY(dialog.save().saved());
        const Event saved = *m_state->events()->getById(original.id);
        QCOMPARE(saved.uid, original.uid);
        QCOMPARE(saved.sequence, 3);
        QCOMPARE(saved.etag, original.etag);
        QCOMPARE(saved.title, QStringLiteral("Planning (moved)"));
        QCOMPARE(saved.sync_status, QStringLiteral("pending"));
        QCOMPARE(m_state->events()->getByCalendar(AppState::LocalCalendarId).size(), 1);
    }

    void eventOfAnUnlistedCalendarMovesWithATombstone()
    {
        Calendar readOnly;
        readOnly.id = QStringLiteral("subscribed");
        readOnly.account_id = QString::fromLatin1(AppState::LocalAccountId);
        readOnly.url = QStringLiteral("local://calendar/subscribed");
        readOnly.name = QStringLiteral("Subscribed");
        readOnly.is_read_only = true;
        QVERIFY(m_state->calendars()->insert(readOnly));
        const Event original = storedEvent(readOnly.id);
        QVERIFY(m_state->events()->insert(original));

        EventFormDialog dialog(m_state.get(), original);
        QCOMPARE(field<QComboBox>(dialog, "calendar")->count(), 1);
        QVERIFY(dialog.save().saved());

        const std::optional<Event> old = m_state->events()->getById(original.id);
        QVERIFY(old);
        QVERIFY(old->deleted_at);
        QCOMPARE(old->sync_status, QStringLiteral("pending"));
        const QList<Event> moved = m_state->events()->getByCalendar(AppState::LocalCalendarId);
        QCOMPARE(moved.size(), 1);
        QVERIFY(moved.first().id != original.id);
        QCOMPARE(moved.first().uid, moved.first().id);
        QVERIFY(moved.first().etag.isEmpty());
        QCOMPARE(moved.first().sequence, 0);
        QVERIFY(moved.first().raw_icalendar.contains(QStringLiteral("UID:") + moved.first().id));
    }

    void failedMoveKeepsTheOriginalEvent()
    {
        Calendar hidden;
        hidden.id = QStringLiteral("hidden");
        hidden.account_id = QString::fromLatin1(AppState::LocalAccountId);
        hidden.url = QStringLiteral("local://calendar/hidden");
        hidden.name = QStringLiteral("Hidden");
        hidden.is_visible = false;
        QVERIFY(m_state->calendars()->insert(hidden));
        const Event original = storedEvent(hidden.id);
        QVERIFY(m_state->events()->insert(original));

        QSqlQuery refuse(m_state->database()->database());
        QVERIFY(refuse.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_inserts BEFORE INSERT ON events "
                                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
        EventFormDialog dialog(m_state.get(), original);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("EventRepository::insert failed"));
        const EventFormDialog::SaveOutcome outcome = dialog.save();
        QCOMPARE(outcome.problem, EventFormDialog::Problem::StoreFailed);
        QCOMPARE(outcome.title, QStringLiteral("Database Error"));
        QCOMPARE(outcome.text, QStringLiteral("Could not save the event."));
        const std::optional<Event> kept = m_state->events()->getById(original.id);
        QVERIFY(kept);
        QVERIFY(!kept->deleted_at);
    }

    void prefilledEventWithoutIdIsStoredAsNew()
    {
        Event fromTask;
        fromTask.title = QStringLiteral("Write report");
        fromTask.calendar_id = QString::fromLatin1(AppState::LocalCalendarId);
        fromTask.start_time = QDateTime(QDate(2026, 8, 1), QTime(14, 0));
        fromTask.end_time = QDateTime(QDate(2026, 8, 1), QTime(15, 0));
        fromTask.status = QStringLiteral("tentative");
        EventFormDialog dialog(m_state.get(), fromTask);
        QVERIFY(dialog.save().saved());
        const QList<Event> events = m_state->events()->getByCalendar(AppState::LocalCalendarId);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().uid, events.first().id);
        QCOMPARE(events.first().status, QStringLiteral("confirmed"));
        QCOMPARE(events.first().start_time, fromTask.start_time);
    }

private:
    template<typename T>
    T *field(EventFormDialog &dialog, const char *name)
    {
        return dialog.findChild<T *>(QString::fromLatin1(name));
    }
    Event storedEvent(const QString &calendarId)
    {
        Event event;
        event.id = QStringLiteral("existing");
        event.uid = QStringLiteral("existing-uid");
        event.calendar_id = calendarId;
        event.title = QStringLiteral("Planning");
        event.start_time = QDateTime(QDate(2026, 5, 4), QTime(10, 0));
        event.end_time = QDateTime(QDate(2026, 5, 4), QTime(11, 0));
        event.etag = QStringLiteral("\"etag-1\"");
        event.sequence = 2;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        return event;
    }

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
};

QTEST_MAIN(TestEventFormDialog)
#include "tst_eventformdialog.moc"
