// A series and its moved occurrence sharing one uid (as an import stores
// them) travel through the cloud service as two events, and a pull that the
// store refuses fails the run instead of reporting success.
#include <QSignalSpy>
#include <QTest>

#include "calendar/icscodec.h"
#include "cloud/calendarupgradeservice.h"
#include "cloud/syncclient.h"
#include "tests/cloud/cloudsyncbed.h"

namespace {

const QString SeriesAndMove = QStringLiteral(
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Import//EN\r\n"
    "BEGIN:VEVENT\r\nUID:weekly\r\nDTSTAMP:20261201T080000Z\r\nDTSTART:20261207T090000Z\r\n"
    "DTEND:20261207T093000Z\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\nSUMMARY:Stand-up\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:weekly\r\nDTSTAMP:20261201T080000Z\r\nRECURRENCE-ID:20261214T090000Z\r\n"
    "DTSTART:20261214T110000Z\r\nDTEND:20261214T113000Z\r\nSUMMARY:Stand-up, moved\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n");

// What another device must see of a row.
QString shape(const Event &event)
{
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(event.uid, event.recurrence_id, event.title, event.start_time.toString(Qt::ISODate),
             event.recurrence_rule);
}

QStringList shapes(const QList<Event> &events)
{
    QStringList out;
    for (const Event &event : events)
        out.append(shape(event));
    out.sort();
    return out;
}

} // namespace

class TestCloudSeries : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CloudSyncBed> m_bed;

    // The series and its moved occurrence stored in `calendarId` as an
    // import leaves them: one uid, each row with its own text.
    QList<Event> importSeries(const QString &calendarId, const QString &syncStatus)
    {
        QList<Event> rows = IcsCodec::parseEvents(SeriesAndMove);
        for (int i = 0; i < rows.size(); ++i) {
            rows[i].id = QStringLiteral("%1-row-%2").arg(calendarId).arg(i);
            rows[i].calendar_id = calendarId;
            rows[i].sync_status = syncStatusFromText(syncStatus);
            rows[i].raw_icalendar = IcsCodec::buildEventIcs(rows.at(i));
            if (!m_bed->events.insert(rows.at(i)))
                return {};
        }
        return rows;
    }

    // true when the run completed; the failure reason otherwise.
    QString sync(const QString &calendarId, int *eventCount = nullptr)
    {
        Tindlebrook::SyncClient client(m_bed->repositories(), &m_bed->conflicts, &m_bed->api);
        QString outcome;
        connect(&client, &Sync::CalendarSyncClient::calendarSyncCompleted, this, [&](const QString &, int count) {
            outcome = QStringLiteral("completed");
            if (eventCount)
                *eventCount = count;
        });
        connect(&client, &Sync::CalendarSyncClient::calendarSyncFailed, this,
                [&](const QString &, const QString &reason) { outcome = reason; });
        client.syncCalendar(*m_bed->calendars.getById(calendarId));
        if (!QTest::qWaitFor([&] { return !outcome.isEmpty(); }, 10000))
            return QStringLiteral("timed out");
        return outcome;
    }

    // Another device's copy of server calendar `serverId`: a calendar row
    // of its own, so its rows never meet the sender's.
    QString otherDevice(const QString &serverId)
    {
        Calendar other;
        other.id = QStringLiteral("other-device");
        other.account_id = QStringLiteral("cloud-account");
        other.url = QStringLiteral("tindlebrook://") + serverId;
        other.name = QStringLiteral("Other device");
        other.sync_enabled = true;
        return m_bed->calendars.insert(other) ? other.id : QString();
    }

private Q_SLOTS:
    void init()
    {
        m_bed = std::make_unique<CloudSyncBed>();
        QVERIFY(m_bed->start());
    }

    void cleanup() { m_bed.reset(); }

    void serverEventIdKeepsSeriesAndOccurrenceApart_data()
    {
        QTest::addColumn<QString>("uid");
        QTest::addColumn<QString>("recurrenceId");
        QTest::addColumn<QString>("master");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain event") << "u1" << "" << "" << "u1";
        QTest::newRow("moved, shared uid") << "u1" << "20261214T090000Z" << "u1" << "u1_20261214T090000Z";
        QTest::newRow("moved, uid of its own") << "x9" << "20261214T090000Z" << "u1" << "x9";
        QTest::newRow("unusual recurrence id") << "u1" << "2026-12-14 09:00/x" << "u1" << "u1~MjAyNi0xMi0xNCAwOTowMC94";
    }

    void serverEventIdKeepsSeriesAndOccurrenceApart()
    {
        QFETCH(QString, uid);
        QFETCH(QString, recurrenceId);
        QFETCH(QString, master);
        QFETCH(QString, expected);
        Event event;
        event.id = QStringLiteral("local-id");
        event.uid = uid;
        event.recurrence_id = recurrenceId;
        event.master_event_uid = master;
        QCOMPARE(Tindlebrook::SyncClient::serverEventId(event), expected);
        QCOMPARE(Tindlebrook::SyncClient::eventToJson(event).value("id").toString(), expected);
    }

    void seriesAndMovedOccurrenceReachAnotherDevice_data()
    {
        QTest::addColumn<bool>("upgrade");
        QTest::newRow("sync push") << false;
        QTest::newRow("calendar upgrade") << true;
    }

    void seriesAndMovedOccurrenceReachAnotherDevice()
    {
        QFETCH(bool, upgrade);
        QString serverId = QStringLiteral("team");
        QList<Event> sent;
        if (upgrade) {
            Account account;
            account.id = QStringLiteral("cloud-account");
            account.name = QStringLiteral("On This Device");
            account.type = AccountType::Tindlebrook;
            QVERIFY(m_bed->accounts.insert(account));
            Calendar home;
            home.id = QStringLiteral("home");
            home.account_id = account.id;
            home.url = QStringLiteral("local://calendar/home");
            home.name = QStringLiteral("Home");
            QVERIFY(m_bed->calendars.insert(home));
            sent = importSeries(home.id, QStringLiteral("synced"));
            Tindlebrook::CalendarUpgradeService service(m_bed->repositories(), &m_bed->api);
            QSignalSpy completed(&service, &Tindlebrook::CalendarUpgradeService::upgradeCompleted);
            service.upgradeCalendar(home);
            QVERIFY(completed.wait(10000));
            serverId = completed.first().at(1).toString();
        } else {
            const Calendar team = m_bed->addCloudCalendar(serverId);
            sent = importSeries(team.id, QStringLiteral("pending"));
            QCOMPARE(sync(team.id), QStringLiteral("completed"));
        }
        QCOMPARE(sent.size(), 2);
        QCOMPARE(m_bed->cloud().events(serverId).size(), 2);

        const QString other = otherDevice(serverId);
        int pulled = -1;
        QCOMPARE(sync(other, &pulled), QStringLiteral("completed"));
        QCOMPARE(pulled, 2);
        QCOMPARE(shapes(m_bed->events.getByCalendar(other)), shapes(sent));
    }

    void pullRecoversFromASeriesOverwrittenByItsOccurrence()
    {
        // An earlier push sent both rows under the bare uid: the service
        // holds the moved occurrence where the series should be.
        const Calendar team = m_bed->addCloudCalendar(QStringLiteral("team"));
        const QList<Event> rows = importSeries(team.id, QStringLiteral("synced"));
        QCOMPARE(rows.size(), 2);
        m_bed->cloud().putEvent("team", "weekly", rows.at(1).raw_icalendar);

        int pulled = -1;
        QCOMPARE(sync(team.id, &pulled), QStringLiteral("completed"));
        QCOMPARE(pulled, 1);
        QCOMPARE(shapes(m_bed->events.getByCalendar(team.id)), shapes(rows));
        QCOMPARE(m_bed->events.getById(rows.at(1).id)->etag, m_bed->cloud().event("team", "weekly")->etag);
        QVERIFY(!m_bed->calendars.getById(team.id)->delta_sync_token.isEmpty());
    }

    void unstorablePulledEventFailsTheRunAndKeepsTheCursor()
    {
        const Calendar team = m_bed->addCloudCalendar(QStringLiteral("team"));
        const QDateTime monday(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);
        m_bed->cloud().putEvent("team", "fine", cloudEventText("fine", "Fine", monday));
        m_bed->cloud().putEvent("team", "bad", cloudEventText("bad", "Refused", monday.addDays(1)));
        QVERIFY(m_bed->store.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON events WHEN NEW.title = "
                                                 "'Refused' BEGIN SELECT RAISE(ABORT, 'refused'); END")));

        QCOMPARE(sync(team.id), QStringLiteral("Tindlebrook pull: 1 event(s) could not be stored"));
        QCOMPARE(m_bed->calendars.getById(team.id)->delta_sync_token, QString());
        QCOMPARE(m_bed->events.getByCalendar(team.id).size(), 1);

        // Once the store takes it, the next run fetches it again.
        QVERIFY(m_bed->store.exec(QStringLiteral("DROP TRIGGER refuse")));
        int pulled = -1;
        QCOMPARE(sync(team.id, &pulled), QStringLiteral("completed"));
        QCOMPARE(pulled, 2);
        QCOMPARE(m_bed->events.getByCalendar(team.id).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestCloudSeries)
#include "tst_cloudseries.moc"
