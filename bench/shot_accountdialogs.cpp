// Saves pictures of the preference and account dialogs (preferences,
// weather, keyboard shortcuts, welcome, holiday picker, subscription,
// calendar accounts with accounts of every kind, the account form, the
// CalDAV connection and certificate dialogs, the sign-in progress, the
// removal questions, the account screen's pages and the sharing dialog) over a
// temporary store and the local fake cloud service, so they can be looked at
// without a desktop. Run under xvfb-run; the pictures go to the folder given
// as the first argument (default "."). Not a benchmark.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QJsonArray>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTest>

#include <functional>
#include <memory>

#include "account/client.h"
#include "account/sharingbackend.h"
#include "account/tokenmanager.h"
#include "account/widgets/accountscreen.h"
#include "account/widgets/sharemembersdialog.h"
#include "app/appstate.h"
#include "app/theme/theme.h"
#include "dialogs/accounts/accountformdialog.h"
#include "dialogs/accounts/caldavcertificatedialog.h"
#include "dialogs/accounts/caldavconnectiondialog.h"
#include "dialogs/accounts/holidaypickerdialog.h"
#include "dialogs/accounts/keyboardhelpdialog.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "dialogs/accounts/settingsdialog.h"
#include "dialogs/accounts/weathersettingsdialog.h"
#include "dialogs/accounts/oauthprogressdialog.h"
#include "dialogs/accounts/webcalsubscriptiondialog.h"
#include "dialogs/accounts/welcomedialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/widgetfixture.h"

namespace {

void loadFonts()
{
    const QString dir = QStringLiteral(TINDLE_SOURCE_DIR "/fonts/");
    QFontDatabase::addApplicationFont(dir + QStringLiteral("IBMPlexSans-Regular.ttf"));
    const int icons = QFontDatabase::addApplicationFont(dir + QStringLiteral("MaterialIcons-Regular.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(icons);
    if (!families.isEmpty())
        Theme::setFontFamily(families.first());
    QApplication::setFont(QFont(Theme::defaultFontFamily(), Theme::fontBody()));
}

void shoot(QWidget *widget, const QString &folder, const QString &name)
{
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget))
        qWarning("%s was never shown", qPrintable(name));
    QTest::qWait(300);
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    widget->hide();
}

// Pictures of the modal windows a call opens, one after another: each step
// saves the window on top and answers it.
void shootModals(const QString &folder, const QStringList &names, const std::function<void()> &open,
                 const std::function<void(QWidget *, int)> &answer)
{
    auto step = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || *step >= names.size()) {
            if (*step < names.size())
                QTimer::singleShot(100, *poll);
            return;
        }
        QTest::qWait(300);
        modal->grab().save(QDir(folder).filePath(names.at(*step) + QStringLiteral(".png")));
        answer(modal, (*step)++);
        if (*step < names.size())
            QTimer::singleShot(200, *poll);
    };
    QTimer::singleShot(200, *poll);
    open();
}

Account account(const QString &id, const QString &name, const QString &type, const QString &color)
{
    Account made;
    made.id = id;
    made.name = name;
    setTypeText(made, type);
    made.color = color;
    made.enabled = true;
    made.sync_interval_minutes = 15;
    made.created_at = made.updated_at = QDateTime::currentDateTimeUtc();
    return made;
}

Calendar calendarOf(const QString &accountId, const QString &id, const QString &name, const QString &color)
{
    Calendar made;
    made.id = id;
    made.account_id = accountId;
    made.name = name;
    made.color = color;
    made.url = QStringLiteral("https://dav.example.org/cal/") + id + QLatin1Char('/');
    made.is_visible = true;
    made.sync_enabled = true;
    made.created_at = made.updated_at = QDateTime::currentDateTimeUtc();
    return made;
}

// Accounts of every kind, with the states their rows show.
void addAccountsOfEveryKind(AppState *state)
{
    Account dav = account(QStringLiteral("dav"), QStringLiteral("Work Nextcloud"), QStringLiteral("caldav"),
                          QStringLiteral("#7986CB"));
    dav.server_url = QStringLiteral("https://cloud.example.org/remote.php/dav/");
    dav.username = QStringLiteral("ada");
    if (!state->accounts()->insert(dav))
        qFatal("setup write refused");
    if (!state->calendars()->insert(calendarOf(dav.id, QStringLiteral("dav-team"), QStringLiteral("Team"),
                                              QStringLiteral("#33B679"))))
        qFatal("setup write refused");
    Calendar hidden = calendarOf(dav.id, QStringLiteral("dav-old"), QStringLiteral("Old projects"),
                                 QStringLiteral("#8E24AA"));
    hidden.is_visible = false;
    if (!state->calendars()->insert(hidden))
        qFatal("setup write refused");
    Account google = account(QStringLiteral("google"), QStringLiteral("ada@gmail.example"), QStringLiteral("google"),
                             QStringLiteral("#EA4335"));
    if (!state->accounts()->insert(google))
        qFatal("setup write refused");
    if (!state->calendars()->insert(calendarOf(google.id, QStringLiteral("g-primary"), QStringLiteral("ada@gmail.example"),
                                              QStringLiteral("#F4511E"))))
        qFatal("setup write refused");
    Account icloud = account(QStringLiteral("icloud"), QStringLiteral("iCloud"), QStringLiteral("icloud"),
                             QStringLiteral("not a colour"));
    icloud.last_sync_error = QStringLiteral("Password missing");
    if (!state->accounts()->insert(icloud))
        qFatal("setup write refused");
    Account webcal = account(QStringLiteral("webcal-subscriptions-account"), QStringLiteral("Calendar Subscriptions"),
                             QStringLiteral("webcal"), QStringLiteral("#0F9D58"));
    if (!state->accounts()->insert(webcal))
        qFatal("setup write refused");
    Calendar holidays = calendarOf(webcal.id, QStringLiteral("holidays"), QStringLiteral("Germany Holidays"),
                                   QStringLiteral("#0F9D58"));
    holidays.is_read_only = true;
    if (!state->calendars()->insert(holidays))
        qFatal("setup write refused");
}

void clickButton(QWidget *window, const QString &text)
{
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (button->text().remove(QLatin1Char('&')) == text) {
            button->click();
            return;
        }
    }
    qWarning("no button %s", qPrintable(text));
}

class ShotSharing : public TindAccount::SharingBackend
{
public:
    void listMembers(const QString &, std::function<void(QList<TindAccount::ShareMember>)> callback) override
    {
        TindAccount::ShareMember bob;
        bob.id = bob.user_id = QStringLiteral("acct-2");
        bob.role = QStringLiteral("member");
        callback({bob});
    }
    void shareWith(const QString &, const QString &, const QString &, std::function<void(bool, QString)> done) override
    {
        done(false, QStringLiteral("Sharing failed (HTTP 503)"));
    }
    void removeShare(const QString &, const QString &, std::function<void(bool)> done) override { done(true); }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    loadFonts();
    WidgetFixture fixture;
    if (!fixture.isReady())
        return 1;
    AppState *state = fixture.state();
    fixture.addCalendar(QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("#E67C73"));

    {
        SettingsDialog dialog(state, state->themeManager());
        shoot(&dialog, folder, QStringLiteral("preferences"));
    }
    {
        WeatherSettingsDialog dialog(state);
        shoot(&dialog, folder, QStringLiteral("weather"));
    }
    {
        KeyboardHelpDialog dialog;
        shoot(&dialog, folder, QStringLiteral("keyboard"));
    }
    {
        HolidayPickerDialog dialog(state, nullptr, [](AppState *, const Calendar &) {});
        shoot(&dialog, folder, QStringLiteral("holidays"));
    }
    {
        WebcalSubscriptionDialog dialog(state, nullptr, [](AppState *, const Calendar &) {});
        shoot(&dialog, folder, QStringLiteral("subscription"));
    }
    {
        ManageSourcesDialog dialog(state, nullptr);
        shoot(&dialog, folder, QStringLiteral("accounts"));
    }

    {
        WelcomeDialog dialog(state);
        shoot(&dialog, folder, QStringLiteral("welcome"));
    }
    addAccountsOfEveryKind(state);
    {
        ManageSourcesDialog dialog(state, nullptr);
        shoot(&dialog, folder, QStringLiteral("accounts-every-kind"));
    }
    {
        AccountFormDialog dialog(state, *state->accounts()->getById(QStringLiteral("icloud")));
        shoot(&dialog, folder, QStringLiteral("account-form-icloud"));
    }
    {
        AccountFormDialog dialog(state, *state->accounts()->getById(QStringLiteral("google")));
        shoot(&dialog, folder, QStringLiteral("account-form-google"));
    }
    {
        CalDavConnectionDialog dialog(state);
        dialog.findChild<QLineEdit *>(QStringLiteral("serverUrl"))->setText(QStringLiteral("https://127.0.0.1:8443/"));
        dialog.findChild<QLineEdit *>(QStringLiteral("username"))->setText(QStringLiteral("ada"));
        shoot(&dialog, folder, QStringLiteral("caldav-connection"));
    }
    {
        CalDavClient::UntrustedCertInfo info;
        info.host = QStringLiteral("nas.home.example");
        info.port = 5006;
        info.subject = QStringLiteral("CN=nas.home.example");
        info.issuer = QStringLiteral("CN=nas.home.example");
        info.effectiveDate = QDateTime(QDate(2026, 1, 5), QTime(9, 0), Qt::UTC);
        info.expiryDate = QDateTime(QDate(2027, 1, 5), QTime(9, 0), Qt::UTC);
        info.fingerprint = QStringLiteral("3F9A0C1B7E22D4A8915C6B0E4F7D2A1C88B3E5F60D9A7C4B2E1F0A3D5C7B9E8F");
        info.errors = {QStringLiteral("The certificate is self-signed, and untrusted")};
        CalDavCertificateDialog dialog(info);
        shoot(&dialog, folder, QStringLiteral("caldav-certificate"));
    }
    {
        OAuthProgressDialog dialog(QStringLiteral("Google"));
        shoot(&dialog, folder, QStringLiteral("oauth-progress"));
    }
    {
        ManageSourcesDialog dialog(state, nullptr);
        dialog.show();
        shootModals(
            folder, {"remove-calendar-question", "remove-calendar-typed", "remove-calendar-typed-ready"},
            [&dialog] { dialog.onCalendarAction(QStringLiteral("remove"), QStringLiteral("dav-team")); },
            [](QWidget *modal, int step) {
                if (step == 0) {
                    clickButton(modal, QStringLiteral("Delete"));
                } else if (step == 1) {
                    modal->findChild<QLineEdit *>()->setText(QStringLiteral("delete"));
                } else {
                    qobject_cast<QDialog *>(modal)->reject();
                }
            });
        shootModals(
            folder, {"remove-account-question"},
            [&dialog] { dialog.onAccountAction(QStringLiteral("remove"), QStringLiteral("dav")); },
            [](QWidget *modal, int) { qobject_cast<QDialog *>(modal)->reject(); });
        dialog.hide();
    }

    FakeCloudServer server;
    if (!server.listen())
        return 1;
    server.group() = QJsonObject{
        {"id", "group-1"},
        {"name", "Family"},
        {"max_seats", 5},
        {"members", QJsonArray{QJsonObject{{"account_id", "acct-1"}, {"display_name", "Ada Lovelace"},
                                           {"email", "ada@example.org"}, {"role", "owner"}},
                               QJsonObject{{"account_id", "acct-2"}, {"display_name", "Bob Dyke"},
                                           {"email", "bob@example.org"}, {"role", "member"}},
                               QJsonObject{{"account_id", "acct-3"}, {"display_name", ""},
                                           {"email", "carol@example.org"}, {"role", "member"}}}},
        {"pending_invitations", QJsonArray{QJsonObject{{"id", "inv-1"}, {"invited_email", "dan@example.org"},
                                                       {"invite_code", "ABC123"}}}}};
    server.signIn();
    TindAccount::Client::Config config;
    config.authApiUrl = server.authApiUrl();
    config.realmSlug = FakeCloudServer::RealmSlug;
    config.accountApiUrl = server.accountApiUrl();
    auto entries = std::make_shared<QHash<QString, QString>>();
    const FakeCloudServer::Tokens tokens = server.signIn();
    entries->insert(TindAccount::AccessTokenKey, tokens.accessToken);
    entries->insert(TindAccount::RefreshTokenKey, tokens.refreshToken);
    TindAccount::Client::Seams seams;
    seams.tokenStore = std::make_unique<MemoryTokenStore>(entries);
    seams.openUrl = [](const QUrl &) { return true; };
    seams.whenSecretsReady = [](QObject *, std::function<void()> ready) { ready(); };
    TindAccount::Client client(config, std::move(seams));
    client.initialize();
    QTest::qWait(300);

    TindAccount::AccountScreen screen(&client);
    screen.resize(640, 560);
    screen.refreshAll();
    QTest::qWait(500);
    auto *sidebar = screen.findChild<QListWidget *>(QStringLiteral("accountSidebar"));
    const QStringList pages{"profile", "group", "devices", "security", "privacy"};
    for (int i = 0; i < pages.size(); ++i) {
        sidebar->setCurrentRow(i);
        if (i == 1)
            screen.showSuccess(QStringLiteral("Invitation sent."));
        shoot(&screen, folder, QStringLiteral("account-") + pages.at(i));
    }

    ShotSharing sharing;
    TindAccount::ShareMembersDialog::Texts texts;
    texts.title = QStringLiteral("Share Calendar");
    texts.heading = QStringLiteral("Sharing: Family");
    texts.intro = QStringLiteral("People you share with see the same events and changes you do. Sharing doesn't merge "
                                 "calendars; they keep their own calendar list.");
    texts.sharedSectionTitle = QStringLiteral("Shared with");
    texts.shareRole = QStringLiteral("member");
    TindAccount::ShareMembersDialog share(&client, &sharing, QStringLiteral("cal-1"), texts);
    QTest::qWait(500);
    shoot(&share, folder, QStringLiteral("sharing"));
    return 0;
}
