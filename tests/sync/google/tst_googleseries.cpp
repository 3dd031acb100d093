// Google series against the fake server: skipped dates, occurrences moved
// on Google, series removed there, and one occurrence changed here.
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "tests/sync/google/googlesyncbed.h"

class TestGoogleSeries : public QObject
{
    Q_OBJECT

    GoogleSyncBed m_bed;

    // "title start" of each occurrence in the first two weeks of March.
    QStringList shown() const
    {
        QStringList starts;
        const QList<Event> expanded = Recurrence::expandForRange(
            m_bed.events->getByCalendar(GoogleSyncBed::CalendarId), QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC),
            QDateTime(QDate(2026, 3, 15), QTime(0, 0), Qt::UTC));
        for (const Event &occurrence : expanded)
            starts.append(occurrence.title + QLatin1Char(' ') + occurrence.start_time.toUTC().toString(Qt::ISODate));
        return starts;
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
};

QTEST_MAIN(TestGoogleSeries)
#include "tst_googleseries.moc"
