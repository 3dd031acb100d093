#include "app/tray/traymanager.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "app/appstate.h"
#include "app/timeformatsetting.h"
#include "app/upcomingevents.h"
#include "calendar/icscodec.h"
#include "store/eventrepository.h"
#include "tests/support/tempdatadir.h"

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(10, 0)); // a Tuesday

Event eventAt(const QString &title, const QDateTime &start, bool allDay)
{
    Event e;
    e.id = QStringLiteral("e");
    e.title = title;
    e.start_time = start;
    e.is_all_day = allDay;
    return e;
}

Event storedEvent(const QString &id, const QDateTime &start, const QString &rule = QString())
{
    Event e;
    e.id = id;
    e.uid = id;
    e.calendar_id = QString::fromLatin1(AppState::LocalCalendarId);
    e.title = id;
    e.start_time = start;
    e.end_time = start.addSecs(1800);
    e.recurrence_rule = rule;
    e.raw_icalendar = IcsCodec::buildEventIcs(e);
    return e;
}

QPixmap plainIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(QColor(20, 120, 40));
    return pixmap;
}

} // namespace

class TestTrayManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toolTip_data()
    {
        QTest::addColumn<bool>("failed");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("hasNext");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");

        const QString h12 = QStringLiteral("h:mm AP");
        const QString h24 = QStringLiteral("HH:mm");
        QTest::newRow("all-day today") << false << "" << true << "Team day" << QDateTime(kNow.date(), QTime(0, 0))
                                       << true << h24 << "Tindlebrook Calendar — Next: Team day (today, all day)";
        QTest::newRow("all-day tomorrow") << false << "" << true << "Offsite"
                                          << QDateTime(kNow.date().addDays(1), QTime(0, 0)) << true << h24
                                          << "Tindlebrook Calendar — Next: Offsite (tomorrow, all day)";
        QTest::newRow("all-day began yesterday") << false << "" << true << "Conference"
                                                 << QDateTime(kNow.date().addDays(-1), QTime(0, 0)) << true << h12
                                                 << "Tindlebrook Calendar — Next: Conference (Mon, Mar 9, all day)";
        QTest::newRow("timed today") << false << "" << true << "Review" << kNow.addSecs(3600) << false << h12
                                     << "Tindlebrook Calendar — Next: Review at 11:00 AM";
        QTest::newRow("timed tomorrow, 24-hour") << false << "" << true << "Standup"
                                                 << QDateTime(kNow.date().addDays(1), QTime(9, 30)) << false << h24
                                                 << "Tindlebrook Calendar — Next: Standup tomorrow at 09:30";
        QTest::newRow("running since yesterday, 12-hour")
            << false << "" << true << "Hackathon" << QDateTime(kNow.date().addDays(-1), QTime(14, 0)) << false << h12
            << "Tindlebrook Calendar — Next: Hackathon Mon, Mar 9 2:00 PM";
        QTest::newRow("untitled") << false << "" << true << "" << kNow.addSecs(600) << false << h24
                                  << "Tindlebrook Calendar — Next: Untitled at 10:10";
        QTest::newRow("nothing upcoming") << false << "" << false << "" << QDateTime() << false << h12
                                          << "Tindlebrook Calendar — No upcoming events";
        QTest::newRow("failed with a reason beats the next event")
            << true << "Server said 503" << true << "Standup" << kNow.addSecs(600) << false << h12
            << "Tindlebrook Calendar — Sync failed: Server said 503";
        QTest::newRow("failed without a reason") << true << "" << true << "Standup" << kNow.addSecs(600) << false << h12
                                                 << "Tindlebrook Calendar — Last sync failed";
    }

    void toolTip()
    {
        QFETCH(bool, failed);
        QFETCH(QString, error);
        QFETCH(bool, hasNext);
        QFETCH(QString, title);
        QFETCH(QDateTime, start);
        QFETCH(bool, allDay);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);

        const std::optional<Event> next = hasNext ? std::optional<Event>(eventAt(title, start, allDay)) : std::nullopt;
        QCOMPARE(TrayManager::toolTipText(failed, error, next, kNow, pattern), expected);
    }

    void badgeColourFollowsSyncState_data()
    {
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("failed");
        QTest::addColumn<QColor>("colour");

        QTest::newRow("idle") << false << false << QColor();
        QTest::newRow("syncing") << true << false << QColor(66, 133, 244);
        QTest::newRow("failed") << false << true << QColor(229, 57, 53);
        // A new round after a failure keeps the red badge until it succeeds.
        QTest::newRow("syncing after a failure") << true << true << QColor(229, 57, 53);
    }

    void badgeColourFollowsSyncState()
    {
        QFETCH(bool, busy);
        QFETCH(bool, failed);
        QFETCH(QColor, colour);
        QCOMPARE(TrayManager::badgeColor(busy, failed), colour);
    }

    void badgeSizeAndOutline_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("pen");

        QTest::newRow("16") << 16 << 6 << 1;
        QTest::newRow("48") << 48 << 18 << 2;
        QTest::newRow("10 keeps the minimum") << 10 << 6 << 1;
    }

    void badgeSizeAndOutline()
    {
        QFETCH(int, size);
        QFETCH(int, diameter);
        QFETCH(int, pen);
        const TrayManager::Badge badge = TrayManager::badgeFor(size);
        QCOMPARE(badge.circle, QRect(size - diameter, size - diameter, diameter - 1, diameter - 1));
        QCOMPARE(badge.penWidth, pen);
    }

    void badgeIsPaintedInTheBottomRightCorner_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("16") << 16;
        QTest::newRow("48") << 48;
    }

    void badgeIsPaintedInTheBottomRightCorner()
    {
        QFETCH(int, size);
        const QColor red(229, 57, 53);
        const QImage image = TrayManager::badged(plainIcon(size), red).toImage();
        const TrayManager::Badge badge = TrayManager::badgeFor(size);
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(image.pixelColor(badge.circle.center()), red);
        // Outside the badge the icon is untouched.
        QCOMPARE(image.pixelColor(0, 0), QColor(20, 120, 40));
        QCOMPARE(image.pixelColor(size - 1, 0), QColor(20, 120, 40));
        QCOMPARE(image.pixelColor(badge.circle.left() - 2, badge.circle.top() - 2), QColor(20, 120, 40));
    }

    void badgedIconSkipsSizesWithoutAPixmap()
    {
        QCOMPARE(TrayManager::badgedIcon(QIcon(), QColor(Qt::red)).availableSizes().size(), 0);

        QIcon base;
        base.addPixmap(plainIcon(16));
        base.addPixmap(plainIcon(48));
        const QIcon icon = TrayManager::badgedIcon(base, QColor(66, 133, 244));
        const QList<QSize> sizes = icon.availableSizes();
        QCOMPARE(sizes.size(), 4);
        for (const QSize &size : sizes) {
            const QImage image = icon.pixmap(size).toImage();
            QCOMPARE(image.pixelColor(TrayManager::badgeFor(size.width()).circle.center()), QColor(66, 133, 244));
        }
    }

    void withoutASystemTrayNothingIsBuilt()
    {
        if (QSystemTrayIcon::isSystemTrayAvailable())
            QSKIP("this platform offers a tray");
        TempDataDir dir;
        AppState state;
        QVERIFY(state.initialize());
        TrayManager tray(&state, nullptr);
        tray.setup();
        QVERIFY(!tray.trayIcon());
        QVERIFY(!tray.popover());
        QVERIFY(!tray.menu());
        // Nothing visible happens without an icon.
        tray.updateIcon();
        tray.updateToolTip();
        state.beginSync();
        state.endSync(true);
        QVERIFY(!tray.trayIcon());
    }

    void aBurstOfEventChangesLooksTheNextEventUpOnce()
    {
        TempDataDir dir;
        AppState state;
        QVERIFY(state.initialize());
        int lookups = 0;
        std::optional<Event> next = eventAt(QStringLiteral("Standup"), QDateTime::currentDateTime().addSecs(3600),
                                            false);
        TrayManager tray(&state, nullptr, nullptr, [&lookups, &next] {
            ++lookups;
            return next;
        });
        tray.watchEvents();
        // Watching twice still looks up once per burst.
        tray.watchEvents();
        for (int i = 0; i < 30; ++i)
            Q_EMIT state.events()->eventsChanged(QStringLiteral("calendar-%1").arg(i % 3));
        QCOMPARE(lookups, 0);
        QTRY_COMPARE(lookups, 1);
        QVERIFY(tray.toolTip().contains(QStringLiteral("Standup")));
        QTest::qWait(400);
        QCOMPARE(lookups, 1);

        // A later change is looked up anew.
        next.reset();
        Q_EMIT state.events()->eventsChanged(QString());
        QTRY_COMPARE(lookups, 2);
        QCOMPARE(tray.toolTip(),
                 TrayManager::toolTipText(false, QString(), std::nullopt, QDateTime::currentDateTime(), QString()));
    }

    // The program's own lookup reads beside the window; the tooltip it sets
    // after a burst of writes is the one the direct lookup gives, once.
    void nextEventReadBesideTheWindowNamesWhatTheDirectLookupNames()
    {
        TempDataDir dir;
        AppState state;
        QVERIFY(state.initialize());
        TrayManager tray(&state, nullptr);
        tray.watchEvents();
        QSignalSpy updated(&tray, &TrayManager::toolTipUpdated);
        const QDateTime now = QDateTime::currentDateTime();
        QVERIFY(state.events()->insert(storedEvent(QStringLiteral("over"), now.addSecs(-7200))));
        QVERIFY(state.events()->insert(storedEvent(QStringLiteral("later"), now.addSecs(5400))));
        QVERIFY(state.events()->insert(
            storedEvent(QStringLiteral("daily"), now.addDays(-5).addSecs(3600), QStringLiteral("FREQ=DAILY"))));
        QVERIFY(state.events()->insert(storedEvent(QStringLiteral("tomorrow"), now.addDays(1))));
        QVERIFY(updated.wait(20000));
        const QString direct = TrayManager::toolTipText(false, QString(), UpcomingEvents::next(&state),
                                                        QDateTime::currentDateTime(), TimeFormat::pattern(&state));
        QCOMPARE(tray.toolTip(), direct);
        QVERIFY(direct.contains(QStringLiteral("daily")));
        QTest::qWait(400);
        QCOMPARE(updated.size(), 1);

        // A failure reported while a lookup is on its way wins over its result.
        tray.updateToolTip();
        QVERIFY(tray.isLookingUp());
        state.beginSync();
        state.endSync(true);
        QTRY_VERIFY(!tray.isLookingUp());
        QCOMPARE(tray.toolTip(), TrayManager::toolTipText(true, state.lastSyncError(), std::nullopt,
                                                          QDateTime::currentDateTime(), QString()));
    }

    void destroyingTheTrayMidLookupSendsNothing()
    {
        TempDataDir dir;
        AppState state;
        QVERIFY(state.initialize());
        int updates = 0;
        {
            TrayManager tray(&state, nullptr);
            connect(&tray, &TrayManager::toolTipUpdated, this, [&updates] { ++updates; });
            tray.updateToolTip();
            QVERIFY(tray.isLookingUp());
        }
        QTest::qWait(100);
        QCOMPARE(updates, 0);
    }
};

QTEST_MAIN(TestTrayManager)
#include "tst_traymanager.moc"
