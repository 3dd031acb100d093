#include "app/appstate.h"
#include "app/theme/theme.h"
#include "dialogs/editing/quickadddialog.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/widgetfixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

#include <memory>

namespace {

QString day(int daysFromToday)
{
    return QDate::currentDate().addDays(daysFromToday).toString(QStringLiteral("ddd, MMM d"));
}

} // namespace

// Quick add: the live preview of how a sentence is read, and Enter storing it.
class TestQuickAddDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void previewReadsTheSentence_data();
    void previewReadsTheSentence();
    void previewEscapesMarkup();
    void enterStoresTheSentenceAndCloses();
    void blankTextNeitherPreviewsNorSaves();
    void shiftEnterAddsALineAndTheBoxGrowsToFive();
    void withoutCalendarsEnterBringsTheMainWindowForward();
    void everyShowStartsEmpty();
    void escapeClosesWithoutStoring();

private:
    static void type(QuickAddDialog &dialog, const QString &text);
    static QString preview(QuickAddDialog &dialog);
    static QPlainTextEdit *edit(QuickAddDialog &dialog);

    std::unique_ptr<WidgetFixture> m_fixture;
};

void TestQuickAddDialog::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
}

void TestQuickAddDialog::cleanup()
{
    m_fixture.reset();
}

QPlainTextEdit *TestQuickAddDialog::edit(QuickAddDialog &dialog)
{
    return dialog.findChild<QPlainTextEdit *>(QStringLiteral("quickAddText"));
}

void TestQuickAddDialog::type(QuickAddDialog &dialog, const QString &text)
{
    edit(dialog)->setPlainText(text);
}

QString TestQuickAddDialog::preview(QuickAddDialog &dialog)
{
    QTextDocument document;
    document.setHtml(dialog.findChild<QLabel *>(QStringLiteral("quickAddPreview"))->text());
    return document.toPlainText();
}

void TestQuickAddDialog::previewReadsTheSentence_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("clock24");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("when");
    const QString dot = QStringLiteral("  \u00b7  ");
    QTest::newRow("timed event with end")
        << "lunch tomorrow 1pm" << false << "Event" << day(1) + "  1:00 PM \u2013 2:00 PM" + dot + "lunch";
    QTest::newRow("24-hour clock") << "lunch tomorrow 1pm" << true << "Event"
                                   << day(1) + "  13:00 \u2013 14:00" + dot + "lunch";
    QTest::newRow("all-day event") << "lunch tomorrow" << false << "Event"
                                   << day(1) + "  \u2012  All-day" + dot + "lunch";
    QTest::newRow("to-do without date") << "dentist" << false << "To-do" << "No due date" + dot + "dentist";
    QTest::newRow("reminder on a date rings at nine")
        << "remind me to pay rent tomorrow" << false << "Reminder" << day(1) + "  9:00 AM" + dot + "pay rent";
    QTest::newRow("reminder on a date, 24-hour")
        << "remind me to pay rent tomorrow" << true << "Reminder" << day(1) + "  09:00" + dot + "pay rent";
    QTest::newRow("reminder with a time") << "remind me to call Ann tomorrow at 5pm" << false << "Reminder"
                                          << day(1) + "  5:00 PM" + dot + "call Ann";
    QTest::newRow("runs of blanks are one") << "  lunch    tomorrow \n 1pm " << false << "Event"
                                            << day(1) + "  1:00 PM \u2013 2:00 PM" + dot + "lunch";
}

void TestQuickAddDialog::previewReadsTheSentence()
{
    QFETCH(QString, text);
    QFETCH(bool, clock24);
    QFETCH(QString, kind);
    QFETCH(QString, when);
    QVERIFY(m_fixture->state()->preferences()->set(QStringLiteral("ui/timeFormat"),
                                               clock24 ? QStringLiteral("24") : QStringLiteral("12")));
    QuickAddDialog dialog(m_fixture->state());
    type(dialog, text);
    const QString html = dialog.findChild<QLabel *>(QStringLiteral("quickAddPreview"))->text();
    QCOMPARE(html, QStringLiteral("<span style=\"color:%1; font-weight:600\">%2</span>&nbsp;&nbsp;\u00b7&nbsp;&nbsp;%3")
                       .arg(Theme::accent().name(), kind, when.toHtmlEscaped()));
}

void TestQuickAddDialog::previewEscapesMarkup()
{
    QuickAddDialog dialog(m_fixture->state());
    type(dialog, QStringLiteral("<b>party</b> tomorrow 1pm"));
    const QString html = dialog.findChild<QLabel *>(QStringLiteral("quickAddPreview"))->text();
    QVERIFY2(html.contains(QStringLiteral("&lt;b&gt;party&lt;/b&gt;")), qPrintable(html));
    QVERIFY(!html.contains(QStringLiteral("<b>")));
    QVERIFY(html.contains(QStringLiteral("font-weight:600\">Event</span>")));
}

void TestQuickAddDialog::enterStoresTheSentenceAndCloses()
{
    QuickAddDialog dialog(m_fixture->state());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(edit(dialog), QStringLiteral("dentist tomorrow at 9:30 for 45 min"));
    QTest::keyClick(edit(dialog), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    const QDate tomorrow = QDate::currentDate().addDays(1);
    const QList<Event> stored = m_fixture->state()->events()->getInRange(QDateTime(tomorrow, QTime(0, 0)),
                                                                         QDateTime(tomorrow.addDays(1), QTime(0, 0)));
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().title, QStringLiteral("dentist"));
    QCOMPARE(stored.first().start_time.toLocalTime(), QDateTime(tomorrow, QTime(9, 30)));
    QCOMPARE(stored.first().end_time->toLocalTime(), QDateTime(tomorrow, QTime(10, 15)));
    QCOMPARE(stored.first().sync_status, SyncStatus::Pending);

    // A to-do goes to the tasks; Enter on the keypad works alike.
    dialog.show();
    QTest::keyClicks(edit(dialog), QStringLiteral("todo buy milk"));
    QTest::keyClick(edit(dialog), Qt::Key_Enter);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    bool found = false;
    for (const Task &task : m_fixture->state()->tasks()->getByCalendar(QString::fromLatin1(AppState::LocalCalendarId)))
        found = found || task.title == QLatin1String("buy milk");
    QVERIFY(found);
}

void TestQuickAddDialog::blankTextNeitherPreviewsNorSaves()
{
    const int before = int(m_fixture->state()->events()->search(QStringLiteral(" "), 10).size());
    QuickAddDialog dialog(m_fixture->state());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(edit(dialog), QStringLiteral("    "));
    QCOMPARE(preview(dialog), QString());
    QSignalSpy opened(&dialog, &QuickAddDialog::openMainWindow);
    QTest::keyClick(edit(dialog), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(opened.size(), 0);
    QCOMPARE(int(m_fixture->state()->events()->search(QStringLiteral(" "), 10).size()), before);
}

void TestQuickAddDialog::shiftEnterAddsALineAndTheBoxGrowsToFive()
{
    QuickAddDialog dialog(m_fixture->state());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QPlainTextEdit *box = edit(dialog);
    const int lineSpacing = box->fontMetrics().lineSpacing();
    const int twoLines = box->height();
    QTest::keyClicks(box, QStringLiteral("a"));
    QCOMPARE(box->height(), twoLines);
    QList<int> heights;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(box, QStringLiteral("b"));
        heights.append(box->height());
    }
    QCOMPARE(box->toPlainText(), QStringLiteral("a\nb\nb\nb\nb\nb"));
    QVERIFY(dialog.isVisible());
    // Two lines, three, four, five, then it stops growing and scrolls.
    QCOMPARE(heights, (QList<int>{twoLines, twoLines + lineSpacing, twoLines + 2 * lineSpacing,
                                  twoLines + 3 * lineSpacing, twoLines + 3 * lineSpacing}));
}

void TestQuickAddDialog::withoutCalendarsEnterBringsTheMainWindowForward()
{
    CalendarRepository *calendars = m_fixture->state()->calendars();
    for (const Calendar &calendar : calendars->getAll())
        QVERIFY(calendars->remove(calendar.id));
    QuickAddDialog dialog(m_fixture->state());
    QSignalSpy opened(&dialog, &QuickAddDialog::openMainWindow);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(edit(dialog), QStringLiteral("lunch tomorrow 1pm"));
    QTest::keyClick(edit(dialog), Qt::Key_Return);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(m_fixture->state()->events()->search(QStringLiteral("lunch"), 10).isEmpty());
}

void TestQuickAddDialog::everyShowStartsEmpty()
{
    QuickAddDialog dialog(m_fixture->state());
    dialog.show();
    QTest::keyClicks(edit(dialog), QStringLiteral("lunch tomorrow"));
    QVERIFY(!preview(dialog).isEmpty());
    dialog.hide();
    dialog.show();
    QCOMPARE(edit(dialog)->toPlainText(), QString());
    QCOMPARE(preview(dialog), QString());
}

void TestQuickAddDialog::escapeClosesWithoutStoring()
{
    QWidget owner;
    owner.show();
    QuickAddDialog dialog(m_fixture->state(), &owner);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(edit(dialog), QStringLiteral("dentist tomorrow at 9:30"));
    QTest::keyClick(edit(dialog), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(m_fixture->state()->events()->search(QStringLiteral("dentist"), 10).size(), 0);
}

QTEST_MAIN(TestQuickAddDialog)
#include "tst_quickadddialog.moc"
