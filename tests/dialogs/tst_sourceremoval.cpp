// Removing accounts and calendars from the accounts dialog: the
// confirmations, the server's answer to a calendar's deletion, and what is
// left on this device afterwards.
#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QPushButton *buttonWithText(QWidget *dialog, const QString &text)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->text().remove(QLatin1Char('&')) == text)
            return button;
    }
    return nullptr;
}

// Types into the "Are you sure?" step and presses "Delete Permanently"
// when it lets itself be pressed.
ModalAnswerer::Answer typeAndConfirm(const QString &typed, bool *enabled)
{
    return [typed, enabled](QWidget *window) {
        window->findChild<QLineEdit *>()->setText(typed);
        QPushButton *permanent = buttonWithText(window, QStringLiteral("Delete Permanently"));
        *enabled = permanent->isEnabled();
        if (*enabled)
            permanent->click();
        else
            qobject_cast<QDialog *>(window)->reject();
    };
}

} // namespace

class TestSourceRemoval : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void removingAnAccountDeletesItsCalendarsAndSecrets_data()
    {
        QTest::addColumn<int>("calendars");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("two calendars") << 2 << true;
        QTest::newRow("no calendars") << 0 << true;
        QTest::newRow("declined") << 2 << false;
    }

    void removingAnAccountDeletesItsCalendarsAndSecrets()
    {
        QFETCH(int, calendars);
        QFETCH(bool, confirm);
        WidgetFixture f;
        Account account;
        account.id = QStringLiteral("dav");
        account.name = QStringLiteral("Work");
        account.type = AccountType::CalDav;
        QVERIFY(f.state()->accounts()->insert(account));
        for (int i = 0; i < calendars; ++i) {
            const Calendar calendar = f.addCalendar(QStringLiteral("cal%1").arg(i), QStringLiteral("C%1").arg(i),
                                                    QStringLiteral("#4285F4"), true, account.id);
            Event event = WidgetFixture::timedEvent(QStringLiteral("E"), QDateTime(QDate(2026, 3, 10), QTime(9, 0)),
                                                    std::nullopt, calendar.id);
            f.addEvent(event);
        }
        auto secrets = TindAccount::TokenStore::create(applicationServiceId());
        QVERIFY(secrets->write(caldavPasswordKey(account.id), QStringLiteral("secret")));

        ManageSourcesDialog dialog(f.state(), nullptr);
        ModalAnswerer answerer;
        answerer.pressButton(confirm ? QMessageBox::Yes : QMessageBox::No);
        dialog.onAccountAction(QStringLiteral("remove"), account.id);
        QCOMPARE(answerer.seen(),
                 QStringList{QStringLiteral("QMessageBox Remove \"Work\" and its %1 calendar(s)? Events from this "
                                            "account will be deleted from this device. Server data (if any) is left "
                                            "untouched.")
                                 .arg(calendars)});
        QCOMPARE(f.state()->accounts()->getById(account.id).has_value(), !confirm);
        QCOMPARE(f.state()->calendars()->getByAccount(account.id).size(), confirm ? 0 : calendars);
        // No password outlives its account.
        QCOMPARE(secrets->read(caldavPasswordKey(account.id)).has_value(), !confirm);
    }

    void removingACalendarAsksTwiceEvenWhenItIsLocal_data()
    {
        QTest::addColumn<QString>("firstStep");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("removed");
        QTest::newRow("typed with blanks and lower case") << "Delete" << " delete " << true;
        QTest::newRow("typed something else") << "Delete" << "DELET" << false;
        QTest::newRow("cancelled at the warning") << "Cancel" << "" << false;
    }

    void removingACalendarAsksTwiceEvenWhenItIsLocal()
    {
        QFETCH(QString, firstStep);
        QFETCH(QString, typed);
        QFETCH(bool, removed);
        WidgetFixture f;
        const Calendar calendar = f.addCalendar(QStringLiteral("trip"), QStringLiteral("Trip"));
        for (int i = 0; i < 2; ++i)
            f.addEvent(WidgetFixture::timedEvent(QStringLiteral("E"), QDateTime(QDate(2026, 3, 10), QTime(9, 0)),
                                                 std::nullopt, calendar.id));
        ManageSourcesDialog dialog(f.state(), nullptr);
        ModalAnswerer answerer;
        answerer.clickButton(firstStep);
        bool enabled = false;
        if (firstStep == QLatin1String("Delete"))
            answerer.answer(typeAndConfirm(typed, &enabled));
        dialog.onCalendarAction(QStringLiteral("remove"), calendar.id);
        QCOMPARE(answerer.seen().first(),
                 QStringLiteral("QMessageBox Delete \"Trip\" and all of its events?\n\nThis calendar contains 2 event(s)."));
        QCOMPARE(enabled, removed);
        QCOMPARE(f.state()->calendars()->getById(calendar.id).has_value(), !removed);
        QCOMPARE(f.state()->events()->countInCalendar(calendar.id), removed ? 0 : 2);
    }

    void serverAnswerDecidesWhetherACalDavCalendarIsDeleted_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("removed");
        // iCloud and Zoho accounts are CalDAV servers as well.
        for (const char *type : {"caldav", "icloud", "zoho"}) {
            QTest::addRow("%s deleted", type) << type << 204 << true;
            QTest::addRow("%s already gone", type) << type << 404 << true;
            QTest::addRow("%s refused", type) << type << 403 << false;
        }
    }

    void serverAnswerDecidesWhetherACalDavCalendarIsDeleted()
    {
        QFETCH(QString, type);
        QFETCH(int, status);
        QFETCH(bool, removed);
        WidgetFixture f;
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([status](const LocalHttpServer::Request &) { return LocalHttpServer::Reply{status, {}, {}}; });
        Account account;
        account.id = QStringLiteral("dav");
        account.name = QStringLiteral("Work");
        setTypeText(account, type);
        account.username = QStringLiteral("someone");
        account.server_url = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
        QVERIFY(f.state()->accounts()->insert(account));
        Calendar calendar = f.addCalendar(QStringLiteral("team"), QStringLiteral("Team"), QStringLiteral("#4285F4"),
                                          true, account.id);
        calendar.url = QStringLiteral("http://127.0.0.1:%1/cal/team/").arg(server.port());
        calendar.sync_enabled = true;
        QVERIFY(f.state()->calendars()->update(calendar));

        ManageSourcesDialog dialog(f.state(), nullptr);
        ModalAnswerer answerer;
        answerer.clickButton(QStringLiteral("Delete"));
        bool enabled = false;
        answerer.answer(typeAndConfirm(QStringLiteral("DELETE"), &enabled));
        if (!removed)
            answerer.pressButton(QMessageBox::Ok);
        dialog.onCalendarAction(QStringLiteral("remove"), calendar.id);
        QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 1, 10000);
        QCOMPARE(server.requests().first().method, QByteArray("DELETE"));
        QCOMPARE(server.requests().first().target, QByteArray("/cal/team/"));
        QVERIFY(server.requests().first().header("if-match").isEmpty());
        QCOMPARE(answerer.seen().first(),
                 QStringLiteral("QMessageBox Delete \"Team\" and all of its events?\n\nThis will delete the calendar "
                                "from the CalDAV server for everyone with access."));
        QTRY_COMPARE_WITH_TIMEOUT(answerer.pending(), 0, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(f.state()->calendars()->getById(calendar.id).has_value(), !removed, 10000);
        if (removed) {
            QCOMPARE(answerer.seen().size(), 2);
            return;
        }
        const Calendar kept = *f.state()->calendars()->getById(calendar.id);
        QVERIFY(!kept.is_visible);
        QVERIFY(!kept.sync_enabled);
        QCOMPARE(kept.last_sync_error, QStringLiteral("Server refused delete (HTTP 403)"));
        QCOMPARE(answerer.seen().last(),
                 QStringLiteral("QMessageBox \"Team\" could not be deleted on the server: HTTP 403.\n\nThe calendar "
                                "still exists on the server. It has been disabled and will not sync. Re-enable it "
                                "from the checkbox if you want it back."));

        // The checkbox brings it back, to the views and to syncing.
        dialog.setCalendarVisible(calendar.id, true);
        Calendar reenabled = kept;
        reenabled.is_visible = true;
        reenabled.sync_enabled = true;
        reenabled.updated_at = f.state()->calendars()->getById(calendar.id)->updated_at;
        QCOMPARE(*f.state()->calendars()->getById(calendar.id), reenabled);
    }

    // A calendar a pulled record pointed at another server is removed here
    // without sending the account's password there.
    void calendarOffItsServerIsRemovedHereOnly()
    {
        WidgetFixture f;
        LocalHttpServer stranger;
        QVERIFY(stranger.listen());
        Account account;
        account.id = account.name = account.username = QStringLiteral("dav");
        account.type = AccountType::CalDav;
        account.server_url = QStringLiteral("http://127.0.0.1:1/dav/");
        QVERIFY(f.state()->accounts()->insert(account));
        Calendar calendar = f.addCalendar(QStringLiteral("team"), QStringLiteral("Team"), QStringLiteral("#4285F4"),
                                          true, account.id);
        calendar.url = stranger.url(QStringLiteral("/cal/team/")).toString();
        QVERIFY(f.state()->calendars()->update(calendar));
        ManageSourcesDialog dialog(f.state(), nullptr);
        ModalAnswerer answerer;
        answerer.clickButton(QStringLiteral("Delete"));
        bool enabled = false;
        answerer.answer(typeAndConfirm(QStringLiteral("DELETE"), &enabled));
        dialog.onCalendarAction(QStringLiteral("remove"), calendar.id);
        QCOMPARE(answerer.seen().first(), QStringLiteral("QMessageBox Delete \"Team\" and all of its events?"));
        QVERIFY(!f.state()->calendars()->getById(calendar.id));
        QCOMPARE(stranger.requests().size(), 0);
    }

    void refreshWithoutASavedPasswordStartsNothing()
    {
        WidgetFixture f;
        Account account;
        account.id = QStringLiteral("dav");
        account.name = QStringLiteral("Work");
        account.type = AccountType::CalDav;
        account.server_url = QStringLiteral("http://127.0.0.1:9/");
        QVERIFY(f.state()->accounts()->insert(account));
        ManageSourcesDialog dialog(f.state(), nullptr);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        dialog.onAccountAction(QStringLiteral("refresh"), account.id);
        QCOMPARE(answerer.seen(), QStringList{"QMessageBox No saved password for this account."});
    }
};

QTEST_MAIN(TestSourceRemoval)
#include "tst_sourceremoval.moc"
