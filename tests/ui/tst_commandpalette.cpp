#include "app/appstate.h"
#include "store/calendarview.h"
#include "store/eventrepository.h"
#include "store/viewrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/palette/commandpalette.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList listedKeywords(const CommandPalette &palette)
{
    QStringList keywords;
    for (int row = 0; row < palette.resultList()->count(); ++row) {
        const QListWidgetItem *item = palette.resultList()->item(row);
        if (!item->data(CommandPalette::EventRowRole).toBool())
            keywords.append(item->data(Qt::UserRole).toString());
    }
    return keywords;
}

int eventRows(const CommandPalette &palette)
{
    int count = 0;
    for (int row = 0; row < palette.resultList()->count(); ++row)
        count += palette.resultList()->item(row)->data(CommandPalette::EventRowRole).toBool() ? 1 : 0;
    return count;
}

// What the shared state looks like after a command, for whole-value checks.
struct Outcome
{
    bool open = false;
    QString viewMode;
    QDate date;
    QString activeViewId;
    int weekHorizon = 0;

    bool operator==(const Outcome &o) const
    {
        return open == o.open && viewMode == o.viewMode && date == o.date && activeViewId == o.activeViewId
            && weekHorizon == o.weekHorizon;
    }
};

char *toString(const Outcome &o)
{
    return QTest::toString(QStringLiteral("open=%1 mode=%2 date=%3 group=%4 horizon=%5")
                               .arg(o.open)
                               .arg(o.viewMode, o.date.toString(Qt::ISODate), o.activeViewId)
                               .arg(o.weekHorizon));
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestCommandPalette : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    const QDate m_start{2026, 3, 10};

    AppState *state() const { return m_fixture->state(); }

    Outcome outcome(const CommandPalette &palette) const
    {
        return {palette.isVisible(), state()->viewMode(), state()->currentDate(), state()->activeViewId(),
                state()->weekHorizon()};
    }

    void typeAndReturn(CommandPalette &palette, const QString &text)
    {
        palette.showPalette();
        QTest::keyClicks(palette.queryField(), text);
        QTest::keyClick(palette.queryField(), Qt::Key_Return);
    }

private Q_SLOTS:
    void initTestCase() { WidgetFixture::pinTimeZone("Europe/Berlin"); }

    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        state()->setViewMode(QStringLiteral("week"));
        state()->setCurrentDate(m_start);
        state()->setWeekHorizon(7);
        for (const auto &[id, name, order] : {std::tuple{"g-home", "Home", 10}, std::tuple{"g-work", "Team WORK", 20},
                                              std::tuple{"g-days", "Weekdays", 30}}) {
            CalendarView group;
            group.id = QString::fromLatin1(id);
            group.name = QString::fromLatin1(name);
            group.color = QStringLiteral("#336699");
            group.sort_order = order;
            QVERIFY(state()->views()->insert(group));
        }
    }

    void cleanup() { m_fixture.reset(); }

    void queryListsMatchingCommands_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("keywords");
        const QStringList all = {"today", "goto", "view", "new", "resync", "notifytest", "day", "week", "days",
                                 "grid", "month", "year", "3day", "5day", "10day", "14day"};
        QTest::newRow("empty") << QString() << all;
        QTest::newRow("one letter") << "y" << QStringList{"today", "resync", "notifytest", "day", "days", "year", "3day", "5day", "10day", "14day"};
        QTest::newRow("da") << "da" << QStringList{"today", "day", "days", "3day", "5day", "10day", "14day"};
        QTest::newRow("first word only, any case") << "GOTO 2026-01-01" << QStringList{"goto"};
        QTest::newRow("nothing") << "zz" << QStringList{};
    }

    void queryListsMatchingCommands()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, keywords);
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Daily yoga"), QDateTime(m_start, QTime(7, 0)),
                                                      QDateTime(m_start, QTime(8, 0))));
        CommandPalette palette(state(), nullptr, nullptr);
        palette.showPalette();
        QCOMPARE(palette.commands().size(), 16);
        QTest::keyClicks(palette.queryField(), query);
        QCOMPARE(listedKeywords(palette), keywords);
        if (palette.resultList()->count() > 0)
            QCOMPARE(palette.resultList()->currentRow(), 0);
        // One character never searches the events.
        if (query.size() < 2)
            QCOMPARE(eventRows(palette), 0);
    }

    void returnRunsTheTypedOrHighlightedCommand_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Outcome>("expected");
        const QDate today = QDate::currentDate();
        QTest::newRow("goto impossible date") << "goto 2025-02-30" << Outcome{true, "week", m_start, {}, 7};
        QTest::newRow("goto word") << "goto tomorrow" << Outcome{true, "week", m_start, {}, 7};
        QTest::newRow("goto date") << "goto 2025-03-01" << Outcome{false, "day", QDate(2025, 3, 1), {}, 7};
        QTest::newRow("view mode") << "view Month" << Outcome{false, "month", m_start, {}, 7};
        QTest::newRow("view Days searches groups") << "view Days" << Outcome{false, "week", m_start, "g-days", 7};
        QTest::newRow("view group any case") << "view work" << Outcome{false, "week", m_start, "g-work", 7};
        QTest::newRow("view unknown") << "view nowhere" << Outcome{true, "week", m_start, {}, 7};
        QTest::newRow("new without text") << "new" << Outcome{true, "week", m_start, {}, 7};
        QTest::newRow("prefix runs first listed") << "mon" << Outcome{false, "month", m_start, {}, 7};
        QTest::newRow("da runs today") << "da" << Outcome{false, "week", today, {}, 7};
        QTest::newRow("span") << "10day" << Outcome{false, "days", m_start, {}, 10};
        QTest::newRow("resync without window") << "resync" << Outcome{false, "week", m_start, {}, 7};
        QTest::newRow("no match at all") << "zz" << Outcome{true, "week", m_start, {}, 7};
    }

    void returnRunsTheTypedOrHighlightedCommand()
    {
        QFETCH(QString, typed);
        QFETCH(Outcome, expected);
        const QString groupBefore = state()->activeViewId();
        CommandPalette palette(state(), nullptr, nullptr);
        typeAndReturn(palette, typed);
        if (expected.activeViewId.isEmpty())
            expected.activeViewId = groupBefore;
        QCOMPARE(outcome(palette), expected);
        // A palette left open keeps what was typed.
        if (expected.open)
            QCOMPARE(palette.queryField()->text(), typed);
    }

    void newAddsTheEventAndCloses()
    {
        CommandPalette palette(state(), nullptr, nullptr);
        typeAndReturn(palette, QStringLiteral("new lunch Thursday 1pm"));
        QVERIFY(!palette.isVisible());
        const QList<Event> found = state()->events()->search(QStringLiteral("lunch"), 5);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().start_time.toLocalTime().time(), QTime(13, 0));
    }

    void eventRowOpensTheDayOfTheEvent()
    {
        const Event dentist = m_fixture->addEvent(WidgetFixture::timedEvent(
            QStringLiteral("Dentist"), QDateTime(QDate(2026, 4, 2), QTime(23, 30)), QDateTime(QDate(2026, 4, 3), QTime(0, 15))));
        CommandPalette palette(state(), nullptr, nullptr);
        palette.showPalette();
        QTest::keyClicks(palette.queryField(), QStringLiteral("dentist"));
        QCOMPARE(palette.resultList()->count(), 1);
        const QListWidgetItem *row = palette.resultList()->currentItem();
        QVERIFY(row);
        QCOMPARE(row->text(), QStringLiteral("Event: Dentist   —   Thu Apr 2 · 11:30 PM"));
        QTest::keyClick(palette.queryField(), Qt::Key_Return);
        QCOMPARE(outcome(palette), (Outcome{false, "day", QDate(2026, 4, 2), state()->activeViewId(), 7}));
        QCOMPARE(state()->selectedEventId(), dentist.id);
    }

    void arrowKeysMoveTheListNotTheCursor()
    {
        CommandPalette palette(state(), nullptr, nullptr);
        palette.showPalette();
        QTest::keyClicks(palette.queryField(), QStringLiteral("da"));
        QCOMPARE(palette.queryField()->cursorPosition(), 2);
        QTest::keyClick(palette.queryField(), Qt::Key_Down);
        QTest::keyClick(palette.queryField(), Qt::Key_Down);
        QTest::keyClick(palette.queryField(), Qt::Key_Up);
        QCOMPARE(palette.resultList()->currentItem()->data(Qt::UserRole).toString(), QStringLiteral("day"));
        QCOMPARE(palette.queryField()->cursorPosition(), 2);
        QTest::keyClick(palette.queryField(), Qt::Key_Return);
        QCOMPARE(state()->viewMode(), QStringLiteral("day"));
    }

    void showingAgainStartsAfreshAndEscapeHides()
    {
        CommandPalette palette(state(), nullptr, nullptr);
        palette.showPalette();
        QTest::keyClicks(palette.queryField(), QStringLiteral("goto x"));
        QTest::keyClick(palette.queryField(), Qt::Key_Return);
        QVERIFY(palette.isVisible());
        QTest::keyClick(&palette, Qt::Key_Escape);
        QVERIFY(!palette.isVisible());
        palette.showPalette();
        QCOMPARE(palette.queryField()->text(), QString());
        QCOMPARE(palette.resultList()->count(), 16);
        QCOMPARE(palette.resultList()->currentRow(), 0);
    }
};

QTEST_MAIN(TestCommandPalette)
#include "tst_commandpalette.moc"
