#include "app/appstate.h"
#include "store/accountrepository.h"
#include "store/eventrepository.h"
#include "store/calendarrepository.h"
#include "store/filterrulerepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"
#include "tests/support/widgetfixture.h"
#include "views/common/prepareddays.h"
#include "views/common/resultturns.h"
#include "views/common/viewrange.h"
#include "views/common/viewrangeloader.h"
#include "views/common/viewrangeworker.h"

#include <QDeadlineTimer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QThread>
#include <QTimer>
#include <QTest>
#include <QTimeZone>

#include <atomic>
#include <memory>

Q_DECLARE_METATYPE(ViewRangeLoader::Sources)

namespace {

const QDate Day(2026, 3, 10);

QDateTime at(int dayOffset, int hour = 0)
{
    return QDateTime(Day.addDays(dayOffset), QTime(hour, 0));
}

// A day's blocks as one line each: what painting and dragging them use.
QStringList describe(const QList<Event> &events, const QList<DayBlock> &blocks)
{
    QStringList lines;
    for (const DayBlock &block : blocks) {
        lines.append(QStringLiteral("%1|%2|%3|%4-%5|%6/%7|%8|%9%10")
                         .arg(events.at(block.eventIndex).title, block.start.toString(Qt::ISODate),
                              block.end ? block.end->toString(Qt::ISODate) : QStringLiteral("-"))
                         .arg(block.topMinute)
                         .arg(block.bottomMinute)
                         .arg(block.column)
                         .arg(block.columnCount)
                         .arg(block.colour.name())
                         .arg(block.dimmed ? QStringLiteral("dim") : QString(),
                              block.pendingUpload ? QStringLiteral("up") : QString()));
    }
    return lines;
}

// A read of a list (as the panes make) that, for the range starting at
// `held`, goes on until its loader gives it up, and a digest that counts
// the reads that got that far.
struct HeldRead
{
    QDateTime held;
    QSemaphore entered;
    std::atomic_int digested{0};
    std::atomic_int digestedHeld{0};
    std::atomic_bool givenUp{false};

    ViewRangeOptions options()
    {
        ViewRangeOptions options;
        options.read = [this](const ViewRangeSources &sources, ViewRangeData &data) {
            if (data.from != held)
                return;
            entered.release();
            const QDeadlineTimer limit(10000);
            while (!sources.abandoned() && !limit.hasExpired())
                QThread::msleep(1);
            givenUp = sources.abandoned();
        };
        options.digest = [this](ViewRangeData &data) {
            ++digested;
            if (data.from == held)
                ++digestedHeld;
        };
        return options;
    }
};

} // namespace

// The views' range loads run on a worker thread with a connection of its
// own; what they hand back must be what the GUI thread's read gives.
class TestViewRangeLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void offThreadLoadMatchesTheSynchronousRead_data();
    void offThreadLoadMatchesTheSynchronousRead();
    void staleResultAfterNavigationIsDropped();
    void writeOnTheGuiConnectionIsSeenByTheNextRead();
    void destroyingTheLoaderMidLoadSendsNothing();
    void identicalRequestsShareOneRead_data();
    void identicalRequestsShareOneRead();
    void supersededReadStopsBeforeItsLaterSteps();
    void destroyingTheLoaderStopsItsReadBeforeItsLaterSteps();
    void daysLaidOutOffThreadMatchTheLayoutOfTheGuiThread();
    void resultsArrivingTogetherAreAppliedATurnApart();
    void loadersAnsweringTogetherEachDeliverTheirOwnRange();
    void loadersOfOneStoreShareOneReader();
    void pageHearsOfAChangedSourceOnlyOnceItReadsAnew_data();
    void pageHearsOfAChangedSourceOnlyOnceItReadsAnew();
    void paneHearsOfTheSourcesItWatchesAlone_data();
    void paneHearsOfTheSourcesItWatchesAlone();
    void readInSlicesHandsOverWhatAWholeReadKeeps();
    void rangesCarryNoStoredText();

private:
    ViewRangeData loadOffThread(ViewRangeLoader &loader, const QDateTime &from, const QDateTime &to);

    std::unique_ptr<WidgetFixture> m_fixture;
};

void TestViewRangeLoader::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    const QString zone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    const auto add = [this, &zone](const char *title, const QDateTime &start, const QDateTime &end,
                                   const QString &rule = {}) {
        Event event = WidgetFixture::timedEvent(QString::fromLatin1(title), start, end);
        event.recurrence_rule = rule;
        event.timezone = zone;
        return m_fixture->addEvent(event);
    };
    add("Dentist", at(0, 9), at(0, 10));
    add("Late night", at(0, 23), at(1, 1));
    add("Conference", at(-3, 9), at(4, 17));
    add("Gym", at(1, 18), at(1, 19));
    const Event weekly = add("Weekly", at(-14, 11), at(-14, 12), QStringLiteral("FREQ=WEEKLY"));
    Event moved = WidgetFixture::timedEvent(QStringLiteral("Weekly moved"), at(7, 15), at(7, 16));
    moved.uid = weekly.uid;
    moved.recurrence_id = at(7, 11).toUTC().toString(Qt::ISODate);
    moved.timezone = zone;
    m_fixture->addEvent(moved);
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Holiday"), Day, Day.addDays(1)));
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Trip"), Day.addDays(-2), Day.addDays(12)));
    FilterRule hide;
    hide.id = hide.name = QStringLiteral("no-gym");
    hide.type = QStringLiteral("pattern");
    hide.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"gym\"]}");
    QVERIFY(m_fixture->state()->filterRules()->insert(hide));
}

void TestViewRangeLoader::cleanup()
{
    m_fixture.reset();
}

ViewRangeData TestViewRangeLoader::loadOffThread(ViewRangeLoader &loader, const QDateTime &from,
                                                 const QDateTime &to)
{
    QSignalSpy loaded(&loader, &ViewRangeLoader::loaded);
    loader.request(from, to);
    if (!loaded.wait(20000) || loaded.isEmpty())
        return {};
    return loaded.last().at(0).value<ViewRangeData>();
}

void TestViewRangeLoader::offThreadLoadMatchesTheSynchronousRead_data()
{
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    QTest::newRow("day") << at(0) << at(1);
    QTest::newRow("next day") << at(1) << at(2);
    QTest::newRow("week") << at(-1) << at(6);
    QTest::newRow("two weeks with the moved occurrence") << at(0) << at(14);
    QTest::newRow("month") << QDateTime(QDate(2026, 3, 1), QTime(0, 0)) << QDateTime(QDate(2026, 4, 1), QTime(0, 0));
}

void TestViewRangeLoader::offThreadLoadMatchesTheSynchronousRead()
{
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    ViewRangeLoader loader(m_fixture->state());
    const ViewRangeData expected = ViewRange::load(m_fixture->state(), from, to);
    QVERIFY(!expected.events.isEmpty());
    const ViewRangeData actual = loadOffThread(loader, from, to);
    QCOMPARE(actual.from, from);
    QCOMPARE(actual.to, to);
    QCOMPARE(actual.events, expected.events);
    QCOMPARE(actual.dimmedIds, expected.dimmedIds);
    QCOMPARE(actual.hiddenCount, expected.hiddenCount);
    QCOMPARE(actual.calendarColors, expected.calendarColors);
    QCOMPARE(actual.pendingMarkCalendarIds, expected.pendingMarkCalendarIds);
}

void TestViewRangeLoader::staleResultAfterNavigationIsDropped()
{
    ViewRangeLoader loader(m_fixture->state());
    QSignalSpy loaded(&loader, &ViewRangeLoader::loaded);
    // Three days in a row before any result: only the last one arrives.
    loader.request(at(0), at(1));
    loader.request(at(1), at(2));
    loader.request(at(2), at(3));
    QVERIFY(loader.isLoading());
    QTRY_VERIFY(!loader.isLoading());
    QTest::qWait(100);
    QCOMPARE(loaded.size(), 1);
    const ViewRangeData data = loaded.first().at(0).value<ViewRangeData>();
    QCOMPARE(data.from, at(2));
    QCOMPARE(data.events, ViewRange::load(m_fixture->state(), at(2), at(3)).events);
}

void TestViewRangeLoader::writeOnTheGuiConnectionIsSeenByTheNextRead()
{
    ViewRangeLoader loader(m_fixture->state());
    const int before = loadOffThread(loader, at(0), at(1)).events.size();
    QSignalSpy loaded(&loader, &ViewRangeLoader::loaded);
    Event weekly = WidgetFixture::timedEvent(QStringLiteral("Added weekly"), at(-21, 14), at(-21, 15));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    m_fixture->addEvent(weekly);
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Added"), at(0, 16), at(0, 17)));
    loader.reload();
    QVERIFY(loaded.wait(20000));
    const ViewRangeData data = loaded.last().at(0).value<ViewRangeData>();
    QCOMPARE(data.events.size(), before + 2);
    QCOMPARE(data.events, ViewRange::load(m_fixture->state(), at(0), at(1)).events);
}

void TestViewRangeLoader::destroyingTheLoaderMidLoadSendsNothing()
{
    int delivered = 0;
    for (int i = 0; i < 5; ++i) {
        auto loader = std::make_unique<ViewRangeLoader>(m_fixture->state());
        connect(loader.get(), &ViewRangeLoader::loaded, this, [&delivered] { ++delivered; });
        loader->request(at(0), at(14));
        if (i % 2)
            loader->request(at(1), at(15));
        loader.reset();
    }
    QTest::qWait(200);
    QCOMPARE(delivered, 0);
}

void TestViewRangeLoader::identicalRequestsShareOneRead_data()
{
    QTest::addColumn<QString>("between");
    // Requests sent to the worker (it may start fewer when one replaces
    // another before it began).
    QTest::addColumn<int>("posted");
    QTest::newRow("nothing") << QString() << 1;
    QTest::newRow("a write") << QStringLiteral("write") << 2;
    QTest::newRow("new options") << QStringLiteral("options") << 2;
    QTest::newRow("another group") << QStringLiteral("group") << 2;
    QTest::newRow("an explicit reload") << QStringLiteral("reload") << 2;
}

// A view asks for its range again while it is being read (the area's
// signals at start, a repaint of the same week): no second read, unless what
// the read sees has changed since it was asked for.
void TestViewRangeLoader::identicalRequestsShareOneRead()
{
    QFETCH(QString, between);
    QFETCH(int, posted);
    AppState *state = m_fixture->state();
    ViewRangeLoader loader(state);
    QSignalSpy loaded(&loader, &ViewRangeLoader::loaded);
    const quint64 before = ViewRangeWorker::readsStarted();
    loader.request(at(0), at(7));
    if (between == QLatin1String("write")) {
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Added"), at(2, 16), at(2, 17)));
        // As the repository tells it, before the first read can be back.
        Q_EMIT state->events()->eventsChanged(QString());
    } else if (between == QLatin1String("options")) {
        loader.setOptions({});
    } else if (between == QLatin1String("group")) {
        state->setActiveViewId(QStringLiteral("gone"));
    } else if (between == QLatin1String("reload")) {
        loader.reload();
    }
    loader.request(at(0), at(7));
    loader.request(at(0), at(7));
    QTRY_VERIFY(!loader.isLoading());
    QTest::qWait(50);
    QCOMPARE(loader.generation(), quint64(posted));
    const quint64 reads = ViewRangeWorker::readsStarted() - before;
    QVERIFY(reads >= 1 && reads <= quint64(posted));
    QCOMPARE(loaded.size(), 1);
    const ViewRangeData data = loaded.first().at(0).value<ViewRangeData>();
    QCOMPARE(data.events, ViewRange::load(state, at(0), at(7)).events);
}

void TestViewRangeLoader::supersededReadStopsBeforeItsLaterSteps()
{
    HeldRead read;
    read.held = at(0);
    ViewRangeLoader loader(m_fixture->state());
    loader.setOptions(read.options());
    QSignalSpy loaded(&loader, &ViewRangeLoader::loaded);
    const quint64 steps = ViewRange::stepsFinished();
    loader.request(at(0), at(1));
    QVERIFY(read.entered.tryAcquire(1, 5000));
    loader.request(at(1), at(2));
    QVERIFY(loaded.wait(20000));
    QCOMPARE(loaded.last().at(0).value<ViewRangeData>().from, at(1));
    // The first read gave up after its read; only the second was digested.
    QVERIFY(read.givenUp);
    QCOMPARE(read.digestedHeld.load(), 0);
    QCOMPARE(read.digested.load(), 1);
    QCOMPARE(ViewRange::stepsFinished() - steps, quint64(1 + 2));
}

void TestViewRangeLoader::destroyingTheLoaderStopsItsReadBeforeItsLaterSteps()
{
    HeldRead read;
    read.held = at(0);
    int delivered = 0;
    {
        ViewRangeLoader loader(m_fixture->state());
        loader.setOptions(read.options());
        connect(&loader, &ViewRangeLoader::loaded, this, [&delivered] { ++delivered; });
        loader.request(at(0), at(1));
        QVERIFY(read.entered.tryAcquire(1, 5000));
    }
    // The held read ended because its loader gave it up, and went no further.
    QVERIFY(read.givenUp);
    QCOMPARE(read.digested.load(), 0);
    QTest::qWait(50);
    QCOMPARE(delivered, 0);
}

void TestViewRangeLoader::daysLaidOutOffThreadMatchTheLayoutOfTheGuiThread()
{
    ViewRangeLoader loader(m_fixture->state());
    const QDate first = Day.addDays(-1);
    const int days = 9;
    ViewRangeOptions options;
    options.digest = [first, days](ViewRangeData &data) {
        data.digest = QVariant::fromValue(PreparedDays::build(data, first, days));
    };
    loader.setOptions(options);
    const ViewRangeData data = loadOffThread(loader, at(-1), at(days - 1));
    const PreparedDays prepared = data.digest.value<PreparedDays>();
    QVERIFY(prepared.covers(first, days));
    QVERIFY(!prepared.covers(first.addDays(1), days));

    const ViewRangeData expected = ViewRange::load(m_fixture->state(), at(-1), at(days - 1));
    int blocks = 0;
    for (int day = 0; day < days; ++day) {
        const QList<DayBlock> here = DayBlocks::build(expected.events, first.addDays(day), expected.calendarColors,
                                                      expected.dimmedIds, expected.pendingMarkCalendarIds);
        QCOMPARE(describe(prepared.events, prepared.dayBlocks.at(day)), describe(expected.events, here));
        blocks += int(here.size());
    }
    QVERIFY(blocks > 0);
    // What ends on a later day than it starts cannot be dragged: the night
    // past midnight, the conference and the all-day ones.
    const QStringList titles{"Late night", "Conference", "Holiday", "Trip"};
    QSet<QString> crossing;
    for (const Event &event : expected.events) {
        if (titles.contains(event.title))
            crossing.insert(event.id);
    }
    QCOMPARE(crossing.size(), 4);
    QCOMPARE(prepared.undraggableIds, crossing);
}

// Three results in one turn: the first is applied at once, the others a turn
// of the event loop apart; one whose owner went meanwhile is dropped.
void TestViewRangeLoader::resultsArrivingTogetherAreAppliedATurnApart()
{
    int turn = 0;
    QTimer turns;
    turns.setInterval(0);
    connect(&turns, &QTimer::timeout, this, [&turn] { ++turn; });
    turns.start();
    QObject first;
    QObject third;
    auto second = std::make_unique<QObject>();
    QList<int> appliedInTurn;
    QStringList applied;
    const auto record = [&](const QString &which) {
        return [&, which] {
            applied.append(which);
            appliedInTurn.append(turn);
        };
    };
    // Whatever applied a moment ago has had its turn.
    QTest::qWait(20);
    ResultTurns::apply(&first, record(QStringLiteral("first")));
    ResultTurns::apply(second.get(), record(QStringLiteral("second")));
    ResultTurns::apply(&third, record(QStringLiteral("third")));
    QCOMPARE(applied, QStringList{QStringLiteral("first")});
    second.reset();
    QTRY_COMPARE(applied, (QStringList{QStringLiteral("first"), QStringLiteral("third")}));
    QVERIFY2(appliedInTurn.at(1) > appliedInTurn.at(0), "the event loop turned between the two");
    QTest::qWait(20);
    QCOMPARE(applied.size(), 2);
}

// Two views' loaders whose reads end together each get their own result.
void TestViewRangeLoader::loadersAnsweringTogetherEachDeliverTheirOwnRange()
{
    ViewRangeLoader week(m_fixture->state());
    ViewRangeLoader month(m_fixture->state());
    QSignalSpy weekLoaded(&week, &ViewRangeLoader::loaded);
    QSignalSpy monthLoaded(&month, &ViewRangeLoader::loaded);
    const QDateTime from(QDate(2026, 3, 9), QTime(0, 0));
    week.request(from, from.addDays(7));
    month.request(from.addDays(-7), from.addDays(35));
    QTRY_COMPARE(weekLoaded.size() + monthLoaded.size(), 2);
    QCOMPARE(weekLoaded.size(), 1);
    QCOMPARE(monthLoaded.size(), 1);
    QVERIFY(!week.isLoading());
    QVERIFY(!month.isLoading());
    const auto eventsOf = [](const QSignalSpy &spy) { return spy.first().first().value<ViewRangeData>().events; };
    QCOMPARE(eventsOf(weekLoaded), ViewRange::load(m_fixture->state(), from, from.addDays(7)).events);
    QCOMPARE(eventsOf(monthLoaded), ViewRange::load(m_fixture->state(), from.addDays(-7), from.addDays(35)).events);
}

// Each reader keeps a page cache and a heap of its own: the views' loaders
// read through one, and each still gets its own range, also after another
// loader has gone.
void TestViewRangeLoader::loadersOfOneStoreShareOneReader()
{
    const auto readers = [] {
        return QSqlDatabase::connectionNames().filter(QStringLiteral("view_range_reader_")).size();
    };
    QCOMPARE(readers(), 0);
    const QList<std::pair<QDateTime, QDateTime>> ranges{
        {at(0), at(1)}, {at(-1), at(6)}, {at(0), at(14)}, {at(-10), at(25)}};
    std::vector<std::unique_ptr<ViewRangeLoader>> loaders;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const auto &range : ranges) {
        loaders.push_back(std::make_unique<ViewRangeLoader>(m_fixture->state()));
        spies.push_back(std::make_unique<QSignalSpy>(loaders.back().get(), &ViewRangeLoader::loaded));
        loaders.back()->request(range.first, range.second);
    }
    for (int i = 0; i < ranges.size(); ++i) {
        QTRY_COMPARE_WITH_TIMEOUT(spies[i]->size(), 1, 20000);
        const ViewRangeData data = spies[i]->first().first().value<ViewRangeData>();
        QCOMPARE(data.from, ranges[i].first);
        QCOMPARE(data.events, ViewRange::load(m_fixture->state(), ranges[i].first, ranges[i].second).events);
    }
    QCOMPARE(readers(), 1);
    loaders.front().reset();
    QCOMPARE(loadOffThread(*loaders.back(), at(3), at(4)).events,
             ViewRange::load(m_fixture->state(), at(3), at(4)).events);
    loaders.clear();
    QTRY_COMPARE(readers(), 0);
}

void TestViewRangeLoader::pageHearsOfAChangedSourceOnlyOnceItReadsAnew_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("heard");
    QTest::newRow("events") << QStringLiteral("events") << true;
    QTest::newRow("calendars") << QStringLiteral("calendars") << true;
    QTest::newRow("filter rules") << QStringLiteral("filter rules") << true;
    // Tasks only make a later read start anew; the timelines show none.
    QTest::newRow("tasks") << QStringLiteral("tasks") << false;
}

// The day and week pages reload on their loader's notice alone: it comes for
// every source of a range's events, and after the loader noted the change,
// so the page's request for the range being read starts another read.
void TestViewRangeLoader::pageHearsOfAChangedSourceOnlyOnceItReadsAnew()
{
    QFETCH(QString, source);
    QFETCH(bool, heard);
    AppState *state = m_fixture->state();
    ViewRangeLoader loader(state);
    loader.request(at(0), at(7));
    QList<quint64> generations;
    connect(&loader, &ViewRangeLoader::sourcesChanged, &loader, [&] {
        loader.request(at(0), at(7));
        generations.append(loader.generation());
    });
    if (source == QLatin1String("events"))
        Q_EMIT state->events()->eventsChanged(QString());
    else if (source == QLatin1String("calendars"))
        Q_EMIT state->calendars()->calendarsChanged();
    else if (source == QLatin1String("filter rules"))
        Q_EMIT state->filterRules()->filterRulesChanged();
    else
        Q_EMIT state->tasks()->tasksChanged(QString());
    QCOMPARE(generations, heard ? QList<quint64>{2} : QList<quint64>{});
    QTRY_VERIFY(!loader.isLoading());
}

void TestViewRangeLoader::paneHearsOfTheSourcesItWatchesAlone_data()
{
    using Source = ViewRangeLoader::Source;
    QTest::addColumn<ViewRangeLoader::Sources>("watched");
    QTest::addColumn<QStringList>("heard");
    const QStringList all{QStringLiteral("events"), QStringLiteral("calendars"), QStringLiteral("filter rules"),
                          QStringLiteral("tasks"), QStringLiteral("groups")};
    QTest::newRow("a page's default")
        << (ViewRangeLoader::Sources(Source::Events) | Source::Calendars | Source::FilterRules) << all.mid(0, 3);
    QTest::newRow("the agenda") << (ViewRangeLoader::Sources(Source::Events) | Source::Calendars
                                    | Source::FilterRules | Source::Tasks)
                                << all.mid(0, 4);
    QTest::newRow("the task panes") << (ViewRangeLoader::Sources(Source::Tasks) | Source::Calendars | Source::Views)
                                    << QStringList{QStringLiteral("calendars"), QStringLiteral("tasks"),
                                                   QStringLiteral("groups")};
    QTest::newRow("the tray") << ViewRangeLoader::Sources(Source::Events) << all.mid(0, 1);
}

// A pane reloads on its loader's notice alone, so the notice comes for
// what the pane lists and for nothing else.
void TestViewRangeLoader::paneHearsOfTheSourcesItWatchesAlone()
{
    QFETCH(ViewRangeLoader::Sources, watched);
    QFETCH(QStringList, heard);
    AppState *state = m_fixture->state();
    ViewRangeLoader loader(state);
    loader.setWatchedSources(watched);
    QString source;
    QStringList notices;
    connect(&loader, &ViewRangeLoader::sourcesChanged, &loader, [&] { notices.append(source); });
    source = QStringLiteral("events");
    Q_EMIT state->events()->eventsChanged(QString());
    source = QStringLiteral("calendars");
    Q_EMIT state->calendars()->calendarsChanged();
    source = QStringLiteral("filter rules");
    Q_EMIT state->filterRules()->filterRulesChanged();
    source = QStringLiteral("tasks");
    Q_EMIT state->tasks()->tasksChanged(QString());
    source = QStringLiteral("groups");
    Q_EMIT state->views()->viewsChanged();
    source = QStringLiteral("accounts");
    Q_EMIT state->accounts()->accountsChanged();
    QCOMPARE(notices, heard);
}

// A page that only marks days takes the kept events a slice at a time: the
// slices hold what a whole read keeps, in its order, and the read keeps none.
void TestViewRangeLoader::readInSlicesHandsOverWhatAWholeReadKeeps()
{
    AppState *state = m_fixture->state();
    // Over a year, more occurrences than one slice takes.
    for (int i = 0; i < 16; ++i) {
        Event daily = WidgetFixture::timedEvent(QStringLiteral("Daily %1").arg(i), at(-40, 6 + i),
                                                at(-40, 6 + i).addSecs(1800));
        daily.recurrence_rule = QStringLiteral("FREQ=DAILY");
        m_fixture->addEvent(daily);
    }
    FilterRule dim;
    dim.id = dim.name = QStringLiteral("dim-daily-3");
    dim.type = QStringLiteral("pattern");
    dim.action = QStringLiteral("dim");
    dim.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"Daily 3\"]}");
    QVERIFY(state->filterRules()->insert(dim));
    const QDateTime from(QDate(2026, 1, 1), QTime(0, 0));
    const QDateTime to = from.addYears(1);
    const ViewRangeSources sources = ViewRange::sourcesOf(state);
    const ViewRangeData whole = ViewRange::load(sources, state->activeViewId(), from, to);
    QVERIFY(whole.hiddenCount > 0 && !whole.dimmedIds.isEmpty());

    QList<Event> handed;
    int slices = 0;
    ViewRangeOptions options;
    options.eachSlice = [&handed, &slices](const QList<Event> &slice, ViewRangeData &) {
        handed.append(slice);
        ++slices;
    };
    const ViewRangeData sliced = ViewRange::load(sources, state->activeViewId(), from, to, options);
    QVERIFY(slices > 1);
    QCOMPARE(handed, whole.events);
    QCOMPARE(sliced.events, QList<Event>());
    QCOMPARE(sliced.dimmedIds, whole.dimmedIds);
    QCOMPARE(sliced.hiddenCount, whole.hiddenCount);
    QCOMPARE(sliced.calendarColors, whole.calendarColors);
}

// What a view holds of a range is the records it paints: the stored
// iCalendar text stays in the store, in every occurrence.
void TestViewRangeLoader::rangesCarryNoStoredText()
{
    AppState *state = m_fixture->state();
    const QList<Event> stored =
        state->events()->getInRange(at(-14), at(14), {QString::fromLatin1(AppState::LocalCalendarId)});
    QVERIFY(!stored.isEmpty());
    QVERIFY(std::all_of(stored.cbegin(), stored.cend(),
                        [](const Event &event) { return !event.raw_icalendar.isEmpty(); }));
    ViewRangeLoader loader(state);
    const ViewRangeData data = loadOffThread(loader, at(-7), at(14));
    QVERIFY(data.events.size() > stored.size() / 2);
    QStringList texts;
    for (const Event &event : data.events)
        texts.append(event.raw_icalendar);
    QCOMPARE(texts, QStringList(data.events.size(), QString()));
}

QTEST_MAIN(TestViewRangeLoader)

#include "tst_viewrangeloader.moc"
