#include "calendar/movedseriesplaces.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QTimeZone>

#include "calendar/recurrence.h"
#include "calendar/serieschange.h"

namespace {

// The series the rows start from, as the server had it (the sync base):
// a standup Mondays at 09:00 in Berlin from 2 March 2026, six of them; one
// every hour from then in UTC; one every day from 3 January 2000 at 09:00
// UTC, twelve thousand of them, or in Berlin without an end.
struct Kind
{
    QString rule;
    QTimeZone zone;
    QDateTime first;
    int stepDays = 0;
    int stepHours = 0;
    bool allDay = false;
};

Kind kindNamed(const QString &name)
{
    const QTimeZone berlin("Europe/Berlin");
    const QTimeZone utc = QTimeZone::utc();
    if (name == QLatin1String("weekly, all-day"))
        return {QStringLiteral("FREQ=WEEKLY;COUNT=6"), QTimeZone(), QDateTime(QDate(2026, 3, 2), QTime(0, 0)), 7, 0,
                true};
    // The server may name what the rule here takes from its start, as
    // Outlook names a weekly rule's weekday (the rows say so).
    if (name == QLatin1String("weekly") || name == QLatin1String("weekly, its weekday named there"))
        return {QStringLiteral("FREQ=WEEKLY;COUNT=6"), berlin, QDateTime(QDate(2026, 3, 2), QTime(9, 0), berlin), 7, 0};
    if (name == QLatin1String("hourly"))
        return {QStringLiteral("FREQ=HOURLY"), utc, QDateTime(QDate(2026, 3, 2), QTime(9, 0), utc), 0, 1};
    if (name == QLatin1String("daily, counted"))
        return {QStringLiteral("FREQ=DAILY;COUNT=12000"), utc, QDateTime(QDate(2000, 1, 3), QTime(9, 0), utc), 1, 0};
    return {QStringLiteral("FREQ=DAILY"), berlin, QDateTime(QDate(2000, 1, 3), QTime(9, 0), berlin), 1, 0};
}

// The start of occurrence `n` (from 0), on the series' own clock: plain
// arithmetic, no rule read.
QDateTime occurrence(const Kind &kind, int n)
{
    if (kind.stepHours)
        return kind.first.addSecs(qint64(n) * kind.stepHours * 3600);
    if (kind.allDay)
        return QDateTime(kind.first.date().addDays(qint64(n) * kind.stepDays), QTime(0, 0));
    return QDateTime(kind.first.date().addDays(qint64(n) * kind.stepDays), kind.first.time(), kind.zone);
}

// A start moved on the series' wall clock.
QDateTime movedOnClock(const QDateTime &start, int days, int minutes)
{
    return QDateTime(start.date().addDays(days), start.time(), start.timeZone()).addSecs(qint64(minutes) * 60);
}

Event seriesOf(const Kind &kind, const QString &id = QStringLiteral("standup"))
{
    Event series;
    series.id = series.uid = id;
    series.calendar_id = QStringLiteral("cal");
    series.title = QStringLiteral("Standup");
    series.start_time = kind.first;
    series.end_time = kind.allDay ? kind.first.addDays(1) : kind.first.addSecs(1800);
    series.is_all_day = kind.allDay;
    series.timezone = kind.allDay ? QString() : QString::fromLatin1(kind.zone.id());
    series.recurrence_rule = kind.rule;
    return series;
}

// `series` split here "This and following" at `at`, the new series (named
// `id`) starting `minutes` later, titled `title` where given: the series
// ended, and the new one.
std::pair<Event, Event> splitAt(const Event &series, const QDateTime &at, int minutes, const QString &id,
                                const QString &title = QString())
{
    Event fields = series;
    if (!title.isEmpty())
        fields.title = title;
    const QDateTime start = series.is_all_day ? at.addDays(minutes / 1440) : at.addSecs(qint64(minutes) * 60);
    const QDateTime end = series.is_all_day ? start.addDays(1) : start.addSecs(1800);
    const SeriesChange change = SeriesChange::thisAndFollowing(series, fields, at, start, end, {});
    if (change.isRefused() || !change.rows().newSeries)
        qFatal("the split was refused");
    Event started = *change.rows().newSeries;
    started.id = started.uid = id;
    return {change.rows().master, started};
}

// `series` moved in time here ("All events") by whole days and minutes.
Event movedBy(const Event &series, int days, int minutes)
{
    Event moved = series;
    moved.start_time = movedOnClock(series.start_time, days, minutes);
    moved.end_time = moved.start_time.addSecs(1800);
    const SeriesShift shift = SeriesShift::between(series, moved);
    moved.recurrence_rule = shift.movedRule(series.recurrence_rule).value_or(series.recurrence_rule);
    return moved;
}

// A place as these rows name one: the series' id and the recurrence id.
QString named(const std::optional<MovedSeriesPlaces::Place> &place)
{
    return place ? place->series->id + QLatin1Char(' ') + place->recurrenceId : QStringLiteral("where it is named");
}

QString dayList(const QStringList &days)
{
    QJsonArray list;
    for (const QString &day : days)
        list.append(day);
    return days.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
}

} // namespace

class TestMovedSeriesPlaces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Another device changed occurrence `changed` of the series (named by
    // its start there) before this device's pull; here the series was
    // moved in time, or split at occurrence `split` into a new series
    // starting `splitMinutes` later (the split recorded, or not: the
    // previous version kept no record), or the other device moved the
    // series two hours itself. The change lands in the series itself or
    // the new series, at the occurrence moved as this device moved it, or
    // stays where the server names it. An hourly series split fourteen
    // months on, and a daily one 27 years on, both past the ten thousandth
    // occurrence an expansion gives.
    void changeElsewhereLandsWhereItsOccurrenceStandsNow_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("hereDays"); // "All events" here
        QTest::addColumn<int>("hereMinutes");
        QTest::addColumn<int>("split"); // -1: none
        QTest::addColumn<int>("splitMinutes");
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<int>("thereMinutes"); // the other device's move
        QTest::addColumn<int>("changed");
        QTest::addColumn<QString>("lands"); // "standup", "new" or "" (where it is named)
        QTest::addColumn<int>("landsMinutes"); // from the occurrence's old start
        QTest::addColumn<int>("landsDays");
        QTest::newRow("weekly, nothing here") << "weekly" << 0 << 0 << -1 << 0 << true << 0 << 3 << "" << 0 << 0;
        QTest::newRow("weekly, two hours here") << "weekly" << 0 << 120 << -1 << 0 << true << 0 << 3 << "standup"
                                                << 120 << 0;
        QTest::newRow("weekly, a day here") << "weekly" << 1 << 0 << -1 << 0 << true << 0 << 1 << "standup" << 0
                                            << 1;
        QTest::newRow("weekly, split, before it") << "weekly" << 0 << 0 << 3 << 60 << true << 0 << 2 << "" << 0
                                                  << 0;
        QTest::newRow("weekly, split, its first day") << "weekly" << 0 << 0 << 3 << 60 << true << 0 << 3 << "new"
                                                      << 60 << 0;
        QTest::newRow("weekly, split, after it") << "weekly" << 0 << 0 << 3 << 60 << true << 0 << 5 << "new" << 60
                                                 << 0;
        QTest::newRow("weekly, its weekday named there, split, after it")
            << "weekly, its weekday named there" << 0 << 0 << 3 << 60 << true << 0 << 5 << "new" << 60 << 0;
        QTest::newRow("weekly, split unrecorded") << "weekly" << 0 << 0 << 3 << 60 << false << 0 << 5 << "" << 0
                                                  << 0;
        QTest::newRow("weekly, moved there, before the split")
            << "weekly" << 0 << 0 << 3 << 0 << true << 120 << 1 << "" << 0 << 0;
        QTest::newRow("weekly, moved there, after the split")
            << "weekly" << 0 << 0 << 3 << 0 << true << 120 << 4 << "new" << 0 << 0;
        QTest::newRow("weekly, moved there and here") << "weekly" << 0 << 60 << -1 << 0 << true << 120 << 2
                                                      << "standup" << 60 << 0;
        for (const char *kind : {"hourly", "daily, counted", "daily"}) {
            for (int changed : {9998, 10000, 10002})
                QTest::addRow("%s, split at 9,990, occurrence %d", kind, changed + 1)
                    << QString::fromLatin1(kind) << 0 << 0 << 9990 << 30 << true << 0 << changed << "new" << 30 << 0;
        }
        QTest::newRow("hourly, occurrence 10,002 before the split at 10,005")
            << "hourly" << 0 << 0 << 10005 << 30 << true << 0 << 10001 << "" << 0 << 0;
    }

    void changeElsewhereLandsWhereItsOccurrenceStandsNow()
    {
        QFETCH(QString, kind);
        QFETCH(int, hereDays);
        QFETCH(int, hereMinutes);
        QFETCH(int, split);
        QFETCH(int, splitMinutes);
        QFETCH(bool, recorded);
        QFETCH(int, thereMinutes);
        QFETCH(int, changed);
        QFETCH(QString, lands);
        QFETCH(int, landsMinutes);
        QFETCH(int, landsDays);
        const Kind steps = kindNamed(kind);
        Event base = seriesOf(steps);
        Event local = movedBy(base, hereDays, hereMinutes);
        QList<Event> splits;
        if (split >= 0) {
            const auto [ended, started] = splitAt(base, occurrence(steps, split), splitMinutes, QStringLiteral("new"));
            local = ended;
            if (recorded)
                splits.append(started);
        }
        if (kind.endsWith(QLatin1String("named there")))
            base.recurrence_rule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO;COUNT=6");
        std::optional<Event> server;
        QDateTime there = occurrence(steps, changed);
        if (thereMinutes != 0) {
            server = movedBy(base, 0, thereMinutes);
            there = there.addSecs(qint64(thereMinutes) * 60);
        }
        const MovedSeriesPlaces places(base, local, splits, server);

        const QDateTime landing = movedOnClock(occurrence(steps, changed), landsDays, landsMinutes);
        const Event *into = lands == QLatin1String("new") ? &splits.first() : &local;
        QCOMPARE(named(places.whereNow(Recurrence::recurrenceIdOf(base, there))),
                 lands.isEmpty() ? QStringLiteral("where it is named")
                                 : into->id + QLatin1Char(' ') + Recurrence::recurrenceIdOf(*into, landing));
    }

    // The series split here at occurrence `split` into a new series an hour
    // later; meanwhile another device skipped occurrence `skipped` (or,
    // where it is given back, the base skipped it and the other device
    // gave it back), maybe after moving the series two hours itself. The
    // day is skipped (or given back) in the series that holds that
    // occurrence now, where it stands there; the other series keeps its
    // days. Past the ten thousandth occurrence as before it.
    void dayChangedElsewhereLandsInTheSeriesHoldingIt_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("split");
        QTest::addColumn<int>("thereMinutes");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<bool>("givenBack");
        QTest::addColumn<QString>("lands"); // the series whose days change
        QTest::newRow("weekly, before the split") << "weekly" << 3 << 0 << 1 << false << "standup";
        QTest::newRow("weekly, after the split") << "weekly" << 3 << 0 << 4 << false << "new";
        QTest::newRow("weekly, given back after the split") << "weekly" << 3 << 0 << 4 << true << "new";
        QTest::newRow("weekly, moved there, after the split") << "weekly" << 3 << 120 << 4 << false << "new";
        QTest::newRow("weekly, all-day, before the split") << "weekly, all-day" << 3 << 0 << 1 << false << "standup";
        QTest::newRow("weekly, all-day, after the split") << "weekly, all-day" << 3 << 0 << 4 << false << "new";
        QTest::newRow("weekly, all-day, the split day") << "weekly, all-day" << 3 << 0 << 3 << false << "new";
        for (const char *kind : {"hourly", "daily, counted", "daily"}) {
            for (int skipped : {9998, 10000, 10002})
                QTest::addRow("%s, split at 9,990, occurrence %d", kind, skipped + 1)
                    << QString::fromLatin1(kind) << 9990 << 0 << skipped << false << "new";
        }
    }

    void dayChangedElsewhereLandsInTheSeriesHoldingIt()
    {
        QFETCH(QString, kind);
        QFETCH(int, split);
        QFETCH(int, thereMinutes);
        QFETCH(int, skipped);
        QFETCH(bool, givenBack);
        QFETCH(QString, lands);
        const Kind steps = kindNamed(kind);
        Event base = seriesOf(steps);
        const QDateTime day = occurrence(steps, skipped);
        if (givenBack)
            base.exception_dates = dayList({Recurrence::recurrenceIdOf(base, day)});
        // An hour later; an all-day series a day later.
        const int later = steps.allDay ? 1440 : 60;
        const auto [ended, started] = splitAt(base, occurrence(steps, split), later, QStringLiteral("new"));
        std::optional<Event> server;
        if (thereMinutes != 0)
            server = movedBy(base, 0, thereMinutes);
        const MovedSeriesPlaces places(base, ended, {started}, server);
        // The other device's days, each where its copy starts the
        // occurrence: an all-day one by its date.
        const QDateTime there = day.addSecs(qint64(thereMinutes) * 60);
        const auto dayText = [&](const Event &series, const QDateTime &at) {
            return series.is_all_day ? at.date().toString(QStringLiteral("yyyyMMdd"))
                                     : Recurrence::recurrenceIdOf(series, at);
        };
        const QString serverDays = givenBack ? QString() : dayList({dayText(base, there)});

        const QHash<QString, QString> days = places.skippedDaysWith(
            serverDays, {{ended.id, ended.exception_dates}, {started.id, started.exception_dates}});
        const Event &holder = lands == QLatin1String("new") ? started : ended;
        const QDateTime standsAt = lands == QLatin1String("new") ? day.addSecs(qint64(later) * 60) : there;
        const QString expected = givenBack ? QString() : dayList({dayText(holder, standsAt)});
        QCOMPARE(days.value(holder.id), expected);
        QVERIFY2(days.contains(holder.id), "the series holding the day is not among those whose days change");
        // The other series' days stay, but for the series itself taking the
        // other device's times.
        const Event &other = lands == QLatin1String("new") ? ended : started;
        QCOMPARE(days.value(other.id, other.exception_dates), other.exception_dates);
    }

    // The other device moved the series in time (two hours, or a day where
    // its rule names the weekday) while this device split it: the end the
    // split gave the series moves alike, so the occurrences before the
    // split stay its own. No move there, a rule changed there otherwise, or
    // no split here: the rule as merged.
    void splitEndMovesWithAMoveElsewhere_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("thereDays");
        QTest::addColumn<int>("thereMinutes");
        QTest::addColumn<QString>("thereRule"); // empty: as the move names it
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<QString>("expected"); // empty: none
        const QString weekly("FREQ=WEEKLY;COUNT=6");
        const QString byDay("FREQ=WEEKLY;BYDAY=MO;COUNT=6");
        QTest::newRow("two hours") << weekly << 0 << 120 << "" << true << "FREQ=WEEKLY;UNTIL=20260323T095959Z";
        QTest::newRow("a day, by weekday") << byDay << 1 << 0 << "" << true
                                           << "FREQ=WEEKLY;BYDAY=TU;UNTIL=20260324T075959Z";
        QTest::newRow("nothing moved there") << weekly << 0 << 0 << "" << true << "";
        QTest::newRow("its rule changed there") << weekly << 0 << 120 << "FREQ=WEEKLY;INTERVAL=2;COUNT=3" << true
                                                << "";
        QTest::newRow("no split recorded") << weekly << 0 << 120 << "" << false << "";
    }

    void splitEndMovesWithAMoveElsewhere()
    {
        QFETCH(QString, rule);
        QFETCH(int, thereDays);
        QFETCH(int, thereMinutes);
        QFETCH(QString, thereRule);
        QFETCH(bool, recorded);
        QFETCH(QString, expected);
        Kind steps = kindNamed(QStringLiteral("weekly"));
        steps.rule = rule;
        const Event base = seriesOf(steps);
        const auto [ended, started] = splitAt(base, occurrence(steps, 3), 60, QStringLiteral("new"));
        Event server = movedBy(base, thereDays, thereMinutes);
        if (!thereRule.isEmpty())
            server.recurrence_rule = thereRule;
        const MovedSeriesPlaces places(base, ended, recorded ? QList<Event>{started} : QList<Event>(), server);
        QCOMPARE(places.splitRuleMoved().value_or(QString()), expected);
    }

    // What the other device changed on the series itself reaches the new
    // series a split made here, where the split kept what the series had:
    // a new title, a place, a move in time (the new series moves alike,
    // at the length the other device gave it). What the split changed
    // stays this device's.
    void seriesChangeElsewhereReachesTheNewSeries_data()
    {
        QTest::addColumn<QString>("splitTitle"); // empty: kept
        QTest::addColumn<int>("splitMinutes");
        QTest::addColumn<QString>("thereTitle");
        QTest::addColumn<QString>("thereLocation");
        QTest::addColumn<int>("thereMinutes");
        QTest::addColumn<int>("thereLength"); // minutes; 30 as it was
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("location");
        QTest::addColumn<int>("minutes"); // the new series' start from the split occurrence
        QTest::addColumn<int>("length");
        QTest::newRow("renamed there") << "" << 60 << "Standup, new room" << "" << 0 << 30 << "Standup, new room"
                                       << "" << 60 << 30;
        QTest::newRow("renamed there and here") << "Gym" << 0 << "Standup, new room" << "" << 0 << 30 << "Gym" << ""
                                                << 0 << 30;
        QTest::newRow("placed there") << "Gym" << 0 << "" << "Room 4" << 0 << 30 << "Gym" << "Room 4" << 0 << 30;
        QTest::newRow("moved there") << "Gym" << 0 << "" << "" << 120 << 30 << "Gym" << "" << 120 << 30;
        QTest::newRow("moved and made longer there") << "Gym" << 0 << "" << "" << 120 << 45 << "Gym" << "" << 120
                                                     << 45;
        QTest::newRow("made longer there") << "Gym" << 0 << "" << "" << 0 << 45 << "Gym" << "" << 0 << 45;
        QTest::newRow("moved there, moved here too") << "" << 60 << "" << "" << 120 << 30 << "Standup" << "" << 60
                                                     << 30;
    }

    void seriesChangeElsewhereReachesTheNewSeries()
    {
        QFETCH(QString, splitTitle);
        QFETCH(int, splitMinutes);
        QFETCH(QString, thereTitle);
        QFETCH(QString, thereLocation);
        QFETCH(int, thereMinutes);
        QFETCH(int, thereLength);
        QFETCH(QString, title);
        QFETCH(QString, location);
        QFETCH(int, minutes);
        QFETCH(int, length);
        const Kind steps = kindNamed(QStringLiteral("weekly"));
        const Event base = seriesOf(steps);
        const QDateTime split = occurrence(steps, 3);
        const auto [ended, started] = splitAt(base, split, splitMinutes, QStringLiteral("new"), splitTitle);
        Event server = movedBy(base, 0, thereMinutes);
        server.end_time = server.start_time.addSecs(qint64(thereLength) * 60);
        if (!thereTitle.isEmpty())
            server.title = thereTitle;
        if (!thereLocation.isEmpty())
            server.location = thereLocation;
        const MovedSeriesPlaces places(base, ended, {started}, server);

        const Event continued = places.continuedWith(started);
        const QDateTime start = split.addSecs(qint64(minutes) * 60);
        QCOMPARE(continued.title, title);
        QCOMPARE(continued.location, location);
        QCOMPARE(continued.start_time, start);
        QCOMPARE(continued.end_time.value_or(QDateTime()), start.addSecs(qint64(length) * 60));
        // Its rule and days are its own: a move reaches them with the
        // series' own change (SeriesChange), not here.
        QCOMPARE(continued.recurrence_rule, started.recurrence_rule);
        QCOMPARE(MovedSeriesPlaces(base, ended, {started}).continuedWith(started), started);
    }

    // A series moved in time here names each of its occurrences both ways:
    // the old start the server gave it, and its place here; a series that
    // stands where it stood, or was made all-day, is no moved series.
    void movedSeriesNamesItsOccurrencesBothWays_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<bool>("moved");
        QTest::newRow("two hours") << 0 << 120 << false << true;
        QTest::newRow("a day back") << -1 << 0 << false << true;
        QTest::newRow("not moved") << 0 << 0 << false << false;
        QTest::newRow("made all-day") << 0 << 0 << true << false;
    }

    void movedSeriesNamesItsOccurrencesBothWays()
    {
        QFETCH(int, days);
        QFETCH(int, minutes);
        QFETCH(bool, allDay);
        QFETCH(bool, moved);
        const Kind steps = kindNamed(QStringLiteral("weekly"));
        const Event base = seriesOf(steps);
        Event local = movedBy(base, days, minutes);
        local.is_all_day = allDay;
        const std::optional<MovedSeriesPlaces> places = MovedSeriesPlaces::between(base, local);
        QCOMPARE(places.has_value(), moved);
        if (!places)
            return;
        const QString old = Recurrence::recurrenceIdOf(base, occurrence(steps, 2));
        const QString here = Recurrence::recurrenceIdOf(local, movedOnClock(occurrence(steps, 2), days, minutes));
        QCOMPARE(places->placeOf(old), here);
        QCOMPARE(places->originalOf(here), old);
        QCOMPARE(places->skippedDaysWith(dayList({old}), QString()), dayList({here}));
        QCOMPARE(places->originalsOfSkipped(dayList({here})), dayList({old}));
    }
};

QTEST_GUILESS_MAIN(TestMovedSeriesPlaces)
#include "tst_movedseriesplaces.moc"
