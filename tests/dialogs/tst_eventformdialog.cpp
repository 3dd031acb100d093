#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "dialogs/editing/eventformdialog.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/templaterepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/tempdatadir.h"
#include "ui/pickers/datetimepicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

#include <memory>

namespace {

// Title, rule, reminders and attendees of an event.
QString describe(const Event &e)
{
    QStringList reminders;
    for (const Reminder &r : e.reminders)
        reminders.append(QString::number(r.minutes_before));
    QStringList attendees;
    for (const Attendee &a : e.attendees)
        attendees.append(a.email + QLatin1Char('/') + a.name);
    return QStringList{e.title, e.recurrence_rule, reminders.join(QLatin1Char(',')), attendees.join(QLatin1Char(','))}
        .join(QLatin1String(" | "));
}

} // namespace

class TestEventFormDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void proposedStartIsTheNextHalfHour_data();
    void proposedStartIsTheNextHalfHour();
    void newEventIsStoredWithFreshIdentity();
    void inputIsCheckedBeforeAnythingIsStored_data();
    void inputIsCheckedBeforeAnythingIsStored();
    void editKeepsRemindersAttendeesAndUnknownText();
    void storedRemindersAndRepliesAreNamed_data();
    void storedRemindersAndRepliesAreNamed();
    void templateFillsTheForm();
    void calendarChoiceMovesCopiesOrKeeps_data();
    void calendarChoiceMovesCopiesOrKeeps();
    void failedMoveKeepsTheOriginalEvent();
    void seriesMovedInTheFormSaysWhyItWasRefused_data();
    void seriesMovedInTheFormSaysWhyItWasRefused();
    void moveThatLeavesTheOldCopyIsSavedAndSaysSo();
    void changedOccurrenceKeepsItsCalendar();
    void allDayEventKeepsItsDatesAcrossDaylightSaving_data();
    void allDayEventKeepsItsDatesAcrossDaylightSaving();
    void weeklyEventRepeatsOnItsLocalWeekday();
    void repeatLineNamesTheDaysShown_data();
    void repeatLineNamesTheDaysShown();
    void floatingSeriesEditedStaysOnTheWallClock();
    void floatingSeriesPulledInAnotherZoneIsWrittenAtItsTime();
    void renamedSeriesKeepsItsDays_data();
    void renamedSeriesKeepsItsDays();
    void prefilledEventWithoutIdIsStoredAsNew();

private:
    template<typename T>
    T *field(EventFormDialog &dialog, const char *name)
    {
        return dialog.findChild<T *>(QString::fromLatin1(name));
    }
    Calendar addCalendar(const QString &id, bool visible, bool readOnly);
    Event storedEvent(const QString &calendarId);

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
    const QString m_personal = QString::fromLatin1(AppState::LocalCalendarId);
};

void TestEventFormDialog::init()
{
    m_dir = std::make_unique<TempDataDir>();
    m_state = std::make_unique<AppState>();
    QVERIFY(m_state->initialize());
}

void TestEventFormDialog::cleanup()
{
    m_state.reset();
    m_dir.reset();
}

Calendar TestEventFormDialog::addCalendar(const QString &id, bool visible, bool readOnly)
{
    Calendar calendar;
    calendar.id = id;
    calendar.account_id = QString::fromLatin1(AppState::LocalAccountId);
    calendar.url = QStringLiteral("local://calendar/") + id;
    calendar.name = id;
    calendar.is_visible = visible;
    calendar.is_read_only = readOnly;
    calendar.color = QStringLiteral("#33aa55");
    if (!m_state->calendars()->insert(calendar))
        qFatal("setup write refused");
    return calendar;
}

Event TestEventFormDialog::storedEvent(const QString &calendarId)
{
    Event event;
    event.id = QStringLiteral("existing");
    event.uid = QStringLiteral("existing-uid");
    event.calendar_id = calendarId;
    event.title = QStringLiteral("Planning");
    event.start_time = QDateTime(QDate(2026, 5, 4), QTime(10, 0));
    event.end_time = QDateTime(QDate(2026, 5, 4), QTime(11, 0));
    event.etag = QStringLiteral("\"etag-1\"");
    event.href = QStringLiteral("/cal/existing-uid.ics");
    event.sequence = 2;
    event.raw_icalendar = IcsCodec::buildEventIcs(event);
    if (!m_state->events()->insert(event))
        qFatal("setup write refused");
    return *m_state->events()->getById(event.id);
}

void TestEventFormDialog::proposedStartIsTheNextHalfHour_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QDateTime>("proposed");
    const QDate day(2026, 6, 1);
    QTest::newRow(":00") << QTime(10, 0, 42) << QDateTime(day, QTime(10, 0));
    QTest::newRow(":05") << QTime(10, 5) << QDateTime(day, QTime(10, 30));
    QTest::newRow(":31") << QTime(10, 31) << QDateTime(day, QTime(11, 0));
    QTest::newRow("late evening") << QTime(23, 45) << QDateTime(day.addDays(1), QTime(0, 0));
}

void TestEventFormDialog::proposedStartIsTheNextHalfHour()
{
    QFETCH(QTime, now);
    QFETCH(QDateTime, proposed);
    QCOMPARE(EventFormDialog::proposedStart(QDateTime(QDate(2026, 6, 1), now)), proposed);
}

void TestEventFormDialog::newEventIsStoredWithFreshIdentity()
{
    EventFormDialog dialog(m_state.get());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("New Event"));
    QCOMPARE(field<QComboBox>(dialog, "calendar")->currentData().toString(), m_personal);
    const QDateTime proposed = field<DateTimePicker>(dialog, "start")->dateTime();
    QCOMPARE(proposed, EventFormDialog::proposedStart(proposed));
    QCOMPARE(proposed.secsTo(field<DateTimePicker>(dialog, "end")->dateTime()), 3600);
    QCOMPARE(field<QPushButton>(dialog, "repeat")->text(), QStringLiteral("Does not repeat"));

    field<QLineEdit>(dialog, "title")->setText(QStringLiteral("  Dentist  "));
    field<QLineEdit>(dialog, "location")->setText(QStringLiteral(" Main St 4 "));
    field<QPlainTextEdit>(dialog, "notes")->setPlainText(QStringLiteral("bring card "));
    dialog.setStartAndDuration(QDateTime(QDate(2026, 6, 1), QTime(9, 0)), 45);
    QVERIFY(dialog.save().saved());

    const QList<Event> events = m_state->events()->getByCalendar(m_personal);
    QCOMPARE(events.size(), 1);
    const Event &event = events.first();
    QCOMPARE(event.id.size(), 36);
    QCOMPARE(event.uid, event.id);
    QCOMPARE(QStringList({event.title, event.location, event.description, event.status, toText(event.sync_status)}),
             QStringList({"Dentist", "Main St 4", "bring card ", "confirmed", "pending"}));
    QCOMPARE(event.sequence, 0);
    QCOMPARE(event.start_time, QDateTime(QDate(2026, 6, 1), QTime(9, 0)));
    QCOMPARE(*event.end_time, QDateTime(QDate(2026, 6, 1), QTime(9, 45)));
    QCOMPARE(IcsCodec::parseEvents(event.raw_icalendar).first().location, event.location);
    QCOMPARE(m_state->preferences()->getString("ui/lastUsedEventCalendarId"), m_personal);
}

void TestEventFormDialog::inputIsCheckedBeforeAnythingIsStored_data()
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

void TestEventFormDialog::inputIsCheckedBeforeAnythingIsStored()
{
    QFETCH(QString, title);
    QFETCH(int, endOffsetSecs);
    QFETCH(bool, noCalendars);
    QFETCH(int, problem);
    if (noCalendars) {
        Calendar personal = *m_state->calendars()->getById(m_personal);
        personal.is_visible = false;
        QVERIFY(m_state->calendars()->update(personal));
    }
    EventFormDialog dialog(m_state.get());
    field<QLineEdit>(dialog, "title")->setText(title);
    const QDateTime start(QDate(2026, 6, 1), QTime(9, 0));
    field<DateTimePicker>(dialog, "start")->setDateTime(start);
    field<DateTimePicker>(dialog, "end")->setDateTime(start.addSecs(endOffsetSecs));
    const EventFormDialog::SaveOutcome outcome = dialog.save();
    QCOMPARE(int(outcome.problem), problem);
    QCOMPARE(m_state->events()->getByCalendar(m_personal).size(), outcome.saved() ? 1 : 0);
}

void TestEventFormDialog::editKeepsRemindersAttendeesAndUnknownText()
{
    Event original = storedEvent(m_personal);
    original.reminders = {Reminder(), Reminder()};
    original.reminders[0].minutes_before = 10;
    original.reminders[1].minutes_before = 90;
    original.attendees = {Attendee()};
    original.attendees[0].email = QStringLiteral("ann@example.org");
    original.attendees[0].name = QStringLiteral("Ann ");
    original.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=3");
    original.raw_icalendar = IcsCodec::buildEventIcs(original).replace(
        QStringLiteral("END:VEVENT"), QStringLiteral("X-ROOM-CODE:7F\r\nEND:VEVENT"));
    QVERIFY(m_state->events()->update(original));

    EventFormDialog dialog(m_state.get(), original);
    QCOMPARE(dialog.findChildren<QComboBox *>(QStringLiteral("reminder")).last()->currentText(),
             QStringLiteral("1 hours before"));
    // One more attendee without an address is left out on save.
    field<QPushButton>(dialog, "addAttendee")->click();
    field<QLineEdit>(dialog, "title")->setText(QStringLiteral("Planning, renamed"));
    QVERIFY(dialog.save().saved());

    // The row and the text sent to servers keep what the form shows and
    // what it does not.
    const Event saved = *m_state->events()->getById(original.id);
    const QString expected = QStringLiteral("Planning, renamed | FREQ=WEEKLY;COUNT=3 | 10,90 | ann@example.org/Ann ");
    QCOMPARE(describe(saved), expected);
    QCOMPARE(describe(IcsCodec::parseEvents(saved.raw_icalendar).value(0)), expected);
    QVERIFY(saved.raw_icalendar.contains(QStringLiteral("X-ROOM-CODE:7F")));
    QCOMPARE(saved.sequence, original.sequence + 1);
    QCOMPARE(saved.uid, original.uid);
}

void TestEventFormDialog::storedRemindersAndRepliesAreNamed_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("reminder");
    QTest::addColumn<int>("choices"); // the ten presets, and one more for an offset of its own
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("reply");
    QTest::newRow("preset day") << 1440 << "1 day before" << 10 << "accepted" << "Going";
    QTest::newRow("at the time") << 0 << "At time of event" << 10 << "declined" << "Declined";
    QTest::newRow("minutes") << 45 << "45 minutes before" << 11 << "tentative" << "Maybe";
    QTest::newRow("hours round down") << 150 << "2 hours before" << 11 << "delegated" << "Delegated";
    QTest::newRow("days") << 4320 << "3 days before" << 11 << "needs-action" << "No response";
    QTest::newRow("reply compared exactly") << 10 << "10 minutes before" << 10 << "ACCEPTED" << "No response";
}

void TestEventFormDialog::storedRemindersAndRepliesAreNamed()
{
    QFETCH(int, minutes);
    QFETCH(QString, reminder);
    QFETCH(int, choices);
    QFETCH(QString, status);
    QFETCH(QString, reply);
    Event event = storedEvent(m_personal);
    event.reminders = {Reminder()};
    event.reminders[0].minutes_before = minutes;
    event.attendees = {Attendee()};
    event.attendees[0].email = QStringLiteral("ann@example.org");
    event.attendees[0].status = status;
    QVERIFY(m_state->events()->update(event));

    EventFormDialog dialog(m_state.get(), *m_state->events()->getById(event.id));
    const QList<QComboBox *> rows = dialog.findChildren<QComboBox *>(QStringLiteral("reminder"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first()->currentText(), reminder);
    QCOMPARE(rows.first()->currentData().toInt(), minutes);
    QCOMPARE(rows.first()->count(), choices);
    QStringList labels;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        labels << label->text();
    QVERIFY2(labels.contains(reply), qPrintable(labels.join(QLatin1String(" | "))));
    // Saved unchanged, the offset stays what it was.
    QVERIFY(dialog.save().saved());
    QCOMPARE(m_state->events()->getById(event.id)->reminders.value(0).minutes_before, minutes);
}

void TestEventFormDialog::templateFillsTheForm()
{
    addCalendar(QStringLiteral("work"), true, false);
    EventTemplate preset;
    preset.title = QStringLiteral("One on one");
    preset.color = QStringLiteral("#aa3300");
    preset.calendar_id = QStringLiteral("work");
    preset.duration_minutes = 25;
    preset.recurrence_rule = QStringLiteral("FREQ=WEEKLY;BYDAY=TU");
    preset.reminders = {5, 1440};
    EventFormDialog dialog(m_state.get());
    dialog.setStartAndDuration(QDateTime(QDate(2026, 6, 2), QTime(14, 0)), 60);
    field<QPushButton>(dialog, "addReminder")->click();
    dialog.fillFromTemplate(preset);
    QVERIFY(field<QPushButton>(dialog, "useCalendarColor")->isVisibleTo(&dialog));
    QVERIFY(dialog.save().saved());
    const Event saved = m_state->events()->getByCalendar(QStringLiteral("work")).value(0);
    QCOMPARE(describe(saved), QStringLiteral("One on one | FREQ=WEEKLY;BYDAY=TU | 5,1440 | "));
    QCOMPARE(saved.color, preset.color);
    QCOMPARE(*saved.end_time, QDateTime(QDate(2026, 6, 2), QTime(14, 25)));

    // All-day with a duration leaves the end; no reminders clears them all.
    EventTemplate allDay;
    allDay.is_all_day = true;
    dialog.fillFromTemplate(allDay);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(field<QCheckBox>(dialog, "allDay")->isChecked());
    QCOMPARE(field<DateTimePicker>(dialog, "end")->date(), QDate(2026, 6, 2));
    QVERIFY(dialog.findChildren<QComboBox *>(QStringLiteral("reminder")).isEmpty());
}

void TestEventFormDialog::calendarChoiceMovesCopiesOrKeeps_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("tombstone");
    QTest::newRow("moved to another calendar") << true << false << "work" << true;
    // A subscribed calendar refuses deletions: a tombstone there would fail
    // with 403 on every sync. The event is copied into the default calendar.
    QTest::newRow("read-only calendar") << true << true << QString() << false;
    // A hidden calendar is still the event's own: no move at all.
    QTest::newRow("hidden calendar") << false << false << QString() << false;
}

void TestEventFormDialog::calendarChoiceMovesCopiesOrKeeps()
{
    QFETCH(bool, visible);
    QFETCH(bool, readOnly);
    QFETCH(QString, chosen);
    QFETCH(bool, tombstone);
    addCalendar(QStringLiteral("work"), true, false);
    const Event original = storedEvent(addCalendar(QStringLiteral("source"), visible, readOnly).id);
    EventFormDialog dialog(m_state.get(), original);
    auto *calendars = field<QComboBox>(dialog, "calendar");
    if (!chosen.isEmpty())
        calendars->setCurrentIndex(calendars->findData(chosen));
    const bool stays = !visible && !readOnly;
    QCOMPARE(calendars->currentData().toString(), stays ? QStringLiteral("source") : chosen.isEmpty() ? m_personal : chosen);
    QVERIFY(dialog.save().saved());

    const Event old = *m_state->events()->getById(original.id);
    QCOMPARE(bool(old.deleted_at), tombstone);
    QCOMPARE(old.sequence, stays ? original.sequence + 1 : original.sequence);
    const QList<Event> copies = m_state->events()->getByCalendar(chosen.isEmpty() ? m_personal : chosen);
    QCOMPARE(copies.size(), stays ? 0 : 1);
    if (stays)
        return;
    // The copy is a new item: new identity, no place on a server yet.
    QVERIFY(copies.first().uid != original.uid && copies.first().href.isEmpty());
    QCOMPARE(copies.first().sequence, 0);
    QCOMPARE(IcsCodec::parseEvents(copies.first().raw_icalendar).value(0).uid, copies.first().uid);
}

void TestEventFormDialog::failedMoveKeepsTheOriginalEvent()
{
    const Calendar work = addCalendar(QStringLiteral("work"), true, false);
    const Event original = storedEvent(m_personal);
    QSqlQuery refuse(m_state->database()->database());
    QVERIFY(refuse.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_inserts BEFORE INSERT ON events "
                                       "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    EventFormDialog dialog(m_state.get(), original);
    auto *calendars = field<QComboBox>(dialog, "calendar");
    calendars->setCurrentIndex(calendars->findData(work.id));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("EventRepository::insert failed"));
    const EventFormDialog::SaveOutcome outcome = dialog.save();
    QCOMPARE(outcome.problem, EventFormDialog::Problem::StoreFailed);
    QCOMPARE(outcome.text, QStringLiteral("Could not save the event."));
    QVERIFY(!m_state->events()->getById(original.id)->deleted_at);
}

void TestEventFormDialog::seriesMovedInTheFormSaysWhyItWasRefused_data()
{
    // A series whose rule names the day of its first occurrence, moved a
    // day later in the form: the words the user reads, none when saved.
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("the 31st, refused")
        << QDate(2026, 3, 31) << "FREQ=MONTHLY;BYMONTHDAY=31;COUNT=6"
        << "\"Planning\" was left as it was: its repeat rule cannot move every occurrence by the same days (a day "
           "such as the 31st, or the second Monday of a month). Change the rule in the event form, or move the "
           "occurrences one at a time.";
    QTest::newRow("every Wednesday, moved") << QDate(2026, 3, 4) << "FREQ=WEEKLY;BYDAY=WE;COUNT=6" << QString();
}

void TestEventFormDialog::seriesMovedInTheFormSaysWhyItWasRefused()
{
    QFETCH(QDate, first);
    QFETCH(QString, rule);
    QFETCH(QString, refusal);
    Event series = storedEvent(m_personal);
    series.start_time = QDateTime(first, QTime(10, 0));
    series.end_time = series.start_time.addSecs(3600);
    series.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    series.recurrence_rule = rule;
    series.raw_icalendar = IcsCodec::buildEventIcs(series);
    QVERIFY(m_state->events()->update(series));
    const Event original = *m_state->events()->getById(series.id);
    EventFormDialog dialog(m_state.get(), original);
    field<DateTimePicker>(dialog, "start")->setDateTime(original.start_time.addDays(1));
    field<DateTimePicker>(dialog, "end")->setDateTime(original.end_time->addDays(1));
    if (!refusal.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^applyRecurringEditScope refused"));
    const EventFormDialog::SaveOutcome outcome = dialog.save();
    QCOMPARE(outcome.text, refusal);
    QCOMPARE(outcome.saved(), refusal.isEmpty());
    if (!refusal.isEmpty())
        QCOMPARE(*m_state->events()->getById(original.id), original);
}

// The copy is in its new calendar but the old one could not be removed:
// the form counts as saved (saving again would make another copy) and says
// what was left behind.
void TestEventFormDialog::moveThatLeavesTheOldCopyIsSavedAndSaysSo()
{
    const Calendar work = addCalendar(QStringLiteral("work"), true, false);
    const Event original = storedEvent(m_personal);
    QSqlQuery refuse(m_state->database()->database());
    QVERIFY(refuse.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_updates BEFORE UPDATE ON events "
                                       "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    EventFormDialog dialog(m_state.get(), original);
    auto *calendars = field<QComboBox>(dialog, "calendar");
    calendars->setCurrentIndex(calendars->findData(work.id));
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    QVERIFY(dialog.save().saved());
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("QMessageBox \"%1\" was copied to its new calendar, but could "
                                                         "not be removed from the old one. The log has the details.")
                                              .arg(original.title)});
    QCOMPARE(m_state->events()->getByCalendar(work.id).size(), 1);
}

// A changed occurrence opened on its own stays in its series' calendar, as
// any occurrence does; a single event can still be moved.
void TestEventFormDialog::changedOccurrenceKeepsItsCalendar()
{
    addCalendar(QStringLiteral("work"), true, false);
    const Event single = storedEvent(m_personal);
    Event changed = single;
    changed.id = QStringLiteral("changed");
    changed.recurrence_id = QStringLiteral("20260504T080000Z");
    QVERIFY(m_state->events()->insert(changed));
    EventFormDialog singleForm(m_state.get(), single);
    EventFormDialog changedForm(m_state.get(), changed);
    QCOMPARE((QList<bool>{field<QComboBox>(singleForm, "calendar")->isEnabled(),
                          field<QComboBox>(changedForm, "calendar")->isEnabled()}),
             (QList<bool>{true, false}));
}

void TestEventFormDialog::allDayEventKeepsItsDatesAcrossDaylightSaving_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<int>("days");
    // Both changes of the year: the day the clocks go forward has 23 hours,
    // the day they go back 25. An end date made by adding seconds to a
    // midnight still lands on the right date across a 23-hour day, but falls
    // an hour short across a 25-hour one: the clocks-back rows catch it. The
    // trip starts the day before the change and ends on it or the day after.
    QTest::newRow("first change, ends on it") << 0 << 2;
    QTest::newRow("first change, ends after it") << 0 << 3;
    QTest::newRow("second change, ends on it") << 1 << 2;
    QTest::newRow("second change, ends after it") << 1 << 3;
}

void TestEventFormDialog::allDayEventKeepsItsDatesAcrossDaylightSaving()
{
    QFETCH(int, change);
    QFETCH(int, days);
    QTimeZone::OffsetData transition =
        QTimeZone::systemTimeZone().nextTransition(QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
    if (change == 1 && transition.atUtc.isValid())
        transition = QTimeZone::systemTimeZone().nextTransition(transition.atUtc);
    if (!transition.atUtc.isValid() || transition.atUtc.date().year() != 2026)
        QSKIP("No daylight-saving change in this zone");
    const QDate first = transition.atUtc.toLocalTime().date().addDays(-1);
    const QDate last = first.addDays(days - 1);
    EventFormDialog dialog(m_state.get());
    field<QLineEdit>(dialog, "title")->setText(QStringLiteral("Trip"));
    field<QCheckBox>(dialog, "allDay")->setChecked(true);
    field<DateTimePicker>(dialog, "start")->setDateTime(QDateTime(first, QTime(0, 0)));
    field<DateTimePicker>(dialog, "end")->setDateTime(QDateTime(last, QTime(0, 0)));
    QVERIFY(dialog.save().saved());
    const Event stored = m_state->events()->getByCalendar(m_personal).first();
    QCOMPARE(stored.start_time.date(), first);
    QCOMPARE(stored.end_time->date(), last.addDays(1));

    // Opened again, the pickers show the same days; saved unchanged, so are
    // the stored dates and the text's.
    EventFormDialog again(m_state.get(), stored);
    QCOMPARE(field<DateTimePicker>(again, "start")->date(), first);
    QCOMPARE(field<DateTimePicker>(again, "end")->date(), last);
    QVERIFY(again.save().saved());
    const Event saved = *m_state->events()->getById(stored.id);
    QCOMPARE(saved.start_time.date(), first);
    QCOMPARE(saved.end_time->date(), last.addDays(1));
    const Event text = IcsCodec::parseEvents(saved.raw_icalendar).first();
    QCOMPARE(text.start_time.date(), first);
    QCOMPARE(text.end_time->date(), last.addDays(1));
}

void TestEventFormDialog::weeklyEventRepeatsOnItsLocalWeekday()
{
    // Early on a Monday east of Greenwich, or late on one west of it, the
    // UTC date is another day: a rule stepped in UTC would move weekdays.
    const QDateTime probe(QDate(2026, 6, 1), QTime(12, 0));
    const int offset = probe.offsetFromUtc();
    if (offset == 0)
        QSKIP("The local date is UTC's");
    const QDateTime start(QDate(2026, 6, 1), offset > 0 ? QTime(0, 30) : QTime(23, 30));
    EventFormDialog dialog(m_state.get());
    field<QLineEdit>(dialog, "title")->setText(QStringLiteral("Early call"));
    dialog.setStartAndDuration(start, 30);
    EventTemplate weekly;
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO");
    dialog.fillFromTemplate(weekly);
    QVERIFY(dialog.save().saved());
    const QList<Event> stored = m_state->events()->getByCalendar(m_personal);
    QCOMPARE(stored.first().timezone, QString::fromUtf8(QTimeZone::systemTimeZoneId()));
    for (const QList<Event> &expanded : {Recurrence::expandForRange(stored, start, start.addDays(21)),
                                          Recurrence::expandForRange(IcsCodec::parseEvents(stored.first().raw_icalendar),
                                                                     start, start.addDays(21))}) {
        QCOMPARE(expanded.size(), 3);
        for (const Event &occurrence : expanded)
            QCOMPARE(occurrence.start_time.toLocalTime().date().dayOfWeek(), int(Qt::Monday));
    }
}

void TestEventFormDialog::repeatLineNamesTheDaysShown_data()
{
    // Another client's weekly Monday series stepped in UTC, opened in the
    // form as the series or as its second occurrence: 23:30Z is Tuesday
    // east of Greenwich, 09:00Z Monday nearly everywhere.
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("occurrence");
    QTest::newRow("23:30Z, the series") << "20260302T233000Z" << false;
    QTest::newRow("23:30Z, one occurrence") << "20260302T233000Z" << true;
    QTest::newRow("09:00Z, the series") << "20260302T090000Z" << false;
    QTest::newRow("09:00Z, one occurrence") << "20260302T090000Z" << true;
}

// The form's repeat line names the weekdays the occurrences are shown on
// here, as the event's card does, not those of the clock the rule steps on.
void TestEventFormDialog::repeatLineNamesTheDaysShown()
{
    QFETCH(QString, start);
    QFETCH(bool, occurrence);
    Event series = IcsCodec::parseEvents(QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
                                                        "UID:late-call\r\nDTSTART:%1\r\nDURATION:PT30M\r\n"
                                                        "RRULE:FREQ=WEEKLY;BYDAY=MO\r\nSUMMARY:Late call\r\n"
                                                        "END:VEVENT\r\nEND:VCALENDAR\r\n")
                                             .arg(start))
                       .value(0);
    series.id = QStringLiteral("late-call");
    series.calendar_id = m_personal;
    QVERIFY(m_state->events()->insert(series));
    series = *m_state->events()->getById(series.id);
    const QList<Event> shown =
        Recurrence::expandEvent(series, series.start_time, series.start_time.addDays(14));
    QCOMPARE(shown.size(), 2);
    const QDate day = shown.last().start_time.toLocalTime().date();
    const QString expected = QStringLiteral("Repeats weekly · ") + QLocale::c().dayName(day.dayOfWeek(), QLocale::ShortFormat);
    std::unique_ptr<EventFormDialog> dialog = occurrence
                                                  ? std::make_unique<EventFormDialog>(m_state.get(), series, shown.last())
                                                  : std::make_unique<EventFormDialog>(m_state.get(), series);
    QCOMPARE(field<QPushButton>(*dialog, "repeat")->text(), expected);
}

void TestEventFormDialog::floatingSeriesEditedStaysOnTheWallClock()
{
    // Another client's series with no zone at all: 09:00 wherever the
    // computer is, before and after a change of summer time.
    Event floating = IcsCodec::parseEvents(QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
                                                          "UID:floating-walk\r\nDTSTART:20260302T090000\r\n"
                                                          "DTEND:20260302T100000\r\nRRULE:FREQ=WEEKLY\r\n"
                                                          "SUMMARY:Walk\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"))
                         .value(0);
    floating.id = QStringLiteral("floating");
    floating.calendar_id = m_personal;
    QVERIFY(m_state->events()->insert(floating));

    EventFormDialog dialog(m_state.get(), *m_state->events()->getById(floating.id));
    field<QLineEdit>(dialog, "title")->setText(QStringLiteral("Walk, renamed"));
    QVERIFY(dialog.save().saved());

    const Event saved = *m_state->events()->getById(floating.id);
    QCOMPARE(saved.timezone, QString());
    QVERIFY(saved.raw_icalendar.contains(QStringLiteral("DTSTART:20260302T090000\r\n")));
    const QDateTime from(QDate(2026, 3, 1), QTime(0, 0));
    for (const QList<Event> &expanded : {Recurrence::expandForRange({saved}, from, from.addDays(70)),
                                          Recurrence::expandForRange(IcsCodec::parseEvents(saved.raw_icalendar),
                                                                     from, from.addDays(70))}) {
        QCOMPARE(expanded.size(), 10);
        for (const Event &occurrence : expanded)
            QCOMPARE(occurrence.start_time.toLocalTime().time(), QTime(9, 0));
    }
}

// A floating series pulled on a computer in New York, opened on this one:
// the form shows it at 09:00 and a rename writes it at 09:00 for everyone.
void TestEventFormDialog::floatingSeriesPulledInAnotherZoneIsWrittenAtItsTime()
{
    const QString path = m_state->database()->path();
    m_state.reset();
    {
        Database pulled;
        QVERIFY(pulled.open(path, QStringLiteral("new-york")));
        EventRepository events(&pulled);
        Event walk = IcsCodec::parseEvents(QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
                                                          "UID:walk\r\nDTSTART:20260302T090000\r\n"
                                                          "DTEND:20260302T100000\r\nRRULE:FREQ=WEEKLY\r\n"
                                                          "SUMMARY:Walk\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"))
                         .value(0);
        const QTimeZone newYork("America/New_York");
        walk.start_time = QDateTime(QDate(2026, 3, 2), QTime(9, 0), newYork);
        walk.end_time = QDateTime(QDate(2026, 3, 2), QTime(10, 0), newYork);
        walk.id = QStringLiteral("walk");
        walk.calendar_id = m_personal;
        QVERIFY(events.insert(walk));
        QSqlQuery zone(pulled.database());
        QVERIFY(zone.exec(QStringLiteral("UPDATE settings SET value = 'America/New_York' "
                                         "WHERE key = 'time/floatingZone'")));
    }
    m_state = std::make_unique<AppState>();
    QVERIFY(m_state->initialize());

    EventFormDialog dialog(m_state.get(), *m_state->events()->getById(QStringLiteral("walk")));
    QCOMPARE(field<DateTimePicker>(dialog, "start")->dateTime(), QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    field<QLineEdit>(dialog, "title")->setText(QStringLiteral("Walk, renamed"));
    QVERIFY(dialog.save().saved());
    const Event saved = *m_state->events()->getById(QStringLiteral("walk"));
    QVERIFY2(saved.raw_icalendar.contains(QStringLiteral("DTSTART:20260302T090000\r\n")),
             qPrintable(saved.raw_icalendar));
    QCOMPARE(saved.start_time.toLocalTime(), QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
}

void TestEventFormDialog::prefilledEventWithoutIdIsStoredAsNew()
{
    Event fromTask;
    fromTask.title = QStringLiteral("Write report");
    fromTask.calendar_id = m_personal;
    fromTask.start_time = QDateTime(QDate(2026, 8, 1), QTime(14, 0));
    fromTask.end_time = QDateTime(QDate(2026, 8, 1), QTime(15, 0));
    fromTask.status = QStringLiteral("tentative");
    EventFormDialog dialog(m_state.get(), fromTask);
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("fromTemplate")), nullptr);
    QVERIFY(dialog.save().saved());
    const QList<Event> events = m_state->events()->getByCalendar(m_personal);
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.first().uid, events.first().id);
    QCOMPARE(events.first().status, QStringLiteral("confirmed"));
    QCOMPARE(events.first().start_time, fromTask.start_time);
}

void TestEventFormDialog::renamedSeriesKeepsItsDays_data()
{
    // Another client's weekly series from Monday 2 March, 16 March and
    // 6 April skipped and 13 April changed, each named as that client
    // names them: its start, and the value form of its other times.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("form");
    QTest::newRow("UTC 08:00") << "DTSTART:20260302T080000Z" << ":%1T080000Z";
    QTest::newRow("UTC 23:30") << "DTSTART:20260302T233000Z" << ":%1T233000Z";
    QTest::newRow("floating 09:00") << "DTSTART:20260302T090000" << ":%1T090000";
    QTest::newRow("Berlin 09:00") << "DTSTART;TZID=Europe/Berlin:20260302T090000"
                                  << ";TZID=Europe/Berlin:%1T090000";
    QTest::newRow("all-day") << "DTSTART;VALUE=DATE:20260302" << ";VALUE=DATE:%1";
}

// Opened whole and renamed, the series keeps every day: a save that
// changes no time changes no day, no skipped day and no rule.
void TestEventFormDialog::renamedSeriesKeepsItsDays()
{
    QFETCH(QString, start);
    QFETCH(QString, form);
    const QString text = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n"
                                        "BEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:Walk\r\n%1\r\n"
                                        "RRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=10\r\nEXDATE%2\r\nEXDATE%3\r\n"
                                        "END:VEVENT\r\nBEGIN:VEVENT\r\nUID:walk@example.test\r\nSUMMARY:Changed\r\n"
                                        "RECURRENCE-ID%4\r\nDTSTART%5\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                             .arg(start, form.arg("20260316"), form.arg("20260406"), form.arg("20260413"),
                                  form.arg("20260414"));
    QList<Event> rows = IcsCodec::parseEvents(text);
    QCOMPARE(rows.size(), 2);
    for (Event &row : rows) {
        row.id = row.recurrence_id.isEmpty() ? QStringLiteral("walk") : QStringLiteral("changed");
        row.calendar_id = m_personal;
        row.href = QStringLiteral("/cal/walk.ics");
        row.sync_status = SyncStatus::Synced;
        QVERIFY(m_state->events()->insert(row));
    }
    const Event before = *m_state->events()->getById(QStringLiteral("walk"));
    const auto shown = [this] {
        QStringList days;
        const QDateTime from(QDate(2026, 3, 1), QTime(0, 0));
        for (const Event &event :
             Recurrence::expandForRange(m_state->events()->getByCalendar(m_personal), from, from.addDays(80)))
            days.append(event.start_time.toLocalTime().toString(QStringLiteral("MM-dd ddd ")) + event.title);
        days.sort();
        return days;
    };
    QStringList expected = shown();
    QCOMPARE(expected.size(), 8);
    expected.replaceInStrings(QStringLiteral(" Walk"), QStringLiteral(" Walk renamed"));
    expected.sort();

    EventFormDialog dialog(m_state.get(), before);
    field<QLineEdit>(dialog, "title")->setText(QStringLiteral("Walk renamed"));
    QVERIFY(dialog.save().saved());
    const Event saved = *m_state->events()->getById(before.id);
    QCOMPARE(saved.recurrence_rule, before.recurrence_rule);
    QCOMPARE(saved.exception_dates, before.exception_dates);
    QCOMPARE(m_state->events()->getById(QStringLiteral("changed"))->recurrence_id, rows.last().recurrence_id);
    QCOMPARE(shown(), expected);
}

QTEST_MAIN(TestEventFormDialog)
#include "tst_eventformdialog.moc"
