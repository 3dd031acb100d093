// Saves pictures of the preference and account dialogs (preferences,
// weather, keyboard shortcuts, holiday picker, subscription, calendar
// accounts, the account screen's pages and the sharing dialog) over a
// temporary store and the local fake cloud service, so they can be looked at
// without a desktop. Run under xvfb-run; the pictures go to the folder given
// as the first argument (default "."). Not a benchmark.
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QJsonArray>
#include <QListWidget>
#include <QTest>

#include "account/client.h"
#include "account/sharingbackend.h"
#include "account/tokenmanager.h"
#include "account/widgets/accountscreen.h"
#include "account/widgets/sharemembersdialog.h"
#include "app/appstate.h"
#include "app/theme/theme.h"
#include "dialogs/accounts/holidaypickerdialog.h"
#include "dialogs/accounts/keyboardhelpdialog.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "dialogs/accounts/settingsdialog.h"
#include "dialogs/accounts/weathersettingsdialog.h"
#include "dialogs/accounts/webcalsubscriptiondialog.h"
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
    seams.openUrl = [](const QUrl &) {};
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
