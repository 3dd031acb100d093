#include "app/appstate.h"
#include "dialogs/editing/quickadddialog.h"
#include "dialogs/search/searchdialog.h"
#include "store/eventrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

namespace {

QAction *findAction(const QMenuBar *bar, const QString &text)
{
    for (const QAction *menuAction : bar->actions()) {
        if (!menuAction->menu())
            continue;
        for (QAction *action : menuAction->menu()->actions()) {
            if (action->text() == text)
                return action;
        }
    }
    return nullptr;
}

} // namespace

// The main window's entries reach quick add, search and the PDF export.
class TestMainWindowDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void quickAddIsKeptAndStoresOnEnter();
    void findEventsOpensTheFoundEventsDay();
    void exportAgendaOpensTheExportDialog();

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindowDialogs::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_window = std::make_unique<MainWindow>(m_fixture->state());
}

void TestMainWindowDialogs::cleanup()
{
    m_window.reset();
    m_fixture.reset();
}

void TestMainWindowDialogs::quickAddIsKeptAndStoresOnEnter()
{
    QAction *quickAdd = findAction(m_window->menuBar(), QStringLiteral("Quick &Add…"));
    QVERIFY(quickAdd);
    quickAdd->trigger();
    QuickAddDialog *dialog = m_window->quickAddDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    auto *edit = dialog->findChild<QPlainTextEdit *>(QStringLiteral("quickAddText"));
    QTest::keyClicks(edit, QStringLiteral("lunch tomorrow 1pm"));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(m_fixture->state()->events()->search(QStringLiteral("lunch"), 10).size(), 1);
    quickAdd->trigger();
    QCOMPARE(m_window->quickAddDialog(), dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(edit->toPlainText(), QString());
}

void TestMainWindowDialogs::findEventsOpensTheFoundEventsDay()
{
    const QDate day = QDate::currentDate().addDays(9);
    const Event event = m_fixture->addEvent(
        WidgetFixture::timedEvent(QStringLiteral("Board meeting"), QDateTime(day, QTime(10, 0)), std::nullopt));
    ModalAnswerer answerer;
    answerer.answer([](QWidget *window) {
        auto *search = qobject_cast<SearchDialog *>(window);
        if (!search) {
            window->close();
            return;
        }
        search->findChild<QLineEdit *>(QStringLiteral("searchText"))->setText(QStringLiteral("board"));
        QTRY_COMPARE(search->results()->count(), 1);
        Q_EMIT search->results()->itemActivated(search->results()->item(0));
    });
    QAction *find = findAction(m_window->menuBar(), QStringLiteral("&Find Events…"));
    QVERIFY(find);
    find->trigger();
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("SearchDialog Search")});
    QCOMPARE(m_fixture->state()->viewMode(), QStringLiteral("day"));
    QCOMPARE(m_fixture->state()->currentDate(), day);
    QCOMPARE(m_fixture->state()->selectedEventId(), event.id);
}

void TestMainWindowDialogs::exportAgendaOpensTheExportDialog()
{
    ModalAnswerer answerer;
    QAction *exportPdf = findAction(m_window->menuBar(), QStringLiteral("&Export Agenda PDF…"));
    QVERIFY(exportPdf);
    exportPdf->trigger();
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("PdfExportDialog Export Agenda PDF (unexpected)")});
}

QTEST_MAIN(TestMainWindowDialogs)
#include "tst_mainwindowdialogs.moc"
