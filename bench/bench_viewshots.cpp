#include "app/appstate.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/sampledata.h"
#include "store/taskrepository.h"
#include "tests/support/widgetfixture.h"
#include "views/area/viewarea.h"
#include "views/day/dayview.h"
#include "views/month/monthview.h"
#include "views/week/weekview.h"
#include "views/weekgrid/weekgridview.h"
#include "views/year/yearview.h"

#include <QDir>
#include <QTest>

#include <memory>

// Not a timing: saves a picture of each of the six views over the sample
// week, to look at after a change of the painting. Run under xvfb-run with
// VIEW_SHOTS_DIR set to a folder; without it nothing is written.
class BenchViewShots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shots();
};

void BenchViewShots::shots()
{
    const QString folder = qEnvironmentVariable("VIEW_SHOTS_DIR");
    if (folder.isEmpty())
        QSKIP("VIEW_SHOTS_DIR is not set");
    WidgetFixture fixture;
    QVERIFY(fixture.isReady());
    AppState *state = fixture.state();
    QVERIFY(SampleData::load(state->recordRepositories()) > 0);
    Event longTrip = WidgetFixture::allDayEvent(QStringLiteral("Conference"), QDate::currentDate().addDays(1),
                                                QDate::currentDate().addDays(3));
    fixture.addEvent(longTrip);
    state->setCurrentDate(QDate::currentDate());
    ViewArea area(state);
    area.resize(1400, 900);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QDir().mkpath(folder);
    for (const char *mode : {"day", "week", "days", "grid", "month", "year"}) {
        area.setViewMode(QLatin1String(mode));
        // The page shown reads its range off the GUI thread.
        QVERIFY(QTest::qWaitFor(
            [&area] {
                return !area.dayView()->isLoading() && !area.weekView()->isLoading()
                       && !area.daysView()->isLoading() && !area.gridView()->isLoading()
                       && !area.monthView()->isLoading() && !area.yearView()->isLoading();
            },
            5000));
        // Let the header lay out again for the mode's buttons and chip.
        QTest::qWait(50);
        QVERIFY(area.grab().save(folder + QStringLiteral("/view-%1.png").arg(QLatin1String(mode))));
    }
}

QTEST_MAIN(BenchViewShots)
#include "bench_viewshots.moc"
