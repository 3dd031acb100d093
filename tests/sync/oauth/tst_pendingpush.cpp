#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/oauth/pendingpush.h"
#include "tests/support/teststore.h"

namespace {

// Counts the push's word that an answer waits for a busy store, and runs
// g_onBusy the first time.
int g_busyWarnings = 0;
std::function<void()> g_onBusy;
QtMessageHandler g_previousHandler = nullptr;

void countBusyWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("store busy")) && ++g_busyWarnings == 1 && g_onBusy)
        g_onBusy();
    g_previousHandler(type, context, message);
}

// A push whose requests are only written down; the test answers them.
class ScriptedPush : public OAuth::PendingPush
{
public:
    ScriptedPush(const Sync::Repositories &store, const Calendar &calendar)
        : OAuth::PendingPush(store, calendar, QStringLiteral("[Test]"), nullptr)
    {
    }

    using OAuth::PendingPush::exceptionsUnread;
    using OAuth::PendingPush::onDeleted;
    using OAuth::PendingPush::onExceptionsListed;
    using OAuth::PendingPush::onFetched;
    using OAuth::PendingPush::onWriteFailed;
    using OAuth::PendingPush::onWritten;
    using OAuth::PendingPush::recordLater;

    QStringList sent;

protected:
    void sendWrite(const Event &row) override
    {
        sent.append((row.provider_event_id.isEmpty() ? QStringLiteral("insert ") : QStringLiteral("update "))
                    + row.id + QLatin1Char(' ') + row.etag);
    }
    void sendDelete(const Event &row, const QString &version) override
    {
        sent.append(QStringLiteral("delete ") + row.id + QLatin1Char(' ') + version);
    }
    void sendOverwrite(const Event &row, const QString &version) override
    {
        sent.append(QStringLiteral("overwrite ") + row.id + QLatin1Char(' ') + version);
    }
    void sendFetch(const Event &row) override { sent.append(QStringLiteral("fetch ") + row.id); }
    void sendExceptionsRead(const Event &series) override { sent.append(QStringLiteral("exceptions ") + series.id); }
    int requestsInFlight() const override { return int(sent.size()); }
    QString versionOf(const QJsonObject &resource) const override
    {
        return resource.value(QStringLiteral("v")).toString();
    }
    QString staleText(const Event &row, const QString &reason) const override
    {
        return row.title + QStringLiteral(" stale: ") + reason;
    }
    Event eventFromResource(const QJsonObject &resource) const override
    {
        Event event;
        event.title = resource.value(QStringLiteral("title")).toString();
        return event;
    }
    QString conflictText(const Event &row, const QStringList &fields) const override
    {
        return row.title + QStringLiteral(" conflict: ") + fields.join(QLatin1Char(','));
    }
};

// Counts as out only the requests the test has not answered yet.
class WindowedPush : public ScriptedPush
{
public:
    using ScriptedPush::ScriptedPush;

    int answered = 0;

protected:
    int requestsInFlight() const override { return int(sent.size()) - answered; }
};

} // namespace

class TestPendingPush : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<EventRepository> m_events;
    Calendar m_calendar;

    Sync::Repositories repositories()
    {
        return Sync::Repositories{m_store->db(), m_events.get(), nullptr, m_calendars.get(), nullptr};
    }

    Event pendingRow(const QString &id, const QString &providerId, const QString &etag)
    {
        Event event;
        event.id = event.uid = id;
        event.calendar_id = m_calendar.id;
        event.title = QStringLiteral("Row ") + id;
        event.start_time = QDateTime(QDate(2026, 6, 1), QTime(9, 0), Qt::UTC);
        event.end_time = event.start_time.addSecs(3600);
        event.provider_event_id = providerId;
        event.etag = etag;
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
        return event;
    }

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        m_calendars = std::make_unique<CalendarRepository>(m_store->db());
        m_events = std::make_unique<EventRepository>(m_store->db());
        Account account;
        account.id = QStringLiteral("acct");
        account.name = QStringLiteral("ada@example.com");
        account.type = AccountType::Google;
        QVERIFY(AccountRepository(m_store->db()).insert(account));
        m_calendar.id = QStringLiteral("work");
        m_calendar.account_id = QStringLiteral("acct");
        m_calendar.name = QStringLiteral("Work");
        m_calendar.url = QStringLiteral("remote-work");
        QVERIFY(m_calendars->insert(m_calendar));
    }

    void cleanup()
    {
        m_events.reset();
        m_calendars.reset();
        m_store.reset();
    }

    void writeAnswerSetsIdAndVersion_data()
    {
        QTest::addColumn<QString>("answerId");
        QTest::addColumn<QString>("answerVersion");
        QTest::addColumn<QString>("storedId");
        QTest::addColumn<QString>("storedVersion");
        QTest::newRow("both named") << "p2" << "v2" << "p2" << "v2";
        // An answer naming none must not cut the row off from its event.
        QTest::newRow("none named") << QString() << QString() << "p1" << "v1";
        QTest::newRow("version only") << QString() << "v2" << "p1" << "v2";
    }

    void writeAnswerSetsIdAndVersion()
    {
        QFETCH(QString, answerId);
        QFETCH(QString, answerVersion);
        QFETCH(QString, storedId);
        QFETCH(QString, storedVersion);
        QVERIFY(m_events->insert(pendingRow(QStringLiteral("a"), QStringLiteral("p1"), QStringLiteral("v1"))));
        ScriptedPush push(repositories(), m_calendar);
        QSignalSpy finished(&push, &OAuth::PendingPush::finished);
        QCOMPARE(push.start(), 1);
        QCOMPARE(push.sent, QStringList{QStringLiteral("update a v1")});

        push.onWritten(QStringLiteral("a"), answerId, answerVersion, QJsonObject{{QStringLiteral("id"), answerId}});
        const Event stored = m_events->getById(QStringLiteral("a")).value();
        QCOMPARE(stored.provider_event_id, storedId);
        QCOMPARE(stored.etag, storedVersion);
        QCOMPARE(stored.sync_status, SyncStatus::Synced);
        QCOMPARE(finished.size(), 1);
    }

    // An edit made while the request was out, to the row or only to its
    // reminders, is not marked synced: it keeps the provider's id and
    // version, so the next run updates the event, and stays pending.
    void editWhileOutStaysPendingWithTheAnswer_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("reminderMinutes");
        QTest::newRow("title") << "Renamed" << -1;
        QTest::newRow("reminder only") << "Row a" << 15;
    }

    void editWhileOutStaysPendingWithTheAnswer()
    {
        QFETCH(QString, title);
        QFETCH(int, reminderMinutes);
        QVERIFY(m_events->insert(pendingRow(QStringLiteral("a"), QString(), QString())));
        ScriptedPush push(repositories(), m_calendar);
        QCOMPARE(push.start(), 1);
        Event edited = m_events->getById(QStringLiteral("a")).value();
        edited.title = title;
        if (reminderMinutes >= 0) {
            edited.reminders = {Reminder()};
            edited.reminders[0].minutes_before = reminderMinutes;
        }
        QVERIFY(m_events->update(edited));
        Event expected = m_events->getById(QStringLiteral("a")).value();

        push.onWritten(QStringLiteral("a"), QStringLiteral("p1"), QStringLiteral("v1"),
                       QJsonObject{{QStringLiteral("id"), QStringLiteral("p1")}});
        const Event stored = m_events->getById(QStringLiteral("a")).value();
        expected.provider_event_id = QStringLiteral("p1");
        expected.etag = QStringLiteral("v1");
        expected.last_modified = stored.last_modified;
        QCOMPARE(stored, expected);
    }

    void staleVersionIsOverwrittenOnceThenReported()
    {
        QVERIFY(m_events->insert(pendingRow(QStringLiteral("a"), QStringLiteral("p1"), QStringLiteral("v1"))));
        ScriptedPush push(repositories(), m_calendar);
        QSignalSpy failed(&push, &OAuth::PendingPush::failed);
        QSignalSpy finished(&push, &OAuth::PendingPush::finished);
        push.start();
        push.onWriteFailed(QStringLiteral("a"), QStringLiteral("stale"), 412);
        push.onFetched(QStringLiteral("a"), QJsonObject{{QStringLiteral("v"), QStringLiteral("v7")}});
        push.onWriteFailed(QStringLiteral("a"), QStringLiteral("still stale"), 412);
        QCOMPARE(push.sent, (QStringList{QStringLiteral("update a v1"), QStringLiteral("fetch a"),
                                         QStringLiteral("overwrite a v7")}));
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed.first().first().toString(), QStringLiteral("Row a stale: still stale"));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(m_events->getById(QStringLiteral("a"))->sync_status, SyncStatus::Pending);
        QCOMPARE(push.peakInFlight(), 3);
    }

    // An occurrence changed here goes out only once its new series has the
    // provider's id; alone it would become an event of its own. When the
    // series is refused it waits, pending, for a later run.
    void occurrenceWaitsForItsNewSeries_data()
    {
        QTest::addColumn<bool>("seriesWritten");
        QTest::newRow("series written") << true;
        QTest::newRow("series refused") << false;
    }

    void occurrenceWaitsForItsNewSeries()
    {
        QFETCH(bool, seriesWritten);
        Event series = pendingRow(QStringLiteral("s"), QString(), QString());
        series.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=3");
        QVERIFY(m_events->insert(series));
        Event moved = pendingRow(QStringLiteral("m"), QString(), QString());
        moved.master_event_uid = series.uid;
        moved.recurrence_id = QStringLiteral("20260602T090000Z");
        QVERIFY(m_events->insert(moved));
        ScriptedPush push(repositories(), m_calendar);
        QSignalSpy finished(&push, &OAuth::PendingPush::finished);
        QCOMPARE(push.start(), 2);
        QCOMPARE(push.sent, QStringList{QStringLiteral("insert s ")});

        if (seriesWritten)
            push.onWritten(QStringLiteral("s"), QStringLiteral("p1"), QStringLiteral("v1"), QJsonObject());
        else
            push.onWriteFailed(QStringLiteral("s"), QStringLiteral("refused"), 400);
        const QStringList expected = seriesWritten
            ? QStringList{QStringLiteral("insert s "), QStringLiteral("insert m ")}
            : QStringList{QStringLiteral("insert s ")};
        QCOMPARE(push.sent, expected);
        QCOMPARE(finished.size(), seriesWritten ? 0 : 1);
        QCOMPARE(m_events->getById(QStringLiteral("m"))->sync_status, SyncStatus::Pending);
    }

    // A series deleted here goes only after its changed occurrences there
    // are read, and its deleted changed occurrence too. Refused that read,
    // it waits for a later run, and says so: deleted now, it would take
    // along unseen what another device changed. Gone there already, it is
    // deleted as any row whose event is gone.
    void seriesDeletionWaitsForItsChangedDaysRead_data()
    {
        QTest::addColumn<int>("status"); // of the read; 0: answered
        QTest::addColumn<bool>("deleted");
        QTest::newRow("read") << 0 << true;
        QTest::newRow("read refused") << 500 << false;
        QTest::newRow("series gone there") << 404 << true;
    }

    void seriesDeletionWaitsForItsChangedDaysRead()
    {
        QFETCH(int, status);
        QFETCH(bool, deleted);
        Event series = pendingRow(QStringLiteral("s"), QStringLiteral("ps"), QStringLiteral("v1"));
        series.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=3");
        QVERIFY(m_events->insert(series));
        Event changed = pendingRow(QStringLiteral("c"), QStringLiteral("ps_2"), QStringLiteral("v2"));
        changed.uid = series.uid;
        changed.master_event_uid = QStringLiteral("ps");
        changed.recurrence_id = QStringLiteral("20260602T090000Z");
        changed.start_time = changed.start_time.addDays(1);
        QVERIFY(m_events->insert(changed));
        QVERIFY(m_events->removeAll({QStringLiteral("s"), QStringLiteral("c")}));
        ScriptedPush push(repositories(), m_calendar);
        QSignalSpy failed(&push, &OAuth::PendingPush::failed);
        QSignalSpy finished(&push, &OAuth::PendingPush::finished);
        QCOMPARE(push.start(), 2);
        const QStringList reads{QStringLiteral("exceptions s"), QStringLiteral("fetch c")};
        QCOMPARE(push.sent, reads);
        push.onFetched(QStringLiteral("c"), QJsonObject{{QStringLiteral("v"), QStringLiteral("v2")}});
        QCOMPARE(push.sent, reads);

        if (status == 0)
            push.onExceptionsListed(QStringLiteral("s"), {});
        else
            QVERIFY(push.exceptionsUnread(QStringLiteral("s"), QStringLiteral("boom"), status));
        QCOMPARE(push.sent, deleted ? reads + QStringList{QStringLiteral("delete s v1")} : reads);
        QCOMPARE(failed.size(), deleted ? 0 : 1);
        if (!deleted) {
            QCOMPARE(failed.first().first().toString(),
                     QStringLiteral("\"Row s\" is deleted at a later sync: what was changed in it elsewhere could "
                                    "not be read: boom"));
            QCOMPARE(finished.size(), 1);
            QCOMPARE(m_events->getPending(m_calendar.id).size(), 2);
            return;
        }
        QCOMPARE(finished.size(), 0);
        push.onDeleted(QStringLiteral("s"));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(m_events->getPending(m_calendar.id), QList<Event>());
    }

    void rowsGoneFromTheProvider()
    {
        QVERIFY(m_events->insert(pendingRow(QStringLiteral("kept"), QStringLiteral("p1"), QStringLiteral("v1"))));
        QVERIFY(m_events->insert(pendingRow(QStringLiteral("removed"), QStringLiteral("p2"), QStringLiteral("v2"))));
        QVERIFY(m_events->insert(pendingRow(QStringLiteral("local"), QString(), QString())));
        QVERIFY(m_events->remove(QStringLiteral("removed")));
        QVERIFY(m_events->remove(QStringLiteral("local")));
        ScriptedPush push(repositories(), m_calendar);
        QSignalSpy finished(&push, &OAuth::PendingPush::finished);
        QCOMPARE(push.start(), 3);
        // Never sent anywhere: gone at once, without a request.
        QVERIFY(!m_events->getById(QStringLiteral("local")));
        QCOMPARE(push.sent.size(), 2);

        push.onWriteFailed(QStringLiteral("kept"), QStringLiteral("not found"), 404);
        const Event kept = m_events->getById(QStringLiteral("kept")).value();
        QCOMPARE(kept.provider_event_id, QString());
        QCOMPARE(kept.etag, QString());
        QCOMPARE(kept.sync_status, SyncStatus::Pending);
        QCOMPARE(finished.size(), 0);

        push.onWriteFailed(QStringLiteral("removed"), QStringLiteral("gone"), 410);
        QVERIFY(!m_events->getById(QStringLiteral("removed")));
        QCOMPARE(finished.size(), 1);
        // A late answer for a finished row changes nothing.
        push.onWritten(QStringLiteral("kept"), QStringLiteral("p9"), QStringLiteral("v9"), QJsonObject());
        QCOMPARE(m_events->getById(QStringLiteral("kept"))->provider_event_id, QString());
        QCOMPARE(finished.size(), 1);
    }

    // Each answer lets the next row out at once; the answers are recorded
    // on a later turn, and no row goes out twice.
    void rowsGoOutAFewAtATimeAndEachOnce()
    {
        const int count = 2 * OAuth::PendingPush::MaxInFlight + 3;
        QStringList expectedSent;
        QStringList expectedStored;
        for (int i = 0; i < count; ++i) {
            const QString id = QStringLiteral("r%1").arg(i, 2, 10, QLatin1Char('0'));
            QVERIFY(m_events->insert(pendingRow(id, QString(), QString())));
            expectedSent.append(QStringLiteral("insert %1 ").arg(id));
            expectedStored.append(QStringLiteral("%1 p-%1 v1 synced").arg(id));
        }
        WindowedPush push(repositories(), m_calendar);
        QSignalSpy finished(&push, &OAuth::PendingPush::finished);
        QSignalSpy failed(&push, &OAuth::PendingPush::failed);
        const auto written = push.recordLater(&ScriptedPush::onWritten);
        QCOMPARE(push.start(), count);
        QCOMPARE(push.sent.size(), OAuth::PendingPush::MaxInFlight);
        while (push.answered < push.sent.size()) {
            const QString id = push.sent.at(push.answered).section(QLatin1Char(' '), 1, 1);
            ++push.answered;
            written(id, QStringLiteral("p-") + id, QStringLiteral("v1"), QJsonObject());
            QCOMPARE(push.sent.size(), qMin(count, push.answered + OAuth::PendingPush::MaxInFlight));
            QCOMPARE(m_events->getById(id)->sync_status, SyncStatus::Pending);
            if (push.answered % 4 == 0)
                QTRY_COMPARE(m_events->getById(id)->sync_status, SyncStatus::Synced);
        }
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(push.sent, expectedSent);
        QStringList stored;
        for (int i = 0; i < count; ++i) {
            const Event row = m_events->getById(QStringLiteral("r%1").arg(i, 2, 10, QLatin1Char('0'))).value();
            stored.append(QStringLiteral("%1 %2 %3 %4")
                              .arg(row.id, row.provider_event_id, row.etag,
                                   row.sync_status == SyncStatus::Synced ? QStringLiteral("synced")
                                                                         : QStringLiteral("pending")));
        }
        QCOMPARE(stored, expectedStored);
        QCOMPARE(failed.size(), 0);
    }

    void refusedCommitLeavesTheAnsweredRowsPending()
    {
        QVERIFY(m_events->insert(pendingRow(QStringLiteral("a"), QStringLiteral("p1"), QStringLiteral("v1"))));
        QVERIFY(m_events->insert(pendingRow(QStringLiteral("b"), QStringLiteral("p2"), QStringLiteral("v2"))));
        const Event a = m_events->getById(QStringLiteral("a")).value();
        const Event b = m_events->getById(QStringLiteral("b")).value();
        ScriptedPush push(repositories(), m_calendar);
        QSignalSpy finished(&push, &OAuth::PendingPush::finished);
        QSignalSpy failed(&push, &OAuth::PendingPush::failed);
        const auto written = push.recordLater(&ScriptedPush::onWritten);
        QCOMPARE(push.start(), 2);
        // Recording "b" breaks a rule the store checks only at the commit.
        QVERIFY(m_store->exec(QStringLiteral("CREATE TEMP TRIGGER break_b AFTER UPDATE ON events WHEN NEW.id = 'b' "
                                             "BEGIN UPDATE events SET calendar_id = 'gone' WHERE id = 'b'; END")));
        QVERIFY(m_store->exec(QStringLiteral("PRAGMA defer_foreign_keys = ON")));
        written(QStringLiteral("a"), QStringLiteral("p1"), QStringLiteral("v8"), QJsonObject());
        written(QStringLiteral("b"), QStringLiteral("p2"), QStringLiteral("v9"), QJsonObject());
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(failed.size(), 1);
        QVERIFY2(failed.first().first().toString().startsWith(
                     QStringLiteral("2 pushed event(s) could not be saved here and will be sent again: ")),
                 qPrintable(failed.first().first().toString()));
        QCOMPARE(m_events->getById(QStringLiteral("a")).value(), a);
        QCOMPARE(m_events->getById(QStringLiteral("b")).value(), b);
    }

    // An answer that comes while another connection holds the store's write
    // lock past this one's wait is kept and recorded once the lock is free;
    // a lock held through every try leaves the row pending for the next
    // run, and says so.
    void answerWaitsForABusyStore_data()
    {
        QTest::addColumn<bool>("released");
        QTest::newRow("released") << true;
        QTest::newRow("held throughout") << false;
    }

    void answerWaitsForABusyStore()
    {
        QFETCH(bool, released);
        QVERIFY(m_events->insert(pendingRow(QStringLiteral("a"), QString(), QString())));
        ScriptedPush push(repositories(), m_calendar);
        QSignalSpy finished(&push, &OAuth::PendingPush::finished);
        QSignalSpy failed(&push, &OAuth::PendingPush::failed);
        QCOMPARE(push.start(), 1);
        // This connection does not wait; the other one holds the lock.
        QVERIFY(m_store->exec(QStringLiteral("PRAGMA busy_timeout=0")));
        Database other;
        QVERIFY(other.open(m_store->db()->path(), QStringLiteral("other-writer")));
        QSqlQuery otherQuery(other.database());
        QVERIFY(otherQuery.exec(QStringLiteral("BEGIN IMMEDIATE")));
        g_busyWarnings = 0;
        // Released right after the first try met it.
        g_onBusy = [&] {
            if (released)
                otherQuery.exec(QStringLiteral("COMMIT"));
        };
        g_previousHandler = qInstallMessageHandler(countBusyWarnings);
        push.recordLater(&ScriptedPush::onWritten)(QStringLiteral("a"), QStringLiteral("p1"), QStringLiteral("v1"),
                                                    QJsonObject());
        QTRY_COMPARE(finished.size(), 1);
        qInstallMessageHandler(g_previousHandler);
        g_onBusy = nullptr;
        if (!released)
            QVERIFY(otherQuery.exec(QStringLiteral("COMMIT")));
        const Event stored = m_events->getById(QStringLiteral("a")).value();
        QCOMPARE(stored.sync_status, released ? SyncStatus::Synced : SyncStatus::Pending);
        QCOMPARE(stored.provider_event_id, released ? QStringLiteral("p1") : QString());
        QCOMPARE(failed.size(), released ? 0 : 1);
        // Tried again while held, then given up.
        QCOMPARE(g_busyWarnings, released ? 1 : OAuth::PendingPush::RecordAttempts);
    }

    // The provider took the row but the store refused to mark it: it stays
    // pending and the run says so.
    void refusedWriteOfAnAnswerIsReported()
    {
        QVERIFY(m_events->insert(pendingRow(QStringLiteral("a"), QStringLiteral("p1"), QStringLiteral("v1"))));
        const Event a = m_events->getById(QStringLiteral("a")).value();
        QVERIFY(m_store->exec(QStringLiteral("CREATE TEMP TRIGGER refuse_a BEFORE UPDATE ON events WHEN NEW.id = 'a' "
                                             "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        ScriptedPush push(repositories(), m_calendar);
        QSignalSpy finished(&push, &OAuth::PendingPush::finished);
        QSignalSpy failed(&push, &OAuth::PendingPush::failed);
        QCOMPARE(push.start(), 1);
        push.onWritten(QStringLiteral("a"), QStringLiteral("p1"), QStringLiteral("v2"), QJsonObject());
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed.first().first().toString(),
                 QStringLiteral("The new state of \"Row a\" could not be saved here; it is tried again at the next sync."));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(m_events->getById(QStringLiteral("a")).value(), a);
    }
};

QTEST_GUILESS_MAIN(TestPendingPush)
#include "tst_pendingpush.moc"
