#include "app/appstate.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "tests/support/tempdatadir.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

class TestManageSourcesDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_state = std::make_unique<AppState>();
        QVERIFY(m_state->initialize());
    }

    void cleanup()
    {
        m_state.reset();
        m_dir.reset();
    }

    void titleModalityAndDoneButton()
    {
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Calendar Accounts"));
        QVERIFY(dialog.isModal());
        QPushButton *done = nullptr;
        for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
            if (button->text() == QLatin1String("Done"))
                done = button;
        }
        QVERIFY(done);
        QVERIFY(done->isDefault());
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.width() >= 720);
        done->click();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
    }

    void listsTheSeededAccountWithItsPersonalCalendar()
    {
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        QCOMPARE(rows(dialog), (QStringList{"account:On This Device", "calendar:Personal"}));
    }

    void listFollowsEveryChangeOfAccountsAndCalendars_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("calendar added under its account, by name")
            << "calendar" << QStringList{"account:On This Device", "calendar:Birthdays", "calendar:Personal"};
        QTest::newRow("second account, after a separator")
            << "account"
            << QStringList{"account:On This Device", "calendar:Personal", "separator", "account:Work", "calendar:Team"};
        QTest::newRow("accounts reordered")
            << "reorder"
            << QStringList{"account:Work", "calendar:Team", "separator", "account:On This Device", "calendar:Personal"};
        QTest::newRow("account removed with its calendars")
            << "remove" << QStringList{"account:On This Device", "calendar:Personal"};
        QTest::newRow("no accounts left")
            << "remove all" << QStringList{"empty:No accounts yet. Click \"Add Account\" below to get started."};
        QTest::newRow("calendar renamed") << "rename" << QStringList{"account:On This Device", "calendar:Home"};
    }

    void listFollowsEveryChangeOfAccountsAndCalendars()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, expected);
        const QString local = QString::fromLatin1(AppState::LocalAccountId);
        const QString work = QStringLiteral("work-account");
        ManageSourcesDialog dialog(m_state.get(), nullptr);

        if (change == QLatin1String("calendar")) {
            QVERIFY(addCalendar(QStringLiteral("birthdays"), local, QStringLiteral("Birthdays")));
        } else if (change == QLatin1String("rename")) {
            std::optional<Calendar> personal = m_state->calendars()->getById(AppState::LocalCalendarId);
            QVERIFY(personal);
            personal->name = QStringLiteral("Home");
            QVERIFY(m_state->calendars()->update(*personal));
        } else {
            QVERIFY(addWorkAccount());
            QVERIFY(addCalendar(QStringLiteral("team"), work, QStringLiteral("Team")));
            if (change == QLatin1String("reorder"))
                QVERIFY(m_state->accounts()->reorder({work, local}));
            if (change == QLatin1String("remove") || change == QLatin1String("remove all"))
                QVERIFY(m_state->accounts()->remove(work));
            if (change == QLatin1String("remove all"))
                QVERIFY(m_state->accounts()->remove(local));
        }
        QCOMPARE(rows(dialog), expected);
    }

    void replacedRowsAreDeletedOnlyAfterTheChangeReturns()
    {
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        QPointer<QWidget> before = dialog.findChild<QWidget *>(QStringLiteral("calendarRow"));
        QVERIFY(before);
        QVERIFY(addCalendar(QStringLiteral("birthdays"), QString::fromLatin1(AppState::LocalAccountId),
                            QStringLiteral("Birthdays")));
        // A row whose own action caused the change may still be running.
        QVERIFY(before);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!before);
        QCOMPARE(dialog.findChildren<QWidget *>(QStringLiteral("calendarRow")).size(), 2);
    }

private:
    // The list as shown, top to bottom: "account:<name>", "calendar:<name>",
    // "separator" or "empty:<text>".
    static QStringList rows(ManageSourcesDialog &dialog)
    {
        QStringList shown;
        auto *host = dialog.findChild<QWidget *>(QStringLiteral("accountsListHost"));
        if (!host || !host->layout())
            return {QStringLiteral("no list")};
        QLayout *layout = host->layout();
        for (int i = 0; i < layout->count(); ++i) {
            QWidget *widget = layout->itemAt(i)->widget();
            if (!widget)
                continue;
            if (widget->objectName() == QLatin1String("accountRow")
                || widget->objectName() == QLatin1String("calendarRow")) {
                auto *title = widget->findChild<QLabel *>(QStringLiteral("rowTitle"));
                shown << widget->objectName().chopped(3) + QLatin1Char(':') + (title ? title->text() : QString());
            } else if (auto *label = qobject_cast<QLabel *>(widget)) {
                const QString kind = label->objectName() == QLatin1String("accountRow")    ? QStringLiteral("account")
                                     : label->objectName() == QLatin1String("calendarRow") ? QStringLiteral("calendar")
                                     : label->objectName() == QLatin1String("emptyAccounts") ? QStringLiteral("empty")
                                                                                             : label->objectName();
                shown << kind + QLatin1Char(':') + label->text();
            } else if (auto *frame = qobject_cast<QFrame *>(widget); frame && frame->frameShape() == QFrame::HLine) {
                shown << QStringLiteral("separator");
            } else {
                shown << QStringLiteral("other");
            }
        }
        // The stretch that keeps the rows at the top is always last.
        if (layout->count() == 0 || !layout->itemAt(layout->count() - 1)->spacerItem())
            shown << QStringLiteral("no trailing stretch");
        return shown;
    }

    bool addWorkAccount()
    {
        Account work;
        work.id = QStringLiteral("work-account");
        work.name = QStringLiteral("Work");
        work.type = AccountType::CalDav;
        work.server_url = QStringLiteral("https://dav.example.test/");
        work.username = QStringLiteral("someone");
        return m_state->accounts()->insert(work);
    }

    bool addCalendar(const QString &id, const QString &accountId, const QString &name)
    {
        Calendar calendar;
        calendar.id = id;
        calendar.account_id = accountId;
        calendar.url = QStringLiteral("local://calendar/") + id;
        calendar.name = name;
        return m_state->calendars()->insert(calendar);
    }

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
};

QTEST_MAIN(TestManageSourcesDialog)
#include "tst_managesourcesdialog.moc"
