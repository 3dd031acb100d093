#include "app/appstate.h"
#include "app/upcomingevents.h"
#include "calendar/eventorder.h"
#include "calendar/icscodec.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/viewrepository.h"
#include "tests/support/tempdatadir.h"

#include <QTest>
#include <QTimeZone>

#include <memory>

class TestUpcomingEvents : public QObject
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

    void keepsWhatIsNotOverInTodayAndTomorrow_data()
    {
        const QDateTime now = QDateTime::currentDateTime();
        const QDate today = QDate::currentDate();
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<bool>("kept");
        QTest::newRow("ended a minute ago") << now.addSecs(-3600) << now.addSecs(-60) << false << false;
        QTest::newRow("running, ends in ten minutes") << now.addSecs(-3600) << now.addSecs(600) << false << true;
        QTest::newRow("tomorrow evening") << QDateTime(today.addDays(1), QTime(20, 0))
                                          << QDateTime(today.addDays(1), QTime(21, 0)) << false << true;
        QTest::newRow("day after tomorrow at midnight") << QDateTime(today.addDays(2), QTime(0, 0))
                                                        << QDateTime(today.addDays(2), QTime(1, 0)) << false << false;
        QTest::newRow("all day today") << QDateTime(today, QTime(0, 0)) << QDateTime(today.addDays(1), QTime(0, 0))
                                       << true << true;
        QTest::newRow("all day tomorrow") << QDateTime(today.addDays(1), QTime(0, 0))
                                          << QDateTime(today.addDays(2), QTime(0, 0)) << true << true;
        QTest::newRow("three all days from yesterday") << QDateTime(today.addDays(-1), QTime(0, 0))
                                                       << QDateTime(today.addDays(2), QTime(0, 0)) << true << false;
    }

    void keepsWhatIsNotOverInTodayAndTomorrow()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(bool, allDay);
        QFETCH(bool, kept);
        QVERIFY(!addEvent(QStringLiteral("probe"), start, end, allDay).isEmpty());
        QCOMPARE(upcomingTitles().contains(QStringLiteral("probe")), kept);
    }

    void runningEventFromYesterdayBelongsToToday()
    {
        const QDate today = QDate::currentDate();
        const QDateTime start(today.addDays(-1), QTime(22, 0));
        const QDateTime end = QDateTime::currentDateTime().addSecs(3600);
        QVERIFY(!addEvent(QStringLiteral("overnight shift"), start, end).isEmpty());
        const QList<Event> upcoming = UpcomingEvents::load(m_state.get());
        QCOMPARE(upcoming.size(), 1);
        QVERIFY(UpcomingEvents::belongsToToday(upcoming.first(), today));

        Event tomorrow;
        tomorrow.start_time = QDateTime(today.addDays(1), QTime(0, 0));
        QVERIFY(!UpcomingEvents::belongsToToday(tomorrow, today));
        Event laterToday;
        laterToday.start_time = QDateTime(today, QTime(23, 59));
        QVERIFY(UpcomingEvents::belongsToToday(laterToday, today));
    }

    void recurringSeriesShowsTodaysOccurrence()
    {
        const QDate today = QDate::currentDate();
        const QDate lastYear = today.addYears(-1);
        QVERIFY(!addEvent(QStringLiteral("daily review"), QDateTime(lastYear, QTime(23, 0)),
                          QDateTime(lastYear, QTime(23, 30)), false, QString(), QStringLiteral("FREQ=DAILY"))
                     .isEmpty());
        const QList<Event> upcoming = UpcomingEvents::load(m_state.get());
        QVERIFY(!upcoming.isEmpty());
        for (const Event &occurrence : upcoming) {
            QCOMPARE(occurrence.title, QStringLiteral("daily review"));
            QVERIFY(occurrence.start_time.toLocalTime().date() >= today);
            QVERIFY(occurrence.end_time.value_or(occurrence.start_time) > QDateTime::currentDateTime());
        }
        // Tomorrow's occurrence is always in the window.
        QVERIFY(std::any_of(upcoming.cbegin(), upcoming.cend(),
                            [&](const Event &e) { return e.start_time.toLocalTime().date() == today.addDays(1); }));
    }

    void filterRulesHideButDimmedStay()
    {
        const QDate tomorrow = QDate::currentDate().addDays(1);
        addEvent(QStringLiteral("Standup"), QDateTime(tomorrow, QTime(9, 0)), QDateTime(tomorrow, QTime(9, 15)));
        addEvent(QStringLiteral("Lunch"), QDateTime(tomorrow, QTime(12, 0)), QDateTime(tomorrow, QTime(13, 0)));
        addEvent(QStringLiteral("Focus time"), QDateTime(tomorrow, QTime(14, 0)), QDateTime(tomorrow, QTime(16, 0)));

        FilterRule hide;
        hide.id = QStringLiteral("hide-standup");
        hide.name = QStringLiteral("No standups");
        hide.type = QStringLiteral("pattern");
        hide.action = QStringLiteral("hide");
        hide.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["standup"]})");
        QVERIFY(m_state->filterRules()->insert(hide));
        FilterRule dim = hide;
        dim.id = QStringLiteral("dim-focus");
        dim.action = QStringLiteral("dim");
        dim.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["focus"]})");
        QVERIFY(m_state->filterRules()->insert(dim));

        QCOMPARE(upcomingTitles(), (QStringList{"Lunch", "Focus time"}));
    }

    void listIsInStartOrderAndNextIsTheFirst()
    {
        QVERIFY(!UpcomingEvents::next(m_state.get()));
        const QDate tomorrow = QDate::currentDate().addDays(1);
        addEvent(QStringLiteral("third"), QDateTime(tomorrow, QTime(18, 0)), QDateTime(tomorrow, QTime(19, 0)));
        addEvent(QStringLiteral("first"), QDateTime(tomorrow, QTime(8, 0)), QDateTime(tomorrow, QTime(9, 0)));
        addEvent(QStringLiteral("second"), QDateTime(tomorrow, QTime(12, 0)), QDateTime(tomorrow, QTime(13, 0)));
        QCOMPARE(upcomingTitles(), (QStringList{"first", "second", "third"}));
        QCOMPARE(UpcomingEvents::next(m_state.get())->title, QStringLiteral("first"));
    }

    void calendarSetFollowsTheActiveGroup()
    {
        Calendar other;
        other.id = QStringLiteral("side");
        other.account_id = QString::fromLatin1(AppState::LocalAccountId);
        other.url = QStringLiteral("local://calendar/side");
        other.name = QStringLiteral("Side");
        QVERIFY(m_state->calendars()->insert(other));
        Calendar hidden = other;
        hidden.id = QStringLiteral("hidden");
        hidden.url = QStringLiteral("local://calendar/hidden");
        hidden.name = QStringLiteral("Hidden");
        hidden.is_visible = false;
        QVERIFY(m_state->calendars()->insert(hidden));

        // The seeded "all calendars" group lists none: every visible calendar.
        QCOMPARE(UpcomingEvents::calendarSet(m_state.get()),
                 (QStringList{QString::fromLatin1(AppState::LocalCalendarId), "side"}));

        CalendarView group;
        group.id = QStringLiteral("only-side");
        group.name = QStringLiteral("Side only");
        group.calendar_ids = QStringLiteral(R"(["side","hidden"])");
        QVERIFY(m_state->views()->insert(group));
        m_state->setActiveViewId(group.id);
        QCOMPARE(UpcomingEvents::calendarSet(m_state.get()), (QStringList{"side", "hidden"}));

        const QDate tomorrow = QDate::currentDate().addDays(1);
        addEvent(QStringLiteral("in personal"), QDateTime(tomorrow, QTime(9, 0)), QDateTime(tomorrow, QTime(10, 0)));
        addEvent(QStringLiteral("in side"), QDateTime(tomorrow, QTime(9, 0)), QDateTime(tomorrow, QTime(10, 0)), false,
                 QStringLiteral("side"));
        QCOMPARE(upcomingTitles(), QStringList{"in side"});

        m_state->setActiveViewId(QStringLiteral("no-such-group"));
        QCOMPARE(UpcomingEvents::calendarSet(m_state.get()).size(), 2);

        Calendar personal = *m_state->calendars()->getById(AppState::LocalCalendarId);
        personal.is_visible = false;
        QVERIFY(m_state->calendars()->update(personal));
        Calendar side = *m_state->calendars()->getById(QStringLiteral("side"));
        side.is_visible = false;
        QVERIFY(m_state->calendars()->update(side));
        QVERIFY(UpcomingEvents::calendarSet(m_state.get()).isEmpty());
        QVERIFY(UpcomingEvents::load(m_state.get()).isEmpty());
    }

    void eventOrderComparesInstantsAcrossZones()
    {
        Event tokyo;
        tokyo.title = QStringLiteral("tokyo");
        tokyo.start_time = QDateTime(QDate(2026, 3, 2), QTime(8, 0), QTimeZone("Asia/Tokyo")); // 23:00 UTC the day before
        Event utc;
        utc.title = QStringLiteral("utc");
        utc.start_time = QDateTime(QDate(2026, 3, 1), QTime(23, 30), Qt::UTC);
        QList<Event> events{utc, tokyo};
        EventOrder::sort(events);
        QCOMPARE(events.first().title, QStringLiteral("tokyo"));
        QVERIFY(EventOrder::startsBefore(tokyo, utc));
        QVERIFY(!EventOrder::startsBefore(utc, tokyo));
        QVERIFY(!EventOrder::startsBefore(utc, utc));
    }

private:
    QString addEvent(const QString &title, const QDateTime &start, const QDateTime &end, bool allDay = false,
                     const QString &calendarId = QString(), const QString &rule = QString())
    {
        Event event;
        event.id = QStringLiteral("ev-%1").arg(++m_next);
        event.uid = event.id;
        event.calendar_id = calendarId.isEmpty() ? QString::fromLatin1(AppState::LocalCalendarId) : calendarId;
        event.title = title;
        event.start_time = start;
        event.end_time = end;
        event.is_all_day = allDay;
        event.recurrence_rule = rule;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        if (!m_state->events()->insert(event))
            return QString();
        return event.id;
    }

    QStringList upcomingTitles()
    {
        QStringList titles;
        for (const Event &event : UpcomingEvents::load(m_state.get()))
            titles << event.title;
        return titles;
    }

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
    int m_next = 0;
};

QTEST_MAIN(TestUpcomingEvents)
#include "tst_upcomingevents.moc"
