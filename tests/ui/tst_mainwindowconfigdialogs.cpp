#include "app/appstate.h"
#include "store/filterrulerepository.h"
#include "store/viewrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/mainwindow.h"
#include "ui/statusbar/statuspills.h"
#include "views/area/viewarea.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

QAction *findAction(const QMenuBar *bar, const QString &text)
{
    for (const QAction *menuAction : bar->actions()) {
        if (!menuAction->menu())
            continue;
        for (QAction *action : menuAction->menu()->actions()) {
            if (action->text().startsWith(text))
                return action;
        }
    }
    return nullptr;
}

} // namespace

class TestMainWindowConfigDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        qunsetenv("CALENDAR_INSTANCE");
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }

    void cleanup() { m_fixture.reset(); }

    void menuEntriesOpenTheirDialogs_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("opened");
        QTest::newRow("add filter") << "Add &Filter…" << "FilterFormDialog Add Filter";
        QTest::newRow("add group") << "Add Calendar &Group…" << "ViewFormDialog Add Calendar Group";
        QTest::newRow("manage groups") << "Manage Calendar Gr&oups…" << "ManageViewsDialog Manage Calendar Groups";
        QTest::newRow("templates") << "Manage Te&mplates…" << "ManageTemplatesDialog Event Templates";
        QTest::newRow("invitations") << "&Invitations…" << "InvitationsDialog Invitations";
    }

    void menuEntriesOpenTheirDialogs()
    {
        QFETCH(QString, entry);
        QFETCH(QString, opened);
        MainWindow window(m_fixture->state());
        ModalAnswerer answerer;
        QString seen;
        answerer.answer([&seen](QWidget *dialog) {
            seen = QString::fromLatin1(dialog->metaObject()->className()) + QLatin1Char(' ') + dialog->windowTitle();
            qobject_cast<QDialog *>(dialog)->reject();
        });
        QAction *action = findAction(window.menuBar(), entry);
        QVERIFY(action);
        action->trigger();
        QCOMPARE(seen, opened);
    }

    void filtersPillOpensTheFilterDialogs()
    {
        FilterRule rule;
        rule.id = rule.name = QStringLiteral("Lunch");
        rule.type = QStringLiteral("pattern");
        rule.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["lunch"]})");
        QVERIFY(m_fixture->state()->filterRules()->insert(rule));
        MainWindow window(m_fixture->state());
        QToolButton *pill = window.statusPills()->filtersButton();
        QStringList seen;
        const auto record = [&seen](QWidget *dialog) {
            seen << QString::fromLatin1(dialog->metaObject()->className());
            qobject_cast<QDialog *>(dialog)->reject();
        };
        ModalAnswerer answerer;
        answerer.answer(record);
        answerer.answer(record);
        QTRY_VERIFY(pill->menu() && pill->menu()->actions().size() > 2);
        for (const QString &text : {QStringLiteral("Add Filter…"), QStringLiteral("Manage Filters…")}) {
            for (QAction *action : pill->menu()->actions()) {
                if (action->text() == text)
                    action->trigger();
            }
        }
        QCOMPARE(seen, QStringList({"FilterFormDialog", "ManageFiltersDialog"}));
    }

    void groupCreatedFromTheViewAreaBecomesActive()
    {
        MainWindow window(m_fixture->state());
        ModalAnswerer answerer;
        answerer.chooseMenuItem(QStringLiteral("Add Calendar Group…"));
        answerer.answer([](QWidget *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("groupName"))->setText(QStringLiteral("Travel"));
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        auto *chip = window.viewArea()->findChild<QToolButton *>(QStringLiteral("groupChip"));
        QVERIFY(chip);
        chip->showMenu();
        QTRY_COMPARE(answerer.pending(), 0);
        const QList<CalendarView> groups = m_fixture->state()->views()->getAll();
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups.last().name, QStringLiteral("Travel"));
        QCOMPARE(m_fixture->state()->activeViewId(), groups.last().id);
    }

private:
    std::unique_ptr<WidgetFixture> m_fixture;
};

QTEST_MAIN(TestMainWindowConfigDialogs)
#include "tst_mainwindowconfigdialogs.moc"
