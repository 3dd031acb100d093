#include "app/appstate.h"
#include "dialogs/search/searchdialog.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/popovers/eventdetailspopover.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

// The search dialog: debounce, range and calendar choice, result rows,
// details on click and activation.
class TestSearchDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void typingWaitsForTwoCharactersAndAPause();
    void rangeDecidesWhatIsListed_data();
    void rangeDecidesWhatIsListed();
    void uncheckedCalendarsAreLeftOut();
    void rowsShowTitleWhenLocationAndCalendar();
    void matchBeyondThreeHundredEarlierOnesIsFound();
    void percentSignIsSearchedLiterally();
    void clickShowsDetailsAndDoubleClickActivates();
    void returnSearchesAtOnceAndKeepsTheDialogOpen();

private:
    Event add(const QString &title, const QDateTime &start, const QString &calendarId = QStringLiteral("work"));
    static void search(SearchDialog &dialog, const QString &text);
    static QStringList rows(SearchDialog &dialog);
    static QString status(SearchDialog &dialog);
    static QListWidget *calendars(SearchDialog &dialog);

    std::unique_ptr<WidgetFixture> m_fixture;
};

void TestSearchDialog::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("#33aa55"));
    m_fixture->addCalendar(QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("#aa3355"));
    m_fixture->addCalendar(QStringLiteral("hidden"), QStringLiteral("Hidden"), QStringLiteral("#000000"), false);
}

void TestSearchDialog::cleanup()
{
    EventDetailsPopover::closeCurrent();
    m_fixture.reset();
}

Event TestSearchDialog::add(const QString &title, const QDateTime &start, const QString &calendarId)
{
    return m_fixture->addEvent(WidgetFixture::timedEvent(title, start, start.addSecs(3600), calendarId));
}

void TestSearchDialog::search(SearchDialog &dialog, const QString &text)
{
    dialog.findChild<QLineEdit *>(QStringLiteral("searchText"))->setText(text);
    // The search runs when the pause after the last change has passed: once
    // its timer is no longer running, however late a busy machine fires it.
    QTimer *pause = nullptr;
    for (QTimer *timer : dialog.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (timer->isSingleShot() && timer->interval() == SearchDialog::kDebounceMs)
            pause = timer;
    }
    QVERIFY(pause);
    QTRY_VERIFY_WITH_TIMEOUT(!pause->isActive(), 20000);
}

QStringList TestSearchDialog::rows(SearchDialog &dialog)
{
    QStringList titles;
    for (int i = 0; i < dialog.results()->count(); ++i)
        titles.append(dialog.results()->item(i)->text().section(QLatin1Char('\n'), 0, 0));
    return titles;
}

QString TestSearchDialog::status(SearchDialog &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("searchStatus"))->text();
}

QListWidget *TestSearchDialog::calendars(SearchDialog &dialog)
{
    return dialog.findChild<QListWidget *>(QStringLiteral("searchCalendars"));
}

void TestSearchDialog::typingWaitsForTwoCharactersAndAPause()
{
    add(QStringLiteral("Standup"), QDateTime::currentDateTime().addDays(1));
    SearchDialog dialog(m_fixture->state());
    QCOMPARE(status(dialog), QStringLiteral("Type to search."));
    search(dialog, QStringLiteral("  s  "));
    QCOMPARE(status(dialog), QStringLiteral("Keep typing…"));
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("searchText"));
    edit->setText(QStringLiteral("  st "));
    // Nothing runs on the keystroke itself.
    QCOMPARE(status(dialog), QStringLiteral("Keep typing…"));
    QTRY_COMPARE(status(dialog), QStringLiteral("1 result(s)."));
    QCOMPARE(rows(dialog), QStringList{QStringLiteral("Standup")});
    search(dialog, QString());
    QCOMPARE(status(dialog), QStringLiteral("Type to search."));
    QCOMPARE(dialog.results()->count(), 0);
}

void TestSearchDialog::rangeDecidesWhatIsListed_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("all time") << 0 << QStringList{"Review two years back", "Review an hour ago", "Review in 5 days",
                                                  "Review in 10 days", "Review in 200 days"};
    QTest::newRow("past 30 days") << 1 << QStringList{"Review an hour ago", "Review in 5 days"};
    QTest::newRow("past 90 days") << 2 << QStringList{"Review an hour ago", "Review in 5 days"};
    QTest::newRow("next 30 days") << 3 << QStringList{"Review in 5 days", "Review in 10 days"};
    QTest::newRow("next 12 months") << 4 << QStringList{"Review in 5 days", "Review in 10 days", "Review in 200 days"};
}

void TestSearchDialog::rangeDecidesWhatIsListed()
{
    QFETCH(int, range);
    QFETCH(QStringList, expected);
    const QDateTime now = QDateTime::currentDateTime();
    Event weekly = add(QStringLiteral("Review two years back"), now.addDays(-730));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    QVERIFY(m_fixture->state()->events()->update(weekly));
    add(QStringLiteral("Review an hour ago"), now.addSecs(-3600));
    add(QStringLiteral("Review in 5 days"), now.addDays(5));
    add(QStringLiteral("Review in 10 days"), now.addDays(10));
    add(QStringLiteral("Review in 200 days"), now.addDays(200));
    SearchDialog dialog(m_fixture->state());
    dialog.findChild<QComboBox *>(QStringLiteral("searchRange"))->setCurrentIndex(range);
    search(dialog, QStringLiteral("review"));
    QCOMPARE(rows(dialog), expected);
    QCOMPARE(status(dialog), QStringLiteral("%1 result(s).").arg(expected.size()));
}

void TestSearchDialog::uncheckedCalendarsAreLeftOut()
{
    const QDateTime soon = QDateTime::currentDateTime().addDays(1);
    add(QStringLiteral("Plan work"), soon, QStringLiteral("work"));
    add(QStringLiteral("Plan home"), soon.addSecs(60), QStringLiteral("home"));
    add(QStringLiteral("Plan hidden"), soon.addSecs(120), QStringLiteral("hidden"));
    SearchDialog dialog(m_fixture->state());
    QStringList listed;
    for (int i = 0; i < calendars(dialog)->count(); ++i)
        listed.append(calendars(dialog)->item(i)->text());
    QVERIFY(!listed.contains(QStringLiteral("Hidden")));
    QVERIFY(listed.contains(QStringLiteral("Work")) && listed.contains(QStringLiteral("Home")));
    search(dialog, QStringLiteral("plan"));
    QCOMPARE(rows(dialog), (QStringList{QStringLiteral("Plan work"), QStringLiteral("Plan home")}));

    QListWidgetItem *home = calendars(dialog)->findItems(QStringLiteral("Home"), Qt::MatchExactly).first();
    home->setCheckState(Qt::Unchecked);
    QTRY_COMPARE(rows(dialog), QStringList{QStringLiteral("Plan work")});
    calendars(dialog)->findItems(QStringLiteral("Work"), Qt::MatchExactly).first()->setCheckState(Qt::Unchecked);
    for (int i = 0; i < calendars(dialog)->count(); ++i)
        calendars(dialog)->item(i)->setCheckState(Qt::Unchecked);
    QTRY_COMPARE(status(dialog), QStringLiteral("No matches in this range."));
    QCOMPARE(dialog.results()->count(), 0);
    home->setCheckState(Qt::Checked);
    QTRY_COMPARE(rows(dialog), QStringList{QStringLiteral("Plan home")});
}

void TestSearchDialog::rowsShowTitleWhenLocationAndCalendar()
{
    const QDate day = QDate::currentDate().addDays(3);
    Event untitled = WidgetFixture::timedEvent(QStringLiteral(""), QDateTime(day, QTime(9, 0)), QDateTime(day, QTime(10, 30)),
                                               QStringLiteral("work"));
    untitled.location = QStringLiteral("Room zq");
    untitled.description = QStringLiteral("zq notes");
    m_fixture->addEvent(untitled);
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("zq holiday"), day.addDays(1), day.addDays(2),
                                                   QStringLiteral("home")));
    const Event noEnd = m_fixture->addEvent(WidgetFixture::timedEvent(
        QStringLiteral("Call"), QDateTime(day.addDays(2), QTime(14, 0)), std::nullopt, QStringLiteral("work")));
    SearchDialog dialog(m_fixture->state());
    search(dialog, QStringLiteral("zq"));
    const QString date = day.toString(QStringLiteral("ddd, MMM d, yyyy"));
    QStringList texts;
    for (int i = 0; i < dialog.results()->count(); ++i)
        texts.append(dialog.results()->item(i)->text());
    QCOMPARE(texts, (QStringList{QStringLiteral("(Untitled)\n%1, 9:00 AM – 10:30 AM  ·  Room zq\nWork").arg(date),
                                 QStringLiteral("zq holiday\n%1 (all day)\nHome")
                                     .arg(day.addDays(1).toString(QStringLiteral("ddd, MMM d, yyyy")))}));
    // At least 64 px, and room for all three lines.
    const int lineSpacing = dialog.results()->fontMetrics().lineSpacing();
    const int height = dialog.results()->item(0)->sizeHint().height();
    QVERIFY2(height >= 64 && height >= 3 * lineSpacing + 8, qPrintable(QString::number(height)));
    QCOMPARE(SearchDialog::formatWhen(m_fixture->state(), noEnd),
             QStringLiteral("%1, 2:00 PM").arg(day.addDays(2).toString(QStringLiteral("ddd, MMM d, yyyy"))));
}

void TestSearchDialog::matchBeyondThreeHundredEarlierOnesIsFound()
{
    const QDateTime longAgo = QDateTime::currentDateTime().addDays(-3000);
    for (int i = 0; i < 320; ++i)
        add(QStringLiteral("Sync meeting %1").arg(i), longAgo.addSecs(3600LL * i));
    add(QStringLiteral("Sync meeting soon"), QDateTime::currentDateTime().addDays(2));
    SearchDialog dialog(m_fixture->state());
    dialog.findChild<QComboBox *>(QStringLiteral("searchRange"))->setCurrentIndex(3);
    search(dialog, QStringLiteral("sync meeting"));
    QCOMPARE(rows(dialog), QStringList{QStringLiteral("Sync meeting soon")});
    QCOMPARE(status(dialog), QStringLiteral("1 result(s)."));
}

void TestSearchDialog::percentSignIsSearchedLiterally()
{
    const QDateTime soon = QDateTime::currentDateTime().addDays(1);
    add(QStringLiteral("Budget 100% reviewed"), soon);
    add(QStringLiteral("Budget 1000 reviewed"), soon.addSecs(60));
    SearchDialog dialog(m_fixture->state());
    search(dialog, QStringLiteral("0%"));
    QCOMPARE(rows(dialog), QStringList{QStringLiteral("Budget 100% reviewed")});
    search(dialog, QStringLiteral("%%"));
    QCOMPARE(status(dialog), QStringLiteral("No matches in this range."));
}

void TestSearchDialog::clickShowsDetailsAndDoubleClickActivates()
{
    const Event event = add(QStringLiteral("Quarterly review"), QDateTime::currentDateTime().addDays(2));
    SearchDialog dialog(m_fixture->state());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    search(dialog, QStringLiteral("quarterly"));
    QCOMPARE(dialog.results()->count(), 1);
    QSignalSpy activated(&dialog, &SearchDialog::eventActivated);
    const QRect row = dialog.results()->visualItemRect(dialog.results()->item(0));
    QTest::mouseClick(dialog.results()->viewport(), Qt::LeftButton, {}, row.center());
    QTRY_VERIFY(EventDetailsPopover::current());
    QCOMPARE(EventDetailsPopover::current()->event().id, event.id);
    QCOMPARE(EventDetailsPopover::current()->window(), &dialog);
    QVERIFY(dialog.isVisible());
    QCOMPARE(activated.size(), 0);

    QTest::mouseDClick(dialog.results()->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(activated.size(), 1);
    QCOMPARE(activated.first().first().toString(), event.id);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestSearchDialog::returnSearchesAtOnceAndKeepsTheDialogOpen()
{
    add(QStringLiteral("Standup"), QDateTime::currentDateTime().addDays(1));
    SearchDialog dialog(m_fixture->state());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("searchText"));
    edit->setFocus();
    edit->setText(QStringLiteral("stand"));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(status(dialog), QStringLiteral("1 result(s)."));
    QCOMPARE(rows(dialog), QStringList{QStringLiteral("Standup")});
    // Escape still closes it.
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestSearchDialog)
#include "tst_searchdialog.moc"
