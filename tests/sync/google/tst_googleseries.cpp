// Google series against the fake server: skipped dates, occurrences moved
// on Google, series removed there, a series changed there after one of its
// occurrences was changed here, a series dragged twice here, and one
// changed there before a drag here reached Google.
#include <QJsonArray>
#include <QTimeZone>

#include "app/edits/eventeditor.h"
#include "app/edits/recurringeditscope.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "sync/google/googleeventmapping.h"
#include "tests/sync/google/googlesyncbed.h"

class TestGoogleSeries : public QObject
{
    Q_OBJECT

    GoogleSyncBed m_bed;

    // The occurrences this device shows in the first two weeks of March.
    QList<Event> shownInEarlyMarch() const
    {
        return Recurrence::expandForRange(m_bed.events->getByCalendar(GoogleSyncBed::CalendarId),
                                          QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC),
                                          QDateTime(QDate(2026, 3, 15), QTime(0, 0), Qt::UTC));
    }

    // "title start" of each of them.
    QStringList shown() const
    {
        QStringList starts;
        for (const Event &occurrence : shownInEarlyMarch())
            starts.append(occurrence.title + QLatin1Char(' ') + occurrence.start_time.toUTC().toString(Qt::ISODate));
        return starts;
    }

    // "title month-day" of each of them, sorted.
    QStringList shownByDay() const
    {
        QStringList days;
        for (const Event &occurrence : shownInEarlyMarch())
            days.append(occurrence.title + QLatin1Char(' ') + occurrence.start_time.toString(QStringLiteral("MM-dd")));
        days.sort();
        return days;
    }

    // "title @ place month-day" of each occurrence of March and April.
    QStringList shownInSpring() const
    {
        QStringList shown;
        const QList<Event> expanded = Recurrence::expandForRange(
            m_bed.events->getByCalendar(GoogleSyncBed::CalendarId), QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC),
            QDateTime(QDate(2026, 5, 1), QTime(0, 0), Qt::UTC));
        for (const Event &occurrence : expanded)
            shown.append(occurrence.title + QStringLiteral(" @ ") + occurrence.location + QLatin1Char(' ')
                         + occurrence.start_time.toUTC().toString(QStringLiteral("MM-dd")));
        return shown;
    }

    // A series on Google as its JSON: `first` on the wall clock of `zone`
    // (a fixed offset, as the fake steps it), repeating by `rule`.
    static QJsonObject seriesJson(const QString &id, const QString &title, const QDateTime &first, int minutes,
                                  const QString &rule)
    {
        return QJsonObject{{QStringLiteral("id"), id},
                           {QStringLiteral("summary"), title},
                           {QStringLiteral("start"), googleTime(first)},
                           {QStringLiteral("end"), googleTime(first.addSecs(60 * minutes))},
                           {QStringLiteral("recurrence"), QJsonArray{QStringLiteral("RRULE:") + rule}}};
    }

    static QJsonObject googleTime(const QDateTime &at)
    {
        const QString zone = at.timeSpec() == Qt::TimeZone ? QString::fromUtf8(at.timeZone().id())
                                                           : QStringLiteral("UTC");
        return QJsonObject{{QStringLiteral("dateTime"), at.toString(Qt::ISODate)},
                           {QStringLiteral("timeZone"), zone}};
    }

    // Its instance at `original`: cancelled, or moved to `start` and
    // retitled.
    static QJsonObject instanceJson(const QString &seriesId, const QDateTime &original, const QString &title = {},
                                    const QDateTime &start = {}, int minutes = 0)
    {
        QJsonObject instance{
            {QStringLiteral("id"), seriesId + original.toUTC().toString(QStringLiteral("'_'yyyyMMdd'T'HHmmss'Z'"))},
            {QStringLiteral("recurringEventId"), seriesId},
            {QStringLiteral("originalStartTime"), googleTime(original)}};
        if (title.isEmpty()) {
            instance.insert(QStringLiteral("status"), QStringLiteral("cancelled"));
            return instance;
        }
        instance.insert(QStringLiteral("summary"), title);
        instance.insert(QStringLiteral("start"), googleTime(start));
        instance.insert(QStringLiteral("end"), googleTime(start.addSecs(60 * minutes)));
        return instance;
    }

    // "start title" of each occurrence of spring 2025 this device shows, in
    // time order.
    QStringList shownIn2025() const
    {
        QStringList shown;
        for (const Event &occurrence : Recurrence::expandForRange(
                 m_bed.events->getByCalendar(GoogleSyncBed::CalendarId),
                 QDateTime(QDate(2025, 3, 1), QTime(0, 0), Qt::UTC), QDateTime(QDate(2025, 6, 1), QTime(0, 0), Qt::UTC)))
            shown.append(occurrence.start_time.toUTC().toString(Qt::ISODate) + QLatin1Char(' ') + occurrence.title);
        shown.sort();
        return shown;
    }

    // The same as another device reads it: the series' live instances on
    // Google.
    QStringList heldOnGoogle(const QString &seriesId) const
    {
        QStringList held;
        for (const QJsonObject &instance : m_bed.server->seriesInstances(GoogleSyncBed::GoogleCalendar, seriesId)) {
            if (instance.value(QStringLiteral("status")).toString() == QLatin1String("cancelled"))
                continue;
            const QDateTime start = QDateTime::fromString(
                instance.value(QStringLiteral("start")).toObject().value(QStringLiteral("dateTime")).toString(),
                Qt::ISODateWithMs);
            held.append(start.toUTC().toString(Qt::ISODate) + QLatin1Char(' ')
                        + instance.value(QStringLiteral("summary")).toString());
        }
        held.sort();
        return held;
    }

    bool dragged(const QString &googleId, int days, int minutes)
    {
        const Event series = m_bed.localRow(googleId);
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        return bool(editor.changeTimes(series, series.start_time,
                                       *EventEditor::moved(series, series.start_time, days, minutes),
                                       EventEditor::TimeEdit::Move, SeriesScope::AllEvents));
    }

    // A daily Berlin series of five made here and pushed.
    QString pushedSeries()
    {
        Event event;
        event.id = event.uid = QStringLiteral("local-series");
        event.calendar_id = GoogleSyncBed::CalendarId;
        event.title = QStringLiteral("Standup");
        event.timezone = QStringLiteral("Europe/Berlin");
        event.start_time = QDateTime(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC);
        event.end_time = QDateTime(QDate(2026, 3, 2), QTime(8, 15), Qt::UTC);
        event.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=5");
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        if (!m_bed.events->insert(event) || !m_bed.sync().failures.isEmpty())
            return QString();
        return m_bed.events->getById(event.id).value_or(Event()).provider_event_id;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_bed.start()); }
    void cleanup() { m_bed = GoogleSyncBed(); }

    void exdateLinesBecomeSkippedDates_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("skipped");
        QTest::newRow("UTC") << "\"EXDATE:20260303T080000Z\"" << "[\"20260303T080000Z\"]";
        QTest::newRow("zone, list") << "\"EXDATE;TZID=Europe/Berlin:20260303T090000,20260305T090000\""
                                    << "[\"20260303T080000Z\",\"20260305T080000Z\"]";
        QTest::newRow("event's zone") << "\"EXDATE:20260304T090000\"" << "[\"20260304T080000Z\"]";
        QTest::newRow("two lines, a date") << "\"EXDATE;VALUE=DATE:20260303\",\"EXDATE:20260306T080000Z\""
                                           << "[\"20260303\",\"20260306T080000Z\"]";
    }

    void exdateLinesBecomeSkippedDates()
    {
        QFETCH(QString, lines);
        QFETCH(QString, skipped);
        const QByteArray json = "{\"id\":\"daily\",\"summary\":\"Standup\",\"recurrence\":[\"RRULE:FREQ=DAILY;COUNT=5\","
                                + lines.toUtf8()
                                + "],\"start\":{\"dateTime\":\"2026-03-02T09:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"},"
                                  "\"end\":{\"dateTime\":\"2026-03-02T09:15:00+01:00\",\"timeZone\":\"Europe/Berlin\"}}";
        m_bed.serverEvent(json.constData());
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.localRow(QStringLiteral("daily")).exception_dates, skipped);
    }

    // An occurrence of a series made here, moved on Google, takes its
    // occurrence's place; when the series is removed there, both go.
    void occurrenceMovedOnGoogleReplacesItsOccurrenceAndGoesWithItsSeries()
    {
        const QString seriesId = pushedSeries();
        QVERIFY(!seriesId.isEmpty());
        QJsonObject moved = GoogleSyncBed::parse(
            "{\"summary\":\"Standup (late)\","
            "\"originalStartTime\":{\"dateTime\":\"2026-03-04T09:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"},"
            "\"start\":{\"dateTime\":\"2026-03-04T11:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"},"
            "\"end\":{\"dateTime\":\"2026-03-04T11:15:00+01:00\",\"timeZone\":\"Europe/Berlin\"}}");
        moved.insert(QStringLiteral("id"), seriesId + QStringLiteral("_20260304T080000Z"));
        moved.insert(QStringLiteral("recurringEventId"), seriesId);
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, moved);
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(shown(), (QStringList{"Standup 2026-03-02T08:00:00Z", "Standup 2026-03-03T08:00:00Z",
                                       "Standup (late) 2026-03-04T10:00:00Z", "Standup 2026-03-05T08:00:00Z",
                                       "Standup 2026-03-06T08:00:00Z"}));

        m_bed.server->cancelEvent(GoogleSyncBed::GoogleCalendar, seriesId);
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(shown(), QStringList());
        QCOMPARE(m_bed.events->getByCalendar(GoogleSyncBed::CalendarId), QList<Event>());
    }

    // A weekly series with its 25 March retitled here, both on Google, then
    // given a place there: this device shows that day once, as changed here,
    // and the place on the others, whoever made the series. An edit of the
    // changed day here goes to its instance, one of the series to the series.
    void seriesChangedOnGoogleKeepsItsChangedDay_data()
    {
        QTest::addColumn<bool>("madeHere");
        QTest::addColumn<bool>("dayPlaced"); // the changed day given the place there too
        QTest::newRow("made here, changed there") << true << false;
        QTest::newRow("made here, it and its changed day changed there") << true << true;
        QTest::newRow("made there, changed there") << false << false;
    }

    void seriesChangedOnGoogleKeepsItsChangedDay()
    {
        QFETCH(bool, madeHere);
        QFETCH(bool, dayPlaced);
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        QString seriesId = QStringLiteral("yoga");
        if (madeHere) {
            Event yoga;
            yoga.calendar_id = GoogleSyncBed::CalendarId;
            yoga.title = QStringLiteral("Yoga");
            yoga.timezone = QStringLiteral("Europe/Berlin");
            yoga.start_time = QDateTime(QDate(2026, 3, 4), QTime(17, 0), Qt::UTC);
            yoga.end_time = yoga.start_time.addSecs(3600);
            yoga.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=6");
            Event saved;
            QVERIFY(editor.saveForm(std::nullopt, yoga, &saved));
            QCOMPARE(m_bed.sync().failures, QStringList());
            seriesId = m_bed.events->getById(saved.id)->provider_event_id;
        } else {
            m_bed.serverEvent("{\"id\":\"yoga\",\"summary\":\"Yoga\",\"recurrence\":[\"RRULE:FREQ=WEEKLY;COUNT=6\"],"
                              "\"start\":{\"dateTime\":\"2026-03-04T18:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"},"
                              "\"end\":{\"dateTime\":\"2026-03-04T19:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"}}");
            QCOMPARE(m_bed.sync().failures, QStringList());
        }
        const QDateTime day(QDate(2026, 3, 25), QTime(17, 0), Qt::UTC);
        const Event series = m_bed.localRow(seriesId);
        Event changed = series;
        changed.title = QStringLiteral("Yoga (changed)");
        changed.start_time = day;
        changed.end_time = day.addSecs(3600);
        QVERIFY(editor.saveOccurrence(series, day, changed, SeriesScope::ThisEvent));
        QCOMPARE(m_bed.sync().failures, QStringList());
        const QString instanceId = seriesId + QStringLiteral("_20260325T170000Z");
        QCOMPARE(m_bed.serverCopy(instanceId).value(QStringLiteral("summary")).toString(), changed.title);

        QJsonObject placed = m_bed.serverCopy(seriesId);
        placed.insert(QStringLiteral("location"), QStringLiteral("Studio 2"));
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, placed);
        if (dayPlaced) {
            placed = m_bed.serverCopy(instanceId);
            placed.insert(QStringLiteral("location"), QStringLiteral("Studio 2"));
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, placed);
        }
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(shownInSpring(),
                 (QStringList{"Yoga @ Studio 2 03-04", "Yoga @ Studio 2 03-11", "Yoga @ Studio 2 03-18",
                              dayPlaced ? "Yoga (changed) @ Studio 2 03-25" : "Yoga (changed) @  03-25",
                              "Yoga @ Studio 2 04-01", "Yoga @ Studio 2 04-08"}));
        // Paired by the series' uid, as an edit of the whole series finds it.
        QCOMPARE(m_bed.localRow(instanceId).master_event_uid, m_bed.localRow(seriesId).uid);

        Event later = m_bed.localRow(instanceId);
        later.title = QStringLiteral("Yoga (later)");
        later.start_time = day.addSecs(3600);
        later.end_time = day.addSecs(7200);
        QVERIFY(editor.saveForm(m_bed.localRow(instanceId), later));
        Event renamed = m_bed.localRow(seriesId);
        renamed.title = QStringLiteral("Yoga, weekly");
        QVERIFY(editor.saveForm(m_bed.localRow(seriesId), renamed));
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.server->events(GoogleSyncBed::GoogleCalendar).size(), 2);
        const QJsonObject instance = m_bed.serverCopy(instanceId);
        QCOMPARE(instance.value(QStringLiteral("summary")).toString(), later.title);
        QCOMPARE(QDateTime::fromString(instance.value(QStringLiteral("start")).toObject().value("dateTime").toString(),
                                       Qt::ISODateWithMs),
                 later.start_time);
        QCOMPARE(m_bed.serverCopy(seriesId).value(QStringLiteral("summary")).toString(), renamed.title);
        QCOMPARE(m_bed.serverCopy(seriesId).value(QStringLiteral("location")).toString(), QStringLiteral("Studio 2"));
    }

    // An all-day daily series on Google with its 3 March changed there (a
    // new title, moved to the 7th), changed here, or both: this device shows
    // the day once, as changed, and Google's instance of the day holds the
    // change made here for every other device. A changed day stored by the
    // previous version (named by its date alone) still takes its place.
    void allDaySeriesShowsAChangedDayOnce_data()
    {
        QTest::addColumn<bool>("changedThere");
        QTest::addColumn<QString>("changedHere"); // the title given here, none: not changed here
        QTest::addColumn<bool>("storedBefore");   // the change there as the previous version stored it
        QTest::addColumn<QStringList>("shown");
        const QString here = QStringLiteral("Holiday (here)");
        QTest::newRow("changed there") << true << QString() << false
                                       << QStringList{"Holiday 03-02", "Holiday 03-04", "Holiday 03-05",
                                                      "Holiday (there) 03-07"};
        QTest::newRow("changed here") << false << here << false
                                      << QStringList{"Holiday 03-02", "Holiday (here) 03-03", "Holiday 03-04",
                                                     "Holiday 03-05"};
        QTest::newRow("changed there, then here") << true << here << false
                                                  << QStringList{"Holiday 03-02", "Holiday 03-04", "Holiday 03-05",
                                                                 "Holiday (here) 03-07"};
        QTest::newRow("changed there, stored by the previous version")
            << true << QString() << true
            << QStringList{"Holiday 03-02", "Holiday 03-04", "Holiday 03-05", "Holiday (there) 03-07"};
        QTest::newRow("changed there, stored by the previous version, then here")
            << true << here << true
            << QStringList{"Holiday 03-02", "Holiday 03-04", "Holiday 03-05", "Holiday (here) 03-07"};
    }

    void allDaySeriesShowsAChangedDayOnce()
    {
        QFETCH(bool, changedThere);
        QFETCH(QString, changedHere);
        QFETCH(bool, storedBefore);
        QFETCH(QStringList, shown);
        shown.sort();
        m_bed.serverEvent(R"({"id":"holiday","summary":"Holiday","recurrence":["RRULE:FREQ=DAILY;COUNT=4"],
            "start":{"date":"2026-03-02"},"end":{"date":"2026-03-03"}})");
        const QString instanceId = QStringLiteral("holiday_20260303");
        if (changedThere)
            m_bed.serverEvent(R"json({"id":"holiday_20260303","recurringEventId":"holiday","summary":"Holiday (there)",
                "originalStartTime":{"date":"2026-03-03"},"start":{"date":"2026-03-07"},"end":{"date":"2026-03-08"}})json");
        QCOMPARE(m_bed.sync().failures, QStringList());
        if (storedBefore) {
            Event old = m_bed.localRow(instanceId);
            QVERIFY(old.recurrence_id.startsWith(QLatin1String("20260303")));
            old.recurrence_id = QStringLiteral("20260303");
            QVERIFY(m_bed.events->update(old));
        }
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        if (!changedHere.isEmpty()) {
            const Event series = m_bed.localRow(QStringLiteral("holiday"));
            const QDateTime day(QDate(2026, 3, 3), QTime(0, 0));
            if (changedThere) {
                Event changed = m_bed.localRow(instanceId);
                changed.title = changedHere;
                QVERIFY(editor.saveForm(m_bed.localRow(instanceId), changed));
            } else {
                Event changed = series;
                changed.title = changedHere;
                changed.start_time = day;
                changed.end_time = day.addDays(1);
                QVERIFY(editor.saveOccurrence(series, day, changed, SeriesScope::ThisEvent));
            }
            QCOMPARE(m_bed.sync().failures, QStringList());
        }
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(shownByDay(), shown);
        // Another device lists the series' instances.
        QStringList there;
        for (const QJsonObject &instance : m_bed.server->seriesInstances(GoogleSyncBed::GoogleCalendar,
                                                                         QStringLiteral("holiday")))
            there.append(instance.value(QStringLiteral("summary")).toString() + QLatin1Char(' ')
                         + instance.value(QStringLiteral("start")).toObject().value(QStringLiteral("date")).toString()
                               .mid(5));
        there.sort();
        QCOMPARE(there, shown);
        QCOMPARE(m_bed.events->getPending(GoogleSyncBed::CalendarId), QList<Event>());
    }

    // The same series with 3 March cancelled and 4 March retitled on
    // Google, dragged a day here ("All events"): Google gives its days anew,
    // so its cancelled day is cancelled again at its new place, found among
    // the instances by its date, and the changed one is written to its new
    // instance, keeping its own day, as another device lists them.
    void allDaySeriesMovedKeepsItsSkippedAndChangedDays()
    {
        m_bed.serverEvent(R"({"id":"holiday","summary":"Holiday","recurrence":["RRULE:FREQ=DAILY;COUNT=4"],
            "start":{"date":"2026-03-02"},"end":{"date":"2026-03-03"}})");
        m_bed.serverEvent(R"({"id":"holiday_20260303","recurringEventId":"holiday","status":"cancelled",
            "originalStartTime":{"date":"2026-03-03"}})");
        m_bed.serverEvent(R"json({"id":"holiday_20260304","recurringEventId":"holiday","summary":"Holiday (there)",
            "originalStartTime":{"date":"2026-03-04"},"start":{"date":"2026-03-04"},"end":{"date":"2026-03-05"}})json");
        QCOMPARE(m_bed.sync().failures, QStringList());
        const Event series = m_bed.localRow(QStringLiteral("holiday"));
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        QVERIFY(editor.changeTimes(series, series.start_time, *EventEditor::moved(series, series.start_time, 1, 0),
                                   EventEditor::TimeEdit::Move, SeriesScope::AllEvents));
        QCOMPARE(m_bed.sync().failures, QStringList());

        QStringList there;
        for (const QJsonObject &instance : m_bed.server->seriesInstances(GoogleSyncBed::GoogleCalendar,
                                                                         QStringLiteral("holiday")))
            there.append(instance.value(QStringLiteral("originalStartTime")).toObject().value("date").toString().mid(5)
                         + QLatin1Char(' ') + instance.value(QStringLiteral("status")).toString() + QLatin1Char(' ')
                         + instance.value(QStringLiteral("summary")).toString() + QLatin1Char(' ')
                         + instance.value(QStringLiteral("start")).toObject().value("date").toString().mid(5));
        QCOMPARE(there, (QStringList{"03-03 confirmed Holiday 03-03", "03-04 cancelled Holiday 03-04",
                                     "03-05 confirmed Holiday (there) 03-04", "03-06 confirmed Holiday 03-06"}));
        // The next pull lists the dropped days cancelled at their old
        // starts; this device still shows every day as it moved them.
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(shownByDay(), (QStringList{"Holiday (there) 03-04", "Holiday 03-03", "Holiday 03-06"}));
        QCOMPARE(m_bed.events->getPending(GoogleSyncBed::CalendarId), QList<Event>());
    }

    // A daily series with 20 March cancelled and 24 March moved to 15:00
    // on Google, dragged "All events" twice here. Google drops a moved
    // series' exceptions and may list them cancelled at their old starts,
    // where the moved series has other days: no drag loses a day, here or
    // for another device, also when the second drag comes before the sync
    // that lists the first one's, or the answer to the first was lost.
    void seriesDraggedTwiceKeepsEveryDay_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<int>("days1");
        QTest::addColumn<int>("minutes1");
        QTest::addColumn<int>("days2");
        QTest::addColumn<int>("minutes2");
        QTest::addColumn<bool>("listed"); // Google lists the dropped exceptions
        QTest::addColumn<QString>("between"); // the syncs between the drags
        QTest::newRow("a day, then two hours") << "UTC" << 1 << 0 << 0 << 120 << true << "two";
        QTest::newRow("a day, then two hours, not listed") << "UTC" << 1 << 0 << 0 << 120 << false << "two";
        QTest::newRow("two hours, then a day") << "UTC" << 0 << 120 << 1 << 0 << true << "two";
        QTest::newRow("two hours, then a day, not listed") << "UTC" << 0 << 120 << 1 << 0 << false << "two";
        QTest::newRow("a day, then two hours, Berlin")
            << "Europe/Berlin" << 1 << 0 << 0 << 120 << true << "two";
        QTest::newRow("a day, then a day, dragged again before the listing")
            << "UTC" << 1 << 0 << 1 << 0 << true << "one";
        QTest::newRow("a day, then two hours, the first answer lost")
            << "UTC" << 1 << 0 << 0 << 120 << true << "answer lost";
    }

    void seriesDraggedTwiceKeepsEveryDay()
    {
        QFETCH(QString, zone);
        QFETCH(int, days1);
        QFETCH(int, minutes1);
        QFETCH(int, days2);
        QFETCH(int, minutes2);
        QFETCH(bool, listed);
        QFETCH(QString, between);
        m_bed.server->listsDroppedExceptions = listed;
        const QTimeZone in(zone.toUtf8());
        const auto at = [&in](int day, int hour) { return QDateTime(QDate(2025, 3, day), QTime(hour, 0), in); };
        const QString id = QStringLiteral("daily01");
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar,
                               seriesJson(id, QStringLiteral("Standup"), at(10, 9), 15,
                                          QStringLiteral("FREQ=DAILY;COUNT=19")));
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, instanceJson(id, at(20, 9)));
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar,
                               instanceJson(id, at(24, 9), QStringLiteral("Standup, later"), at(24, 15), 15));
        QCOMPARE(m_bed.sync().failures, QStringList());
        // Every day but the 20th at 09:00 moved as far, the 24th's change
        // at its own time.
        const auto expected = [&](int days, int minutes) {
            QStringList shown;
            for (int day = 10; day < 29; ++day) {
                if (day == 20)
                    continue;
                shown.append(day == 24 ? at(24, 15).toUTC().toString(Qt::ISODate) + QStringLiteral(" Standup, later")
                                       : at(day, 9).addDays(days).addSecs(60 * minutes).toUTC().toString(Qt::ISODate)
                                           + QStringLiteral(" Standup"));
            }
            shown.sort();
            return shown;
        };
        QCOMPARE(shownIn2025(), expected(0, 0));

        QVERIFY(dragged(id, days1, minutes1));
        if (between == QLatin1String("answer lost")) {
            ScriptedHttpFront::Failure lost{"PATCH", "/events/" + id.toLatin1(), 400, false, 1};
            lost.afterCommit = true;
            m_bed.server->failNext(lost);
            QCOMPARE(m_bed.sync().failures.size(), 1);
        }
        QCOMPARE(m_bed.sync().failures, QStringList());
        if (between != QLatin1String("one"))
            QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(shownIn2025(), expected(days1, minutes1));
        QCOMPARE(heldOnGoogle(id), expected(days1, minutes1));

        QVERIFY(dragged(id, days2, minutes2));
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(shownIn2025(), expected(days1 + days2, minutes1 + minutes2));
        QCOMPARE(heldOnGoogle(id), expected(days1 + days2, minutes1 + minutes2));
        QCOMPARE(m_bed.events->getPending(GoogleSyncBed::CalendarId), QList<Event>());
    }

    // A daily series on Google with its 14 March moved to 15:00 there, each
    // carrying another app's private property (or one of them), dragged
    // "All events" here, once or three times in a row: Google gives the
    // series its days anew, and the changed day goes onto the instance at
    // its new place as Google held it, with its own property and without
    // the series', as another device reads it. The series keeps its own.
    void movedSeriesKeepsWhatOthersStoredOnItsDays_data()
    {
        QTest::addColumn<QString>("dayProperty");    // another app's, on the changed day; empty: none
        QTest::addColumn<QString>("seriesProperty"); // on the series; empty: none
        QTest::addColumn<QList<int>>("drags");       // minutes each drag moves the series
        QTest::addColumn<bool>("syncedBetween");
        QTest::newRow("on the day") << "day" << QString() << QList<int>{24 * 60} << true;
        QTest::newRow("on the series") << QString() << "series" << QList<int>{120} << true;
        QTest::newRow("on both, three drags") << "day" << "series" << QList<int>{24 * 60, 120, 24 * 60} << true;
        QTest::newRow("on both, three drags before a sync")
            << "day" << "series" << QList<int>{24 * 60, 120, 24 * 60} << false;
    }

    void movedSeriesKeepsWhatOthersStoredOnItsDays()
    {
        QFETCH(QString, dayProperty);
        QFETCH(QString, seriesProperty);
        QFETCH(QList<int>, drags);
        QFETCH(bool, syncedBetween);
        const auto at = [](int day, int hour) { return QDateTime(QDate(2025, 3, day), QTime(hour, 0), Qt::UTC); };
        // Each app names its own property.
        const auto properties = [](const QString &app) {
            return app.isEmpty() ? QJsonValue(QJsonValue::Undefined)
                                 : QJsonValue(QJsonObject{{QStringLiteral("private"),
                                                           QJsonObject{{app + QStringLiteral("-tracker"), app}}}});
        };
        const QString id = QStringLiteral("daily02");
        QJsonObject series = seriesJson(id, QStringLiteral("Standup"), at(10, 9), 15, QStringLiteral("FREQ=DAILY;COUNT=10"));
        QJsonObject day = instanceJson(id, at(14, 9), QStringLiteral("Standup, later"), at(14, 15), 15);
        if (!seriesProperty.isEmpty())
            series.insert(QStringLiteral("extendedProperties"), properties(seriesProperty));
        if (!dayProperty.isEmpty())
            day.insert(QStringLiteral("extendedProperties"), properties(dayProperty));
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, series);
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, day);
        QCOMPARE(m_bed.sync().failures, QStringList());

        int moved = 0;
        for (const int minutes : drags) {
            QVERIFY(dragged(id, minutes / (24 * 60), minutes % (24 * 60)));
            moved += minutes;
            if (!syncedBetween)
                continue;
            QCOMPARE(m_bed.sync().failures, QStringList());
            QCOMPARE(m_bed.sync().failures, QStringList());
        }
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.sync().failures, QStringList());

        QStringList expected;
        for (int n = 10; n < 20; ++n)
            expected.append(n == 14 ? at(14, 15).toString(Qt::ISODate) + QStringLiteral(" Standup, later")
                                    : at(n, 9).addSecs(60 * moved).toString(Qt::ISODate) + QStringLiteral(" Standup"));
        expected.sort();
        QCOMPARE(shownIn2025(), expected);
        QCOMPARE(heldOnGoogle(id), expected);
        QJsonValue onTheDay;
        for (const QJsonObject &instance : m_bed.server->seriesInstances(GoogleSyncBed::GoogleCalendar, id)) {
            if (instance.value(QStringLiteral("summary")).toString() == QLatin1String("Standup, later"))
                onTheDay = instance.value(QStringLiteral("extendedProperties"));
        }
        QCOMPARE(onTheDay, properties(dayProperty));
        QCOMPARE(m_bed.serverCopy(id).value(QStringLiteral("extendedProperties")), properties(seriesProperty));
        QCOMPARE(m_bed.events->getPending(GoogleSyncBed::CalendarId), QList<Event>());
    }

    // A series with three changed days deleted from its card goes up as
    // one deletion of the series, which takes its exceptions along (each
    // deletion of a meeting tells its guests). So too with one of the days
    // deleted alone before, and when the series left for a calendar on
    // this device. Each row's tombstone is erased, and announced as it was
    // last, for the undo of the delete. Before it, one listing (page by
    // page) reads the changed days Google holds: one another device changed
    // after the pull is stored, and erased with the series, announced, or
    // goes to the moved series' copy.
    void seriesWithChangedDaysGoesAsOneDeletion_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<bool>("changedMeanwhile"); // 18 March, as the push starts; listed two events a page
        QTest::newRow("deleted") << "deleted" << false;
        QTest::newRow("a changed day deleted alone before") << "day deleted first" << false;
        QTest::newRow("moved to this device") << "moved" << false;
        QTest::newRow("deleted, a day changed there as the push starts") << "deleted" << true;
        QTest::newRow("moved to this device, a day changed there as the push starts") << "moved" << true;
    }

    void seriesWithChangedDaysGoesAsOneDeletion()
    {
        QFETCH(QString, then);
        QFETCH(bool, changedMeanwhile);
        QVERIFY(seedLocalCalendars(m_bed.store->db(), {QStringLiteral("device")}));
        const auto at = [](int day, int hour) { return QDateTime(QDate(2025, 3, day), QTime(hour, 0), Qt::UTC); };
        const QString id = QStringLiteral("daily03");
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar,
                               seriesJson(id, QStringLiteral("Standup"), at(10, 9), 15, QStringLiteral("FREQ=DAILY;COUNT=10")));
        for (const int day : {12, 14, 16})
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar,
                                   instanceJson(id, at(day, 9), QStringLiteral("Standup, %1 March").arg(day), at(day, 12), 15));
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.events->getByCalendar(GoogleSyncBed::CalendarId).size(), 4);

        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        if (then == QLatin1String("day deleted first"))
            QVERIFY(editor.remove(m_bed.localRow(id + QStringLiteral("_20250314T090000Z"))));
        if (then == QLatin1String("moved")) {
            Event copy = m_bed.localRow(id);
            copy.calendar_id = QStringLiteral("device");
            QVERIFY(editor.saveForm(m_bed.localRow(id), copy).ok);
        } else {
            QVERIFY(editor.remove(m_bed.localRow(id)).ok);
        }
        QSignalSpy erased(m_bed.events.get(), &EventRepository::eventErased);
        m_bed.server->http().clearRequests();
        bool changed = false;
        if (changedMeanwhile) {
            m_bed.server->pageSize = 2;
            m_bed.server->onRequest = [&](const LocalHttpServer::Request &request) {
                if (changed || request.target.startsWith("/token") || request.target.contains("syncToken="))
                    return;
                changed = true;
                m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar,
                                       instanceJson(id, at(18, 9), QStringLiteral("Standup, 18 March"), at(18, 12), 15));
            };
        }
        QCOMPARE(m_bed.sync().failures, QStringList());
        m_bed.server->onRequest = nullptr;
        QCOMPARE(changed, changedMeanwhile);

        QStringList writes;
        int listings = 0;
        for (const LocalHttpServer::Request &request : m_bed.server->requests()) {
            listings += request.target.contains("iCalUID=") ? 1 : 0;
            if (request.method != "GET" && !request.target.startsWith("/token"))
                writes.append(request.method + ' '
                              + (request.target.split('?').first().endsWith("/events/" + id.toLatin1())
                                     ? QByteArray("the series")
                                     : request.target));
        }
        QCOMPARE(writes, QStringList{"DELETE the series"});
        QStringList live;
        for (const QJsonObject &event : m_bed.server->events(GoogleSyncBed::GoogleCalendar)) {
            if (event.value(QStringLiteral("status")).toString() != QLatin1String("cancelled"))
                live.append(event.value(QStringLiteral("id")).toString());
        }
        QCOMPARE(live, QStringList());
        QCOMPARE(m_bed.events->getByCalendar(GoogleSyncBed::CalendarId), QList<Event>());
        QStringList erasedDays;
        for (const QList<QVariant> &signal : std::as_const(erased))
            erasedDays.append(signal.first().value<Event>().title);
        erasedDays.sort();
        // Moved, 18 March went to the copy instead.
        QStringList gone{"Standup", "Standup, 12 March", "Standup, 14 March", "Standup, 16 March"};
        if (changedMeanwhile && then != QLatin1String("moved"))
            gone.append(QStringLiteral("Standup, 18 March"));
        QCOMPARE(erasedDays, gone);
        QStringList copied;
        for (const Event &row : m_bed.events->getByCalendar(QStringLiteral("device")))
            copied.append(row.title);
        copied.sort();
        QCOMPARE(copied, then == QLatin1String("moved") ? gone + (changedMeanwhile ? QStringList{"Standup, 18 March"}
                                                                                  : QStringList())
                                                        : QStringList());
        // One listing of the series and its changed days; five of them, with
        // 18 March, come two a page.
        QCOMPARE(listings, changedMeanwhile ? 3 : 1);
    }

    // The same as Outlook's: a daily series with its 14 March cancelled and
    // its 18 March moved to 15:00 there, dragged "All events" once, its
    // write stored by Google but its answer lost (the connection drops and
    // the request goes again, or the answer comes after the wait), or the
    // changed day's own write refused after the series' went up: every
    // day stays where this device put it, for every device.
    void movedSeriesKeepsItsDaysAfterALostAnswer_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minutes");
        QTest::newRow("connection dropped, a day") << "dropped" << 1 << 0;
        QTest::newRow("answer too late, a day") << "timeout" << 1 << 0;
        QTest::newRow("answer too late, the changed day refused") << "timeout, day refused" << 0 << 120;
        QTest::newRow("changed day refused, two hours") << "day refused" << 0 << 120;
    }

    void movedSeriesKeepsItsDaysAfterALostAnswer()
    {
        QFETCH(QString, fault);
        QFETCH(int, days);
        QFETCH(int, minutes);
        if (fault.startsWith(QLatin1String("timeout"))) {
            // Short, so that a lost answer takes the row little time.
            m_bed.transferTimeoutMs = 1500;
            m_bed.makeClient();
        }
        const auto at = [](int day, int hour) { return QDateTime(QDate(2025, 3, day), QTime(hour, 0), Qt::UTC); };
        const QString id = QStringLiteral("daily04");
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar,
                               seriesJson(id, QStringLiteral("Standup"), at(10, 9), 15, QStringLiteral("FREQ=DAILY;COUNT=12")));
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, instanceJson(id, at(14, 9)));
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar,
                               instanceJson(id, at(18, 9), QStringLiteral("Standup, later"), at(18, 15), 15));
        QCOMPARE(m_bed.sync().failures, QStringList());
        QVERIFY(dragged(id, days, minutes));
        m_bed.server->loseSeriesWrite("/events/" + id.toLatin1(), fault);
        QCOMPARE(m_bed.sync().failures.isEmpty(), fault == QLatin1String("dropped"));
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.sync().failures, QStringList());

        QStringList expected;
        for (int day = 10; day < 22; ++day) {
            if (day == 14)
                continue;
            expected.append(day == 18 ? at(18, 15).toString(Qt::ISODate) + QStringLiteral(" Standup, later")
                                      : at(day, 9).addDays(days).addSecs(60 * minutes).toString(Qt::ISODate)
                                          + QStringLiteral(" Standup"));
        }
        expected.sort();
        QCOMPARE(shownIn2025(), expected);
        QCOMPARE(heldOnGoogle(id), expected);
        QCOMPARE(m_bed.events->getPending(GoogleSyncBed::CalendarId), QList<Event>());
    }

    // A weekly series on Google, retitled there and its 14 April moved to
    // Tuesday 15 April 11:00 (and 28 April cancelled) by another device,
    // dragged "All events" here before this device syncs: the change made
    // there goes to where its occurrence stands now, once, and to Google
    // there, unless a change made here holds that place; the retitle
    // reaches the series. Also when the answer to the series' write is
    // lost. A day only cancelled there, or skipped by the series while its
    // write is on its way, stays skipped at its moved place.
    void changeThereReachesTheSeriesMovedHere_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("changedThere"); // the series retitled and one occurrence moved there
        // One day skipped there: its instance cancelled before this device
        // syncs, or the series' own skipped days written while its write is
        // on its way (as a CalDAV client of Google writes them).
        QTest::addColumn<QString>("skippedThere");
        QTest::addColumn<bool>("answerLost");
        QTest::addColumn<bool>("changedHere"); // the moved occurrence changed here too, after the drag
        QTest::newRow("a day") << "Europe/Berlin" << 1 << 0 << true << "" << false << false;
        QTest::newRow("two hours") << "Europe/Berlin" << 0 << 120 << true << "" << false << false;
        QTest::newRow("a day, UTC") << "UTC" << 1 << 0 << true << "" << false << false;
        QTest::newRow("a day, a day skipped there too") << "Europe/Berlin" << 1 << 0 << true << "before" << false << false;
        QTest::newRow("two hours, the answer lost") << "Europe/Berlin" << 0 << 120 << true << "" << true << false;
        QTest::newRow("a day, changed here too") << "Europe/Berlin" << 1 << 0 << true << "" << false << true;
        QTest::newRow("nothing moved here") << "Europe/Berlin" << 0 << 0 << true << "before" << false << false;
        QTest::newRow("a day, only a day skipped there") << "Europe/Berlin" << 1 << 0 << false << "before" << false << false;
        QTest::newRow("two hours, only a day skipped there")
            << "Europe/Berlin" << 0 << 120 << false << "before" << false << false;
        QTest::newRow("a day, only a day skipped there meanwhile")
            << "Europe/Berlin" << 1 << 0 << false << "meanwhile" << false << false;
        QTest::newRow("two hours, a day skipped there meanwhile")
            << "Europe/Berlin" << 0 << 120 << true << "meanwhile" << false << false;
    }

    void changeThereReachesTheSeriesMovedHere()
    {
        QFETCH(QString, zone);
        QFETCH(int, days);
        QFETCH(int, minutes);
        QFETCH(bool, changedThere);
        QFETCH(QString, skippedThere);
        QFETCH(bool, answerLost);
        QFETCH(bool, changedHere);
        const QTimeZone in(zone.toUtf8());
        const auto at = [&in](int month, int day, int hour) { return QDateTime(QDate(2025, month, day), QTime(hour, 0), in); };
        const QString id = QStringLiteral("walk01");
        QJsonObject series = seriesJson(id, QStringLiteral("Walk"), at(3, 31, 9), 30, QStringLiteral("FREQ=WEEKLY;COUNT=6"));
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, series);
        QCOMPARE(m_bed.sync().failures, QStringList());

        if (changedThere) {
            series = m_bed.serverCopy(id);
            series.insert(QStringLiteral("summary"), QStringLiteral("Walk, renamed"));
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, series);
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar,
                                   instanceJson(id, at(4, 14, 9), QStringLiteral("Walk (one moved there)"), at(4, 15, 11), 30));
        }
        if (skippedThere == QLatin1String("before"))
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, instanceJson(id, at(4, 28, 9)));
        bool skipped = false;
        if (skippedThere == QLatin1String("meanwhile")) {
            // When this device's first write of the series arrives.
            m_bed.server->onRequest = [&](const LocalHttpServer::Request &request) {
                if (skipped || request.method != "PATCH" || !request.target.contains("/events/" + id.toLatin1()))
                    return;
                QJsonObject held = m_bed.serverCopy(id);
                QJsonArray recurrence = held.value(QStringLiteral("recurrence")).toArray();
                recurrence.append(QStringLiteral("EXDATE:") + at(4, 28, 9).toUTC().toString(QStringLiteral("yyyyMMddTHHmmssZ")));
                held.insert(QStringLiteral("recurrence"), recurrence);
                m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, held);
                skipped = true;
            };
        }
        if (days != 0 || minutes != 0)
            QVERIFY(dragged(id, days, minutes));
        const QDateTime mine = at(4, 14, 9).addDays(days).addSecs(60 * minutes + 1800);
        if (changedHere) {
            EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
            const Event moved = m_bed.localRow(id);
            Event changed = moved;
            changed.title = QStringLiteral("Walk (mine)");
            changed.start_time = mine;
            changed.end_time = mine.addSecs(1800);
            QVERIFY(editor.saveOccurrence(moved, at(4, 14, 9).addDays(days).addSecs(60 * minutes), changed,
                                          SeriesScope::ThisEvent));
        }
        if (answerLost) {
            // The write that moves the series: the one after its stale
            // version was read afresh.
            m_bed.server->loseRewriteAnswer("/events/" + id.toLatin1());
            QVERIFY(!m_bed.sync().failures.isEmpty());
            QVERIFY(m_bed.server->rewriteAnswerLost());
        }
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.sync().failures, QStringList());
        m_bed.server->onRequest = nullptr;
        QCOMPARE(skipped, skippedThere == QLatin1String("meanwhile"));

        QStringList expected;
        for (int week = 0; week < 6; ++week) {
            const QDateTime original = at(3, 31, 9).addDays(7 * week);
            if (!skippedThere.isEmpty() && week == 4)
                continue;
            // A change made here at that place wins.
            expected.append(week == 2 && changedHere ? mine.toUTC().toString(Qt::ISODate) + QStringLiteral(" Walk (mine)")
                            : week == 2 && changedThere
                                ? at(4, 15, 11).toUTC().toString(Qt::ISODate) + QStringLiteral(" Walk (one moved there)")
                                : original.addDays(days).addSecs(60 * minutes).toUTC().toString(Qt::ISODate)
                                      + (changedThere ? QStringLiteral(" Walk, renamed") : QStringLiteral(" Walk")));
        }
        expected.sort();
        QCOMPARE(shownIn2025(), expected);
        QCOMPARE(heldOnGoogle(id), expected);
        QCOMPARE(m_bed.events->getPending(GoogleSyncBed::CalendarId), QList<Event>());
    }

    // A weekly walk on Google, Mondays at 09:00 UTC from 31 March 2025 for
    // six weeks, split here "This and following" on its third Monday an
    // hour later. Another device renames the walk, gives it a place,
    // changes its fifth Monday (retitled, at 11:00) or skips it (its
    // instance cancelled, or the walk's own skipped days written, as a
    // CalDAV client of Google writes them): before this device syncs, or
    // while this device's write of the walk is on its way, which then meets
    // a newer version and reads the walk afresh. What it changed on the
    // walk reaches the new series too, and a day past the split goes to the
    // new series where it stands there: here, and on Google for a device
    // that reads it afresh.
    void changeThereReachesTheSplitsNewSeries_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("meanwhile");
        QTest::newRow("renamed") << "renamed" << false;
        QTest::newRow("renamed meanwhile") << "renamed" << true;
        QTest::newRow("placed") << "placed" << false;
        QTest::newRow("placed meanwhile") << "placed" << true;
        QTest::newRow("a day changed") << "day changed" << false;
        QTest::newRow("a day cancelled") << "day cancelled" << false;
        QTest::newRow("a day skipped by the series") << "day skipped" << false;
        QTest::newRow("a day skipped by the series meanwhile") << "day skipped" << true;
    }

    void changeThereReachesTheSplitsNewSeries()
    {
        QFETCH(QString, change);
        QFETCH(bool, meanwhile);
        const auto at = [](int month, int day, int hour) { return QDateTime(QDate(2025, month, day), QTime(hour, 0), Qt::UTC); };
        const QString id = QStringLiteral("walk02");
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar,
                               seriesJson(id, QStringLiteral("Walk"), at(3, 31, 9), 30, QStringLiteral("FREQ=WEEKLY;COUNT=6")));
        QCOMPARE(m_bed.sync().failures, QStringList());
        const Event walk = m_bed.localRow(id);
        const QDateTime third = at(4, 14, 9);
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        QVERIFY(editor.changeTimes(walk, third, *EventEditor::moved(walk, third, 0, 60), EventEditor::TimeEdit::Move,
                                   SeriesScope::ThisAndFollowing));

        const QDateTime fifth = at(4, 28, 9);
        const auto changeThere = [&] {
            if (change == QLatin1String("day changed") || change == QLatin1String("day cancelled")) {
                m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar,
                                       change == QLatin1String("day cancelled")
                                           ? instanceJson(id, fifth)
                                           : instanceJson(id, fifth, QStringLiteral("Walk (changed there)"),
                                                          fifth.addSecs(2 * 3600), 30));
                return;
            }
            QJsonObject series = m_bed.serverCopy(id);
            if (change == QLatin1String("renamed"))
                series.insert(QStringLiteral("summary"), QStringLiteral("Walk, renamed"));
            if (change == QLatin1String("placed"))
                series.insert(QStringLiteral("location"), QStringLiteral("Park"));
            if (change == QLatin1String("day skipped")) {
                QJsonArray recurrence = series.value(QStringLiteral("recurrence")).toArray();
                recurrence.append(QStringLiteral("EXDATE:20250428T090000Z"));
                series.insert(QStringLiteral("recurrence"), recurrence);
            }
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, series);
        };
        bool changed = false;
        if (meanwhile) {
            // When this device's write of the walk arrives.
            m_bed.server->onRequest = [&](const LocalHttpServer::Request &request) {
                if (!changed && request.method == "PATCH"
                    && request.target.split('?').first().endsWith("/events/" + id.toLatin1())) {
                    changeThere();
                    changed = true;
                }
            };
        } else {
            changeThere();
        }
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.sync().failures, QStringList());
        m_bed.server->onRequest = nullptr;
        QCOMPARE(changed, meanwhile);

        const QString title = change == QLatin1String("renamed") ? QStringLiteral("Walk, renamed") : QStringLiteral("Walk");
        const QString place = change == QLatin1String("placed") ? QStringLiteral(" @ Park") : QString();
        QStringList expected;
        for (int week = 0; week < 6; ++week) {
            const QDateTime start = at(3, 31, 9).addDays(7 * week).addSecs(week < 2 ? 0 : 3600);
            if (week == 4 && change.startsWith(QLatin1String("day"))) {
                if (change == QLatin1String("day changed"))
                    expected.append(fifth.addSecs(2 * 3600).toString(Qt::ISODate) + QStringLiteral(" Walk (changed there)"));
                continue;
            }
            expected.append(start.toString(Qt::ISODate) + QLatin1Char(' ') + title + place);
        }
        QStringList here;
        const QList<Event> rows = m_bed.events->getByCalendar(GoogleSyncBed::CalendarId);
        for (const Event &occurrence : Recurrence::expandForRange(rows, at(3, 1, 0), at(6, 1, 0)))
            here.append(occurrence.start_time.toUTC().toString(Qt::ISODate) + QLatin1Char(' ') + occurrence.title
                        + (occurrence.location.isEmpty() ? QString() : QStringLiteral(" @ ") + occurrence.location));
        here.sort();
        QCOMPARE(here, expected);
        // A device that reads the calendar afresh: the instances of both
        // series.
        QStringList there;
        for (const Event &series : rows) {
            if (!Recurrence::isSeries(series))
                continue;
            for (const QJsonObject &instance :
                 m_bed.server->seriesInstances(GoogleSyncBed::GoogleCalendar, series.provider_event_id)) {
                const Event shown = Google::eventFromJson(instance, GoogleSyncBed::CalendarId);
                if (shown.status != QLatin1String("cancelled"))
                    there.append(shown.start_time.toUTC().toString(Qt::ISODate) + QLatin1Char(' ') + shown.title
                                 + (shown.location.isEmpty() ? QString() : QStringLiteral(" @ ") + shown.location));
            }
        }
        there.sort();
        QCOMPARE(there, expected);
        QCOMPARE(m_bed.events->getPending(GoogleSyncBed::CalendarId), QList<Event>());
    }
};

QTEST_MAIN(TestGoogleSeries)
#include "tst_googleseries.moc"
