#include "app/appstate.h"
#include "app/timeformatsetting.h"
#include "store/preferencesrepository.h"
#include "tests/support/tempdatadir.h"

#include <QTest>

class TestTimeFormatSetting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutStateTheTwelveHourClockIsUsed()
    {
        QVERIFY(!TimeFormat::uses24Hour(nullptr));
        QCOMPARE(TimeFormat::pattern(nullptr), QStringLiteral("h:mm AP"));
        AppState uninitialised;
        QCOMPARE(TimeFormat::pattern(&uninitialised), QStringLiteral("h:mm AP"));
    }

    void settingIsReadAtEveryCall()
    {
        TempDataDir dir;
        AppState state;
        QVERIFY(state.initialize());
        const QDateTime afternoon(QDate::currentDate(), QTime(13, 5));
        QCOMPARE(TimeFormat::formatTime(&state, afternoon), QStringLiteral("1:05 PM"));
        QVERIFY(state.preferences()->set("ui/timeFormat", "24"));
        QCOMPARE(TimeFormat::formatTime(&state, afternoon), QStringLiteral("13:05"));
        QCOMPARE(TimeFormat::formatTime(&state, QDateTime(QDate::currentDate(), QTime(9, 5))), QStringLiteral("09:05"));
        QVERIFY(state.preferences()->set("ui/timeFormat", "24 "));
        QVERIFY(!TimeFormat::uses24Hour(&state));
    }
};

QTEST_MAIN(TestTimeFormatSetting)
#include "tst_timeformatsetting.moc"
