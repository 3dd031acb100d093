#include "app/appstate.h"
#include "dialogs/editing/manageviewsdialog.h"
#include "dialogs/editing/viewformdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/viewrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestCalendarGroupsDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void draggingAboveTheBuiltInGroupKeepsItFirst();
    void deletingTheBuiltInGroupIsRefused();
    void deletingAGroupAsksFirst();
    void newGroupStoresTheTickedCalendars();
    void unreadableMembershipOpensEmptyAndSavesAnArray();
    void builtInGroupOnlyChangesItsAccent();
    void blankNameIsRefused();
    void accentTextIsReadableOnItsColour_data();
    void accentTextIsReadableOnItsColour();
    void calendarsAreListedByAccountThenName();

private:
    CalendarView addGroup(const QString &name, int order, const QString &calendarIds = QStringLiteral("[]"));
    QStringList rowTexts(const QListWidget *list) const;
    QListWidget *groupList(QWidget *dialog) const
    {
        return dialog->findChild<QListWidget *>(QStringLiteral("groupList"));
    }
    ViewRepository *views() const { return m_fixture->state()->views(); }

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<ModalAnswerer> m_answerer;
};

void TestCalendarGroupsDialogs::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_answerer = std::make_unique<ModalAnswerer>();
}

void TestCalendarGroupsDialogs::cleanup()
{
    m_answerer.reset();
    m_fixture.reset();
}

CalendarView TestCalendarGroupsDialogs::addGroup(const QString &name, int order, const QString &calendarIds)
{
    CalendarView group;
    group.id = name.toLower();
    group.name = name;
    group.sort_order = order;
    group.calendar_ids = calendarIds;
    group.sync_status = SyncStatus::Synced;
    if (!views()->insert(group))
        qFatal("could not store the group");
    return *views()->getById(group.id);
}

QStringList TestCalendarGroupsDialogs::rowTexts(const QListWidget *list) const
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

void TestCalendarGroupsDialogs::draggingAboveTheBuiltInGroupKeepsItFirst()
{
    addGroup(QStringLiteral("Work"), 1);
    addGroup(QStringLiteral("Travel"), 2);
    ManageViewsDialog dialog(m_fixture->state());
    QListWidget *list = groupList(&dialog);
    QCOMPARE(rowTexts(list), QStringList({"All Calendars", "Work", "Travel"}));
    QVERIFY(!(list->item(0)->flags() & Qt::ItemIsDragEnabled));

    QVERIFY(list->model()->moveRow(QModelIndex(), 2, QModelIndex(), 0));
    QCoreApplication::processEvents();
    QCOMPARE(views()->getById(QStringLiteral("travel"))->sort_order, 10);
    QCOMPARE(views()->getById(QStringLiteral("all-calendars"))->sort_order, 20);
    QCOMPARE(views()->getById(QStringLiteral("work"))->sort_order, 30);
    QCOMPARE(views()->getById(QStringLiteral("travel"))->sync_status, SyncStatus::Pending);
    QCOMPARE(rowTexts(list), QStringList({"All Calendars", "Travel", "Work"}));
}

void TestCalendarGroupsDialogs::deletingTheBuiltInGroupIsRefused()
{
    ManageViewsDialog dialog(m_fixture->state());
    groupList(&dialog)->setCurrentRow(0);
    m_answerer->pressButton(QMessageBox::Ok);
    dialog.findChild<QPushButton *>(QStringLiteral("deleteGroup"))->click();
    QCOMPARE(m_answerer->seen(),
             QStringList({"QMessageBox \"All Calendars\" is the fallback group. It can be renamed but not deleted."}));
    QVERIFY(!views()->getById(QStringLiteral("all-calendars"))->deleted_at);
}

void TestCalendarGroupsDialogs::deletingAGroupAsksFirst()
{
    addGroup(QStringLiteral("Work"), 1);
    ManageViewsDialog dialog(m_fixture->state());
    groupList(&dialog)->setCurrentRow(1);
    auto *remove = dialog.findChild<QPushButton *>(QStringLiteral("deleteGroup"));
    m_answerer->answer([](QWidget *window) {
        auto *box = qobject_cast<QMessageBox *>(window);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::No)->click();
    });
    remove->click();
    QVERIFY(!views()->getById(QStringLiteral("work"))->deleted_at);
    m_answerer->pressButton(QMessageBox::Yes);
    remove->click();
    QCoreApplication::processEvents();
    QVERIFY(views()->getById(QStringLiteral("work"))->deleted_at);
    QCOMPARE(rowTexts(groupList(&dialog)), QStringList({"All Calendars"}));
    QCOMPARE(m_answerer->pending(), 0);
}

void TestCalendarGroupsDialogs::newGroupStoresTheTickedCalendars()
{
    addGroup(QStringLiteral("Work"), 1);
    m_fixture->addCalendar(QStringLiteral("team"), QStringLiteral("Team"));
    {
        ViewFormDialog form(m_fixture->state());
        QCOMPARE(form.windowTitle(), QStringLiteral("Add Calendar Group"));
        QCOMPARE(form.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->text(), QStringLiteral("Create Group"));
        form.findChild<QLineEdit *>(QStringLiteral("groupName"))->setText(QStringLiteral(" Nothing ticked "));
        form.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        const CalendarView saved = *views()->getById(form.savedGroupId());
        CalendarView expected = saved;
        expected.name = QStringLiteral("Nothing ticked");
        expected.calendar_ids = QStringLiteral("[]");
        expected.is_default = false;
        expected.sort_order = 2;
        expected.color.clear();
        expected.sync_status = SyncStatus::Pending;
        QCOMPARE(saved, expected);
        QVERIFY(saved.created_at.isValid());
    }
    ViewFormDialog form(m_fixture->state());
    form.findChild<QLineEdit *>(QStringLiteral("groupName"))->setText(QStringLiteral("Team"));
    QListWidget *calendars = form.findChild<QListWidget *>(QStringLiteral("groupCalendars"));
    for (int row = 0; row < calendars->count(); ++row)
        calendars->item(row)->setCheckState(Qt::Checked);
    form.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(views()->getById(form.savedGroupId())->calendar_ids,
             QStringLiteral("[\"%1\",\"team\"]").arg(QString::fromLatin1(AppState::LocalCalendarId)));
}

void TestCalendarGroupsDialogs::unreadableMembershipOpensEmptyAndSavesAnArray()
{
    const CalendarView broken = addGroup(QStringLiteral("Broken"), 1, QStringLiteral("{\"not\":\"an array\"}"));
    ViewFormDialog form(m_fixture->state(), broken);
    QCOMPARE(form.windowTitle(), QStringLiteral("Edit Calendar Group"));
    QListWidget *calendars = form.findChild<QListWidget *>(QStringLiteral("groupCalendars"));
    QCOMPARE(calendars->item(0)->checkState(), Qt::Unchecked);
    form.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(views()->getById(broken.id)->calendar_ids, QStringLiteral("[]"));
    QCOMPARE(form.savedGroupId(), broken.id);
}

void TestCalendarGroupsDialogs::builtInGroupOnlyChangesItsAccent()
{
    const CalendarView all = *views()->getById(QStringLiteral("all-calendars"));
    ViewFormDialog form(m_fixture->state(), all);
    auto *name = form.findChild<QLineEdit *>(QStringLiteral("groupName"));
    auto *calendars = form.findChild<QListWidget *>(QStringLiteral("groupCalendars"));
    QVERIFY(name->isReadOnly());
    QVERIFY(!calendars->isEnabled());
    QVERIFY(calendars->toolTip().startsWith(QStringLiteral("“All Calendars” always covers every visible calendar")));
    m_answerer->answer([](QWidget *window) {
        auto *dialog = qobject_cast<QColorDialog *>(window);
        dialog->setCurrentColor(QColor(QStringLiteral("#102030")));
        dialog->accept();
    });
    form.findChild<QPushButton *>(QStringLiteral("groupAccent"))->click();
    form.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    const CalendarView after = *views()->getById(all.id);
    QCOMPARE(QStringList({after.name, after.color, after.calendar_ids}),
             QStringList({all.name, "#102030", all.calendar_ids}));
}

void TestCalendarGroupsDialogs::blankNameIsRefused()
{
    ViewFormDialog form(m_fixture->state());
    form.findChild<QLineEdit *>(QStringLiteral("groupName"))->setText(QStringLiteral("   "));
    m_answerer->pressButton(QMessageBox::Ok);
    form.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(m_answerer->seen(), QStringList({"QMessageBox Please enter a name for the group."}));
    QCOMPARE(views()->getAll().size(), 1);
    QVERIFY(form.savedGroupId().isEmpty());
}

void TestCalendarGroupsDialogs::accentTextIsReadableOnItsColour_data()
{
    QTest::addColumn<QString>("accent");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("textColour");
    QTest::newRow("dark") << "#1a237e" << "#1A237E" << "#fff";
    QTest::newRow("light") << "#ffeb3b" << "#FFEB3B" << "#000";
    QTest::newRow("none") << "" << "(no accent)" << "";
    QTest::newRow("unreadable") << "not-a-colour" << "(no accent)" << "";
}

void TestCalendarGroupsDialogs::accentTextIsReadableOnItsColour()
{
    QFETCH(QString, accent);
    QFETCH(QString, text);
    QFETCH(QString, textColour);
    CalendarView group = addGroup(QStringLiteral("Tinted"), 1);
    group.color = accent;
    ViewFormDialog form(m_fixture->state(), group);
    auto *button = form.findChild<QPushButton *>(QStringLiteral("groupAccent"));
    QCOMPARE(button->text(), text);
    QCOMPARE(button->styleSheet().contains(QStringLiteral("color: %1;").arg(textColour)), !textColour.isEmpty());
    QCOMPARE(button->styleSheet().isEmpty(), textColour.isEmpty());
}

void TestCalendarGroupsDialogs::calendarsAreListedByAccountThenName()
{
    Account zulu;
    zulu.id = QStringLiteral("zulu-account");
    zulu.name = QStringLiteral("zulu");
    zulu.type = AccountType::CalDav;
    QVERIFY(m_fixture->state()->accounts()->insert(zulu));
    Account alpha = zulu;
    alpha.id = QStringLiteral("alpha-account");
    alpha.name = QStringLiteral("Alpha");
    QVERIFY(m_fixture->state()->accounts()->insert(alpha));
    m_fixture->addCalendar(QStringLiteral("z1"), QStringLiteral("beta"), QStringLiteral("#111111"), true, zulu.id);
    m_fixture->addCalendar(QStringLiteral("z2"), QStringLiteral("Alpha"), QStringLiteral("#111111"), false, zulu.id);
    m_fixture->addCalendar(QStringLiteral("a1"), QStringLiteral("Work"), QStringLiteral("#111111"), true, alpha.id);
    ViewFormDialog form(m_fixture->state());
    const QStringList expected = {"Alpha / Work", "On This Device / Personal", "zulu / Alpha", "zulu / beta"};
    QCOMPARE(rowTexts(form.findChild<QListWidget *>(QStringLiteral("groupCalendars"))), expected);
}

QTEST_MAIN(TestCalendarGroupsDialogs)
#include "tst_calendargroupsdialogs.moc"
