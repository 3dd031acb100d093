#include "app/appstate.h"
#include "dialogs/editing/filterformdialog.h"
#include "dialogs/editing/managefiltersdialog.h"
#include "store/database.h"
#include "store/filterrulerepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

#include <memory>

class TestManageFiltersDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyListShowsAnInertPlaceholder();
    void draggingRenumbersThePriorities();
    void untickingDisablesTheRule();
    void deleteAsksFirst();
    void refusedWritesAreShown();
    void doubleClickEditsAndTheRowFollows();
    void rowTextNamesTypeAndAction_data();
    void rowTextNamesTypeAndAction();

private:
    FilterRule addRule(const QString &name, int priority, const QString &type = QStringLiteral("pattern"),
                       const QString &action = QStringLiteral("hide"));
    QStringList rowTexts() const;
    QListWidget *list() const { return m_dialog->findChild<QListWidget *>(QStringLiteral("filterList")); }
    // The rebuild follows the change one turn of the event loop later.
    void settle() { QCoreApplication::processEvents(); }
    FilterRuleRepository *repository() const { return m_fixture->state()->filterRules(); }

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<ManageFiltersDialog> m_dialog;
};

void TestManageFiltersDialog::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_answerer = std::make_unique<ModalAnswerer>();
}

void TestManageFiltersDialog::cleanup()
{
    m_dialog.reset();
    m_answerer.reset();
    m_fixture.reset();
}

FilterRule TestManageFiltersDialog::addRule(const QString &name, int priority, const QString &type,
                                            const QString &action)
{
    FilterRule rule;
    rule.id = name.toLower() + QStringLiteral("-id");
    rule.name = name;
    rule.type = type;
    rule.action = action;
    rule.priority = priority;
    rule.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["x"]})");
    rule.sync_status = SyncStatus::Synced;
    if (!repository()->insert(rule))
        qFatal("could not store the rule");
    return rule;
}

QStringList TestManageFiltersDialog::rowTexts() const
{
    QStringList texts;
    for (int row = 0; row < list()->count(); ++row)
        texts << list()->item(row)->text().section(QStringLiteral("   "), 0, 0);
    return texts;
}

void TestManageFiltersDialog::emptyListShowsAnInertPlaceholder()
{
    m_dialog = std::make_unique<ManageFiltersDialog>(m_fixture->state());
    QCOMPARE(list()->count(), 1);
    QCOMPARE(list()->item(0)->text(), QStringLiteral("(no filters yet)"));
    QCOMPARE(list()->item(0)->flags(), Qt::NoItemFlags);
    QVERIFY(!m_dialog->findChild<QPushButton *>(QStringLiteral("editFilter"))->isEnabled());
    QVERIFY(!m_dialog->findChild<QPushButton *>(QStringLiteral("deleteFilter"))->isEnabled());
    QVERIFY(m_dialog->findChild<QPushButton *>(QStringLiteral("addFilter"))->isEnabled());

    // A rule added from the form replaces the placeholder.
    m_answerer->answer([](QWidget *window) {
        auto *form = qobject_cast<FilterFormDialog *>(window);
        form->findChild<QLineEdit *>(QStringLiteral("filterName"))->setText(QStringLiteral("Gym"));
        form->findChild<QLineEdit *>(QStringLiteral("titleContains"))->setText(QStringLiteral("gym"));
        form->accept();
    });
    m_dialog->findChild<QPushButton *>(QStringLiteral("addFilter"))->click();
    settle();
    QCOMPARE(rowTexts(), QStringList({"Gym"}));
    QVERIFY(m_dialog->findChild<QPushButton *>(QStringLiteral("editFilter"))->isEnabled());
}

void TestManageFiltersDialog::draggingRenumbersThePriorities()
{
    addRule(QStringLiteral("Alpha"), 100);
    addRule(QStringLiteral("Beta"), 100);
    addRule(QStringLiteral("Gamma"), 200);
    m_dialog = std::make_unique<ManageFiltersDialog>(m_fixture->state());
    QCOMPARE(rowTexts(), QStringList({"Alpha", "Beta", "Gamma"}));

    QVERIFY(list()->model()->moveRow(QModelIndex(), 2, QModelIndex(), 0));
    settle();
    QCOMPARE(rowTexts(), QStringList({"Gamma", "Alpha", "Beta"}));
    QList<int> priorities;
    for (const FilterRule &rule : repository()->getAll())
        priorities << rule.priority;
    QCOMPARE(priorities, QList<int>({10, 20, 30}));
    QCOMPARE(repository()->getAll().first().sync_status, SyncStatus::Pending);

    // A later rule at the default priority sorts after every renumbered one,
    // and by name among its equals.
    addRule(QStringLiteral("Delta"), 100);
    addRule(QStringLiteral("Aardvark"), 100);
    settle();
    QCOMPARE(rowTexts(), QStringList({"Gamma", "Alpha", "Beta", "Aardvark", "Delta"}));
}

void TestManageFiltersDialog::untickingDisablesTheRule()
{
    addRule(QStringLiteral("Alpha"), 10);
    m_dialog = std::make_unique<ManageFiltersDialog>(m_fixture->state());
    QSignalSpy changes(repository(), &FilterRuleRepository::filterRulesChanged);
    list()->item(0)->setText(QStringLiteral("renamed only"));
    QCOMPARE(changes.size(), 0);
    list()->item(0)->setCheckState(Qt::Unchecked);
    settle();
    const FilterRule stored = *repository()->getById(QStringLiteral("alpha-id"));
    QCOMPARE(QVariantList({stored.enabled, toText(stored.sync_status)}), QVariantList({false, QStringLiteral("pending")}));
    QCOMPARE(list()->item(0)->checkState(), Qt::Unchecked);
    QCOMPARE(changes.size(), 1);
}

void TestManageFiltersDialog::deleteAsksFirst()
{
    addRule(QStringLiteral("Alpha"), 10);
    m_dialog = std::make_unique<ManageFiltersDialog>(m_fixture->state());
    list()->setCurrentRow(0);
    auto *remove = m_dialog->findChild<QPushButton *>(QStringLiteral("deleteFilter"));
    m_answerer->pressButton(QMessageBox::No);
    remove->click();
    QCOMPARE(m_answerer->seen(), QStringList({"QMessageBox Delete \"Alpha\"? You can recreate it later."}));
    QCOMPARE(repository()->getAll().size(), 1);
    m_answerer->pressButton(QMessageBox::Yes);
    remove->click();
    settle();
    QVERIFY(repository()->getAll().isEmpty());
    QVERIFY(repository()->getById(QStringLiteral("alpha-id"))->deleted_at.has_value());
    QCOMPARE(list()->item(0)->text(), QStringLiteral("(no filters yet)"));
}

void TestManageFiltersDialog::refusedWritesAreShown()
{
    addRule(QStringLiteral("Alpha"), 10);
    m_dialog = std::make_unique<ManageFiltersDialog>(m_fixture->state());
    QSqlQuery refuse(m_fixture->db()->database());
    QVERIFY(refuse.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_updates BEFORE UPDATE ON filter_rules "
                                       "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    m_answerer->pressButton(QMessageBox::Ok);
    list()->item(0)->setCheckState(Qt::Unchecked);
    settle();
    list()->setCurrentRow(0);
    m_answerer->pressButton(QMessageBox::Yes);
    m_answerer->pressButton(QMessageBox::Ok);
    m_dialog->findChild<QPushButton *>(QStringLiteral("deleteFilter"))->click();
    settle();
    QCOMPARE(m_answerer->seen(), QStringList({"QMessageBox Could not save the filter.",
                                              "QMessageBox Delete \"Alpha\"? You can recreate it later.",
                                              "QMessageBox Could not delete the filter."}));
    const FilterRule stored = *repository()->getById(QStringLiteral("alpha-id"));
    QVERIFY(stored.enabled && !stored.deleted_at);
}

void TestManageFiltersDialog::doubleClickEditsAndTheRowFollows()
{
    addRule(QStringLiteral("Alpha"), 10);
    m_dialog = std::make_unique<ManageFiltersDialog>(m_fixture->state());
    QString title;
    m_answerer->answer([&title](QWidget *window) {
        title = window->windowTitle();
        window->findChild<QLineEdit *>(QStringLiteral("filterName"))->setText(QStringLiteral("Omega"));
        qobject_cast<QDialog *>(window)->accept();
    });
    list()->setCurrentRow(0);
    emit list()->itemDoubleClicked(list()->item(0));
    settle();
    QCOMPARE(title, QStringLiteral("Edit Filter"));
    QCOMPARE(rowTexts(), QStringList({"Omega"}));
    QCOMPARE(repository()->getById(QStringLiteral("alpha-id"))->priority, 10);
}

void TestManageFiltersDialog::rowTextNamesTypeAndAction_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("text");
    QTest::newRow("all-day dim") << "all_day" << "dim" << "Birthdays   ·   All-day → Dim";
    QTest::newRow("pattern hide") << "pattern" << "hide" << "Birthdays   ·   Pattern → Hide";
    QTest::newRow("time") << "time" << "hide" << "Birthdays   ·   Time → Hide";
    QTest::newRow("specific") << "specific" << "dim" << "Birthdays   ·   Specific → Dim";
    QTest::newRow("unknown kept") << "weather" << "blur" << "Birthdays   ·   weather → blur";
}

void TestManageFiltersDialog::rowTextNamesTypeAndAction()
{
    QFETCH(QString, type);
    QFETCH(QString, action);
    QFETCH(QString, text);
    addRule(QStringLiteral("Birthdays"), 10, type, action);
    m_dialog = std::make_unique<ManageFiltersDialog>(m_fixture->state());
    QCOMPARE(list()->item(0)->text(), text);
    QCOMPARE(list()->item(0)->checkState(), Qt::Checked);
}

QTEST_MAIN(TestManageFiltersDialog)
#include "tst_managefiltersdialog.moc"
