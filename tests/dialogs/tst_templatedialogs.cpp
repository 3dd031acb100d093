#include "app/appstate.h"
#include "dialogs/editing/managetemplatesdialog.h"
#include "dialogs/editing/templateeditordialog.h"
#include "store/calendarrepository.h"
#include "store/templaterepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <memory>

class TestTemplateDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void addingNeedsANameAndATitle();
    void durationIsStoredAsShownWithAFloor_data();
    void durationIsStoredAsShownWithAFloor();
    void remindersCanBeAddedAndRemoved();
    void reminderOutsideTheChoicesStaysEditable_data();
    void reminderOutsideTheChoicesStaysEditable();
    void cancelStoresNothing();
    void listShowsNameAndTitle();
    void deleteAsksFirst();
    void unavailableCalendarFallsBackToTheDefault();

private:
    EventTemplate addTemplate(const QString &name, const QString &title, const QList<int> &reminders = {15});
    QList<QComboBox *> reminderCombos(QWidget *dialog) const;
    void pressOk(QWidget *dialog) { dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click(); }
    TemplateRepository *templates() const { return m_fixture->state()->templates(); }

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<ModalAnswerer> m_answerer;
};

void TestTemplateDialogs::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_answerer = std::make_unique<ModalAnswerer>();
}

void TestTemplateDialogs::cleanup()
{
    m_answerer.reset();
    m_fixture.reset();
}

EventTemplate TestTemplateDialogs::addTemplate(const QString &name, const QString &title, const QList<int> &reminders)
{
    EventTemplate tpl;
    tpl.id = name.toLower() + QStringLiteral("-id");
    tpl.name = name;
    tpl.title = title;
    tpl.reminders = reminders;
    if (!templates()->insert(tpl))
        qFatal("could not store the template");
    return *templates()->getById(tpl.id);
}

QList<QComboBox *> TestTemplateDialogs::reminderCombos(QWidget *dialog) const
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QComboBox *> combos;
    for (QWidget *row : dialog->findChildren<QWidget *>(QStringLiteral("reminderRow")))
        combos << row->findChild<QComboBox *>();
    return combos;
}

void TestTemplateDialogs::addingNeedsANameAndATitle()
{
    ManageTemplatesDialog manager(m_fixture->state());
    m_answerer->answer([this](QWidget *window) {
        QCOMPARE(window->windowTitle(), QStringLiteral("New Template"));
        window->findChild<QLineEdit *>(QStringLiteral("templateName"))->setText(QStringLiteral(" Standup "));
        window->findChild<QLineEdit *>(QStringLiteral("templateTitle"))->setText(QStringLiteral("   "));
        m_answerer->pressButton(QMessageBox::Ok);
        pressOk(window);
        window->findChild<QLineEdit *>(QStringLiteral("templateTitle"))->setText(QStringLiteral("Daily standup"));
        pressOk(window);
    });
    manager.findChild<QPushButton *>(QStringLiteral("addTemplate"))->click();
    QCOMPARE(m_answerer->seen().at(1), QStringLiteral("QMessageBox Set the event title. That's what events created "
                                                      "from this template will be called."));
    const QList<EventTemplate> all = templates()->getAll();
    QCOMPARE(all.size(), 1);
    EventTemplate expected;
    expected.id = all.first().id;
    expected.name = QStringLiteral("Standup");
    expected.title = QStringLiteral("Daily standup");
    expected.duration_minutes = 60;
    expected.reminders = {15};
    expected.created_at = all.first().created_at;
    expected.updated_at = all.first().updated_at;
    QCOMPARE(all.first(), expected);
    QVERIFY(expected.created_at.isValid());
    QCOMPARE(manager.findChild<QListWidget *>()->item(0)->text(), QStringLiteral("Standup: Daily standup"));
}

void TestTemplateDialogs::durationIsStoredAsShownWithAFloor_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("shownHours");
    QTest::addColumn<int>("shownMinutes");
    QTest::addColumn<int>("saved");
    QTest::newRow("nothing becomes 15") << 60 << 0 << 0 << 0 << 0 << 15;
    QTest::newRow("ten minutes becomes 15") << 60 << 0 << 10 << 0 << 10 << 15;
    QTest::newRow("an hour and a half") << 60 << 1 << 30 << 1 << 30 << 90;
    QTest::newRow("stored zero shows zero") << 0 << -1 << -1 << 0 << 0 << 15;
    QTest::newRow("stored negative shows zero") << -20 << -1 << -1 << 0 << 0 << 15;
    QTest::newRow("beyond a day is clamped") << 3000 << -1 << -1 << 24 << 0 << 1440;
    QTest::newRow("largest") << 60 << 24 << 59 << 24 << 59 << 1499;
}

void TestTemplateDialogs::durationIsStoredAsShownWithAFloor()
{
    QFETCH(int, stored);
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(int, shownHours);
    QFETCH(int, shownMinutes);
    QFETCH(int, saved);
    EventTemplate tpl = addTemplate(QStringLiteral("Block"), QStringLiteral("Focus"));
    tpl.duration_minutes = stored;
    TemplateEditorDialog editor(m_fixture->state(), tpl);
    auto *hourSpin = editor.findChild<QSpinBox *>(QStringLiteral("durationHours"));
    auto *minuteSpin = editor.findChild<QSpinBox *>(QStringLiteral("durationMinutes"));
    if (hours >= 0) {
        hourSpin->setValue(hours);
        minuteSpin->setValue(minutes);
    }
    QCOMPARE(QList<int>({hourSpin->value(), minuteSpin->value()}), QList<int>({shownHours, shownMinutes}));
    pressOk(&editor);
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(editor.eventTemplate().duration_minutes, saved);
    QCOMPARE(editor.eventTemplate().id, tpl.id);
}

void TestTemplateDialogs::remindersCanBeAddedAndRemoved()
{
    TemplateEditorDialog editor(m_fixture->state(), addTemplate(QStringLiteral("Call"), QStringLiteral("Call")));
    auto *add = editor.findChild<QPushButton *>(QStringLiteral("addReminder"));
    add->click();
    add->click();
    const QList<QComboBox *> combos = reminderCombos(&editor);
    QCOMPARE(combos.size(), 3);
    for (QComboBox *combo : combos)
        QCOMPARE(combo->currentText(), QStringLiteral("15 minute(s) before"));
    combos.at(1)->setCurrentIndex(combos.at(1)->findData(1440));
    QCOMPARE(editor.eventTemplate().reminders, QList<int>({15, 1440, 15}));

    for (int i = 0; i < 3; ++i) {
        QWidget *row = editor.findChildren<QWidget *>(QStringLiteral("reminderRow")).value(0);
        QVERIFY(row);
        row->findChild<QToolButton *>()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QVERIFY(editor.findChild<QLabel *>(QStringLiteral("noReminders")));
    pressOk(&editor);
    QCOMPARE(editor.eventTemplate().reminders, QList<int>());
}

void TestTemplateDialogs::reminderOutsideTheChoicesStaysEditable_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("count");
    QTest::newRow("45 minutes") << 45 << "45 minute(s) before" << 9;
    QTest::newRow("two days") << 2880 << "2 day(s) before" << 9;
    QTest::newRow("three hours") << 180 << "3 hour(s) before" << 9;
    QTest::newRow("ninety minutes") << 90 << "90 minute(s) before" << 9;
    QTest::newRow("an hour is a choice") << 60 << "1 hour before" << 8;
    QTest::newRow("a day is a choice") << 1440 << "1 day(s) before" << 8;
    QTest::newRow("at the start") << 0 << "At time of event" << 8;
}

void TestTemplateDialogs::reminderOutsideTheChoicesStaysEditable()
{
    QFETCH(int, minutes);
    QFETCH(QString, label);
    QFETCH(int, count);
    TemplateEditorDialog editor(m_fixture->state(),
                                addTemplate(QStringLiteral("Odd"), QStringLiteral("Odd"), {minutes}));
    QComboBox *combo = reminderCombos(&editor).value(0);
    QVERIFY(combo);
    QCOMPARE(combo->count(), count);
    QCOMPARE(combo->currentText(), label);
    QCOMPARE(combo->currentIndex() == 0, count == 9 || minutes == 0);
}

void TestTemplateDialogs::cancelStoresNothing()
{
    const EventTemplate before = addTemplate(QStringLiteral("Standup"), QStringLiteral("Standup"));
    ManageTemplatesDialog manager(m_fixture->state());
    manager.findChild<QListWidget *>()->setCurrentRow(0);
    m_answerer->answer([this](QWidget *window) {
        m_answerer->answer([](QWidget *colours) {
            auto *dialog = qobject_cast<QColorDialog *>(colours);
            dialog->setCurrentColor(QColor(QStringLiteral("#aa0000")));
            dialog->accept();
        });
        window->findChild<QToolButton *>(QStringLiteral("templateColor"))->click();
        QCOMPARE(window->findChild<QToolButton *>(QStringLiteral("templateColor"))->toolTip(),
                 QStringLiteral("#aa0000, click to change."));
        window->findChild<QPushButton *>(QStringLiteral("addReminder"))->click();
        qobject_cast<QDialog *>(window)->reject();
    });
    manager.findChild<QPushButton *>(QStringLiteral("editTemplate"))->click();
    QCOMPARE(m_answerer->pending(), 0);
    QCOMPARE(*templates()->getById(before.id), before);
}

void TestTemplateDialogs::listShowsNameAndTitle()
{
    EventTemplate coloured = addTemplate(QStringLiteral("Gym"), QStringLiteral(""));
    coloured.color = QStringLiteral("#00aa00");
    QVERIFY(templates()->update(coloured));
    addTemplate(QStringLiteral("Alpha"), QStringLiteral("Planning"));
    ManageTemplatesDialog manager(m_fixture->state());
    QListWidget *list = manager.findChild<QListWidget *>();
    QCOMPARE(list->count(), 2);
    QCOMPARE(QStringList({list->item(0)->text(), list->item(1)->text()}),
             QStringList({"Alpha: Planning", "Gym: (no title)"}));
    QVERIFY(list->item(0)->icon().isNull());
    QVERIFY(!list->item(1)->icon().isNull());
    QCOMPARE(list->item(1)->data(Qt::UserRole).toString(), coloured.id);
}

void TestTemplateDialogs::deleteAsksFirst()
{
    addTemplate(QStringLiteral("Standup"), QStringLiteral("Standup"));
    ManageTemplatesDialog manager(m_fixture->state());
    manager.findChild<QListWidget *>()->setCurrentRow(0);
    auto *remove = manager.findChild<QPushButton *>(QStringLiteral("deleteTemplate"));
    m_answerer->answer([](QWidget *window) {
        auto *box = qobject_cast<QMessageBox *>(window);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::No)->click();
    });
    remove->click();
    QCOMPARE(templates()->getAll().size(), 1);
    m_answerer->pressButton(QMessageBox::Yes);
    remove->click();
    QVERIFY(templates()->getAll().isEmpty());
    QCOMPARE(manager.findChild<QListWidget *>()->count(), 0);
    QCOMPARE(m_answerer->seen().at(1),
             QStringLiteral("QMessageBox Delete the template \"Standup\"? Events already created from it are unaffected."));
}

void TestTemplateDialogs::unavailableCalendarFallsBackToTheDefault()
{
    m_fixture->addCalendar(QStringLiteral("hidden"), QStringLiteral("Hidden"), QStringLiteral("#123456"), false);
    Calendar readOnly = m_fixture->addCalendar(QStringLiteral("feed"), QStringLiteral("Feed"));
    readOnly.is_read_only = true;
    QVERIFY(m_fixture->state()->calendars()->update(readOnly));
    EventTemplate tpl = addTemplate(QStringLiteral("Feed"), QStringLiteral("Feed"));
    tpl.calendar_id = QStringLiteral("feed");
    TemplateEditorDialog editor(m_fixture->state(), tpl);
    auto *calendars = editor.findChild<QComboBox *>(QStringLiteral("templateCalendar"));
    QCOMPARE(calendars->currentText(), QStringLiteral("(use default)"));
    QVERIFY(calendars->findData(QStringLiteral("hidden")) > 0);
    QCOMPARE(calendars->findData(QStringLiteral("feed")), -1);
    pressOk(&editor);
    QCOMPARE(editor.eventTemplate().calendar_id, QString());

    tpl.calendar_id = QStringLiteral("hidden");
    TemplateEditorDialog hidden(m_fixture->state(), tpl);
    QCOMPARE(hidden.findChild<QComboBox *>(QStringLiteral("templateCalendar"))->currentText(), QStringLiteral("Hidden"));
}

QTEST_MAIN(TestTemplateDialogs)
#include "tst_templatedialogs.moc"
