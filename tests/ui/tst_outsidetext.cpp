#include "account/client.h"
#include "account/sharingbackend.h"
#include "account/tokenmanager.h"
#include "account/widgets/accountscreen.h"
#include "account/widgets/sharemembersdialog.h"
#include "app/appstate.h"
#include "app/notifications/inappnotifier.h"
#include "app/notifications/notification.h"
#include "app/tray/traymanager.h"
#include "dialogs/accounts/caldavcertificatedialog.h"
#include "app/theme/theme.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "dialogs/accounts/settingsdialog.h"
#include "dialogs/accounts/subscriptioncalendar.h"
#include "dialogs/accounts/weathersettingsdialog.h"
#include "dialogs/accounts/webcalsubscriptiondialog.h"
#include "dialogs/editing/eventformdialog.h"
#include "dialogs/editing/filterformdialog.h"
#include "dialogs/editing/invitationsdialog.h"
#include "dialogs/editing/pdfexportdialog.h"
#include "dialogs/editing/templateeditordialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/preferencesrepository.h"
#include "sync/google/googleendpoints.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/recordingbrowser.h"
#include "tests/support/recordingurlopener.h"
#include "tests/support/widgetfixture.h"
#include "ui/icsimportflow.h"
#include "ui/panes/taskspanerow.h"
#include "update/artifact.h"
#include "update/updatedialog.h"
#include "update/whatsnewdialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QUrlQuery>

#include <functional>
#include <memory>

namespace {

// Every hostile text carries this word, so the places showing it are found
// whatever became of its markup.
const QString Marker = QStringLiteral("xterm");

// An image that would be read, a link that would be followed, and a colour
// that would hide what follows.
const QString Hostile = QStringLiteral("<img src=\"file:///nonexistent/probe.png\"><a href=\"file:///usr/bin/xterm\">"
                                       "xterm xterm xterm</a><font color=#fff>hidden");
// A file name holds no slash, so its link stays open.
const QString HostileFileName = QStringLiteral("<img src=probe.png><a href=mailto:xterm>xterm xterm xterm.ics");

// A text as one place shows it: a label, a message box's label or a tooltip.
struct Shown
{
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    bool opensLinks = false;
};

QList<Shown> labelsOf(QWidget *root)
{
    root->grab();
    QList<Shown> shown;
    for (QLabel *label : root->findChildren<QLabel *>())
        shown.append({label->text(), label->textFormat(), label->openExternalLinks()});
    return shown;
}

// A tooltip is read as markup when it looks like markup.
QList<Shown> toolTipOf(const QObject *root, const QString &name)
{
    const auto *widget = root->findChild<QWidget *>(name);
    return widget ? QList<Shown>{{widget->toolTip(), Qt::AutoText, false}} : QList<Shown>();
}

// What a reader sees of the text.
QString rendered(const Shown &shown)
{
    if (shown.format == Qt::PlainText || (shown.format == Qt::AutoText && !Qt::mightBeRichText(shown.text)))
        return shown.text;
    QTextDocument document;
    document.setHtml(shown.text);
    return document.toPlainText();
}

// Waits for what a case needs; what never comes fails in the checks.
void waitFor(const std::function<bool()> &ready)
{
    if (!QTest::qWaitFor(ready, 10000))
        qWarning("gave up waiting");
}

void clickChild(const QObject *root, const QString &name)
{
    if (auto *button = root->findChild<QAbstractButton *>(name))
        button->click();
}

// A sync run that failed with the hostile text as its reason.
void failSync(AppState *state, const QString &calendarId)
{
    state->beginSync();
    state->setLastSyncError(calendarId, Hostile);
    state->endSync(true);
}

Attendee attendee(const QString &email, const QString &status)
{
    Attendee a;
    a.email = email;
    a.status = status;
    return a;
}

// One person with access to the shared calendar; changes are refused.
class OneShareBackend : public TindAccount::SharingBackend
{
public:
    void listMembers(const QString &, MembersCallback callback) override
    {
        TindAccount::ShareMember member;
        member.id = member.user_id = QStringLiteral("user-2");
        member.role = QStringLiteral("member");
        member.display_name = Hostile;
        member.email = QStringLiteral("bob@example.org");
        callback({member});
    }
    void shareWith(const QString &, const QString &, const QString &, ShareCallback callback) override
    {
        callback(false, Hostile);
    }
    void removeShare(const QString &, const QString &, RemoveCallback callback) override { callback(false); }
};

} // namespace

// Names, messages and file names from outside reach labels, message boxes
// and tooltips as typed: no image is fetched, no link opened, nothing hidden.
class TestOutsideText : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void openUrl(const QUrl &url) { m_opened.append(url); }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void outsideTextIsShownAsTyped_data();
    void outsideTextIsShownAsTyped();

private:
    using Site = std::function<QList<Shown>()>;
    QHash<QString, Site> sites();
    void expectShownAsTyped(const QList<Shown> &shown, const QString &hostile);
    // Answers the next window by noting its labels, then runs `then`.
    void noteNextWindow(std::function<void(QWidget *)> then);
    TindAccount::Client *signedInClient();
    // The calendar "work" of a CalDAV account whose user is alice@example.com.
    void addWorkCalendar();

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<FakeCloudServer> m_cloud;
    std::unique_ptr<RecordingBrowser> m_browser;
    std::unique_ptr<TindAccount::Client> m_client;
    QList<Shown> m_windows;
    QList<QUrl> m_opened;
    QList<QUrl> m_fetched;
};

void TestOutsideText::initTestCase()
{
    for (const char *scheme : {"file", "http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    QTextDocument::setDefaultResourceProvider([this](const QUrl &url) {
        m_fetched.append(url);
        return QVariant();
    });
}

void TestOutsideText::cleanupTestCase()
{
    QTextDocument::setDefaultResourceProvider({});
    for (const char *scheme : {"file", "http", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void TestOutsideText::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_answerer = std::make_unique<ModalAnswerer>();
    m_windows.clear();
    m_opened.clear();
    m_fetched.clear();
}

void TestOutsideText::cleanup()
{
    m_client.reset();
    m_browser.reset();
    m_cloud.reset();
    m_answerer.reset();
    m_fixture.reset();
}

void TestOutsideText::noteNextWindow(std::function<void(QWidget *)> then)
{
    m_answerer->answer([this, then](QWidget *window) {
        m_windows.append(labelsOf(window));
        then(window);
    });
}

void TestOutsideText::addWorkCalendar()
{
    Account work;
    work.id = work.name = QStringLiteral("work");
    work.type = AccountType::CalDav;
    work.username = QStringLiteral("alice@example.com");
    QVERIFY(m_fixture->state()->accounts()->insert(work));
    m_fixture->addCalendar(work.id, work.name, QStringLiteral("#aa3300"), true, work.id);
}

TindAccount::Client *TestOutsideText::signedInClient()
{
    if (!m_cloud) {
        m_cloud = std::make_unique<FakeCloudServer>();
        m_cloud->listen();
    }
    m_browser = std::make_unique<RecordingBrowser>();
    m_browser->setVisiting(false);
    TindAccount::Client::Config config;
    config.authApiUrl = m_cloud->authApiUrl();
    config.realmSlug = FakeCloudServer::RealmSlug;
    config.accountApiUrl = m_cloud->accountApiUrl();
    auto entries = std::make_shared<QHash<QString, QString>>();
    const FakeCloudServer::Tokens tokens = m_cloud->signIn();
    entries->insert(TindAccount::AccessTokenKey, tokens.accessToken);
    entries->insert(TindAccount::RefreshTokenKey, tokens.refreshToken);
    TindAccount::Client::Seams seams;
    seams.tokenStore = std::make_unique<MemoryTokenStore>(entries);
    seams.openUrl = m_browser->opener();
    seams.whenSecretsReady = [](QObject *, std::function<void()> ready) { ready(); };
    m_client = std::make_unique<TindAccount::Client>(config, std::move(seams));
    m_client->initialize();
    waitFor([this] { return m_client->isAuthenticated(); });
    return m_client.get();
}

void TestOutsideText::expectShownAsTyped(const QList<Shown> &shown, const QString &hostile)
{
    int carrying = 0;
    for (const Shown &item : shown) {
        if (!item.text.contains(Marker))
            continue;
        ++carrying;
        QVERIFY2(rendered(item).contains(hostile), qPrintable(item.text));
        // Shown as the place shows it, and clicked all over where it opens links.
        QLabel probe;
        probe.setTextFormat(item.format);
        probe.setOpenExternalLinks(item.opensLinks);
        probe.setWordWrap(true);
        probe.setText(item.text);
        probe.setFixedWidth(480);
        probe.adjustSize();
        probe.show();
        probe.grab();
        for (int y = 2; item.opensLinks && y < probe.height(); y += 4) {
            for (int x = 2; x < probe.width(); x += 4)
                QTest::mouseClick(&probe, Qt::LeftButton, {}, QPoint(x, y));
        }
    }
    QVERIFY(carrying > 0);
    QCOMPARE(m_opened, QList<QUrl>());
    QCOMPARE(m_fetched, QList<QUrl>());
}

QHash<QString, TestOutsideText::Site> TestOutsideText::sites()
{
    // Only the names are read before a case has its fixture.
    AppState *state = m_fixture ? m_fixture->state() : nullptr;
    QHash<QString, Site> sites;
    sites.insert("account and calendar rows", [state] {
        Account account;
        account.id = QStringLiteral("outside");
        account.name = Hostile;
        setTypeText(account, Hostile);
        if (!state->accounts()->insert(account))
            qFatal("setup write refused");
        Calendar calendar;
        calendar.id = QStringLiteral("outside-cal");
        calendar.account_id = account.id;
        calendar.url = QStringLiteral("local://outside-cal");
        calendar.name = Hostile;
        if (!state->calendars()->insert(calendar))
            qFatal("setup write refused");
        ManageSourcesDialog dialog(state, nullptr);
        dialog.show();
        waitFor([&dialog] { return dialog.findChildren<QWidget *>(QStringLiteral("calendarRow")).size() > 1; });
        return labelsOf(&dialog);
    });
    sites.insert("certificate", [] {
        CalDavClient::UntrustedCertInfo info;
        info.host = QStringLiteral("dav.example.org");
        info.subject = info.issuer = Hostile;
        info.errors = {Hostile};
        CalDavCertificateDialog dialog(info);
        return labelsOf(&dialog);
    });
    sites.insert("removing an account", [this, state] {
        Account account;
        account.id = QStringLiteral("outside");
        account.name = Hostile;
        account.type = AccountType::CalDav;
        if (!state->accounts()->insert(account))
            qFatal("setup write refused");
        ManageSourcesDialog dialog(state, nullptr);
        noteNextWindow([](QWidget *box) { qobject_cast<QDialog *>(box)->reject(); });
        dialog.removeAccount(account.id);
        return m_windows;
    });
    sites.insert("deleting a calendar", [this] {
        noteNextWindow([](QWidget *box) {
            for (QAbstractButton *button : qobject_cast<QMessageBox *>(box)->buttons()) {
                if (button->text() == QLatin1String("Delete"))
                    button->click();
            }
        });
        noteNextWindow([](QWidget *typed) { qobject_cast<QDialog *>(typed)->reject(); });
        ManageSourcesDialog::confirmDeleteCalendar(nullptr, Hostile, 3, true);
        return m_windows;
    });
    sites.insert("provider sign-in refused", [this, state] {
        RecordingUrlOpener opener;
        QNetworkAccessManager network;
        // The browser: through the start address to the sign-in page, and
        // back refused.
        opener.onOpen = [&network](const QUrl &start) {
            QTimer::singleShot(0, &network, [&network, start] {
                const QUrlQuery asked(askStartAddress(start).location);
                QUrl callback(asked.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
                QUrlQuery answer;
                answer.addQueryItem(QStringLiteral("error"), QString::fromLatin1(QUrl::toPercentEncoding(Hostile)));
                answer.addQueryItem(QStringLiteral("error_description"),
                                    QString::fromLatin1(QUrl::toPercentEncoding(Hostile)));
                answer.addQueryItem(QStringLiteral("state"), asked.queryItemValue(QStringLiteral("state")));
                callback.setQuery(answer);
                network.get(QNetworkRequest(callback));
            });
        };
        ManageSourcesDialog dialog(state, nullptr);
        Google::Endpoints endpoints;
        endpoints.accountsBase = endpoints.tokenBase = endpoints.apiBase = QUrl(QStringLiteral("http://127.0.0.1:9"));
        endpoints.clientId = endpoints.clientSecret = QStringLiteral("client");
        dialog.setGoogleEndpoints(endpoints);
        dialog.setUrlOpener(&opener);
        // The progress dialog, if it is seen before the refusal, waits.
        for (int i = 0; i < 2; ++i) {
            m_answerer->answer([this](QWidget *window) {
                if (auto *box = qobject_cast<QMessageBox *>(window)) {
                    m_windows.append(labelsOf(box));
                    box->reject();
                }
            });
        }
        dialog.startGoogleSignIn(QString());
        waitFor([this] { return !m_windows.isEmpty(); });
        return m_windows;
    });
    sites.insert("geocoded place", [state] {
        if (!state->preferences()->set(QStringLiteral("weather/location_name"), Hostile))
            qFatal("setup write refused");
        WeatherSettingsDialog dialog(state);
        return labelsOf(&dialog);
    });
    sites.insert("invitation", [this, state] {
        addWorkCalendar();
        const QDateTime start = QDateTime::currentDateTime().addDays(2);
        Event event = WidgetFixture::timedEvent(Hostile, start, start.addSecs(3600), QStringLiteral("work"));
        event.location = Hostile;
        event.organizer_name = Hostile;
        event.organizer_email = QStringLiteral("bob@example.com");
        event.attendees = {attendee(QStringLiteral("alice@example.com"), QStringLiteral("needs-action"))};
        m_fixture->addEvent(event);
        InvitationsDialog dialog(state);
        return labelsOf(&dialog);
    });
    sites.insert("filter form", [this, state] {
        const QDateTime start = QDateTime::currentDateTime().addDays(1);
        const Event event = m_fixture->addEvent(WidgetFixture::timedEvent(Hostile, start, start.addSecs(3600)));
        FilterFormDialog dialog(state);
        dialog.setSpecificEvent(event);
        return labelsOf(&dialog);
    });
    sites.insert("event colour", [this, state] {
        Event event = WidgetFixture::timedEvent(QStringLiteral("Lunch"), m_fixture->now(), m_fixture->now());
        event.color = Hostile;
        EventFormDialog dialog(state, m_fixture->addEvent(event));
        return toolTipOf(&dialog, QStringLiteral("colorSwatch"));
    });
    sites.insert("template colour", [state] {
        EventTemplate tpl;
        tpl.name = QStringLiteral("Standup");
        tpl.color = Hostile;
        TemplateEditorDialog dialog(state, tpl);
        return toolTipOf(&dialog, QStringLiteral("templateColor"));
    });
    sites.insert("PDF path", [this, state] {
        PdfExportDialog dialog(state);
        const QString path = QStringLiteral("/nonexistent/%1.pdf").arg(Hostile);
        dialog.setPathChooser([path](QWidget *, const QString &) { return path; });
        noteNextWindow([](QWidget *box) { qobject_cast<QDialog *>(box)->reject(); });
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        return m_windows;
    });
    sites.insert("cloud account screen", [this] {
        // The group is there before the sign-in, so its owner signs in.
        m_cloud = std::make_unique<FakeCloudServer>();
        m_cloud->listen();
        m_cloud->user()[QStringLiteral("display_name")] = Hostile;
        m_cloud->devices().first()[QStringLiteral("device_name")] = Hostile;
        m_cloud->group() = QJsonObject{
            {"id", "group-1"},
            {"name", Hostile},
            {"max_seats", 5},
            {"members", QJsonArray{QJsonObject{{"account_id", "acct-1"}, {"display_name", "Ada"}, {"role", "owner"}},
                                   QJsonObject{{"account_id", "acct-2"}, {"display_name", Hostile},
                                               {"email", "bob@example.org"}, {"role", "member"}}}},
            {"pending_invitations", QJsonArray{QJsonObject{{"id", "inv-1"}, {"invited_email", Hostile},
                                                           {"invite_code", "ABC123"}, {"status", "pending"}}}}};
        TindAccount::AccountScreen screen(signedInClient());
        screen.refreshAll();
        waitFor([&screen] { return screen.findChildren<QPushButton *>("removeDeviceButton").size() == 1; });
        waitFor([&screen] { return screen.findChildren<QPushButton *>("removeMemberButton").size() == 1; });
        waitFor([&screen] { return screen.findChild<QLabel *>("nameLabel")->text() == Hostile; });
        noteNextWindow([](QWidget *box) { qobject_cast<QDialog *>(box)->reject(); });
        clickChild(&screen, QStringLiteral("removeMemberButton"));
        return labelsOf(&screen) + m_windows;
    });
    sites.insert("share members", [this] {
        m_cloud = std::make_unique<FakeCloudServer>();
        m_cloud->listen();
        m_cloud->group() = QJsonObject{
            {"id", "group-1"},
            {"members", QJsonArray{QJsonObject{{"account_id", "acct-3"}, {"display_name", "Cy"}, {"role", "member"}}}}};
        OneShareBackend backend;
        TindAccount::ShareMembersDialog::Texts texts;
        texts.heading = Hostile;
        TindAccount::ShareMembersDialog dialog(signedInClient(), &backend, QStringLiteral("cal-9"), texts);
        waitFor([&dialog] { return dialog.findChild<QPushButton *>(QStringLiteral("shareButton")); });
        // The service's refusal is shown under the heading.
        clickChild(&dialog, QStringLiteral("shareButton"));
        noteNextWindow([](QWidget *box) { qobject_cast<QDialog *>(box)->reject(); });
        clickChild(&dialog, QStringLiteral("removeShareButton"));
        return labelsOf(&dialog) + m_windows;
    });
    sites.insert("tray tooltip", [this, state] {
        std::optional<Event> next = WidgetFixture::timedEvent(Hostile, QDateTime::currentDateTime().addSecs(3600),
                                                              QDateTime::currentDateTime().addSecs(7200));
        TrayManager tray(state, nullptr, nullptr, [&next] { return next; });
        tray.updateToolTip();
        const QString upcoming = tray.toolTip();
        failSync(state, QStringLiteral("work"));
        tray.updateToolTip();
        return QList<Shown>{{upcoming, Qt::AutoText, false}, {tray.toolTip(), Qt::AutoText, false}};
    });
    sites.insert("task waiting to sync", [this, state] {
        addWorkCalendar();
        Task task = m_fixture->addTask(QStringLiteral("Call"), QStringLiteral("work"));
        task.sync_status = SyncStatus::Pending;
        failSync(state, QStringLiteral("work"));
        TasksPaneRow row(state, task, false, false, QStringLiteral("#aa3300"), 0);
        return toolTipOf(&row, QStringLiteral("syncMarker"));
    });
    sites.insert("ics file name", [this, state] {
        QTemporaryDir dir;
        QFile file(dir.filePath(HostileFileName));
        if (!file.open(QIODevice::WriteOnly))
            return QList<Shown>();
        file.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
        file.close();
        QMainWindow window;
        IcsImportFlow flow(state, &window);
        noteNextWindow([](QWidget *box) { qobject_cast<QDialog *>(box)->reject(); });
        flow.importFile(file.fileName());
        waitFor([this] { return !m_windows.isEmpty(); });
        return m_windows;
    });
    sites.insert("reminder in the window", [] {
        QMainWindow window;
        window.show();
        InAppNotifier notifier;
        notifier.notify({QStringLiteral("Lunch"), Hostile, 15000, QVariant()}, [](bool) {});
        QList<Shown> shown;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(top)) {
                shown += labelsOf(box);
                box->close();
            }
        }
        return shown;
    });
    sites.insert("update version", [] {
        TindUpdate::Artifact artifact;
        artifact.version = Hostile;
        TindUpdate::UpdateDialog dialog(artifact, QStringLiteral("1.3.5"), QStringLiteral("Tindlebrook Calendar"));
        return labelsOf(&dialog);
    });
    sites.insert("release notes version", [] {
        TindUpdate::WhatsNewDialog dialog(QStringLiteral("Fixes."), Hostile, QStringLiteral("1.3.5"),
                                          QStringLiteral("Tindlebrook Calendar"));
        return labelsOf(&dialog);
    });
    sites.insert("synced accent", [state] {
        // The accent a configuration pull brought.
        Theme::setAccent(Hostile);
        SettingsDialog dialog(state, state->themeManager());
        Theme::setAccent(QString());
        return toolTipOf(&dialog, QStringLiteral("accentSwatch"));
    });
    sites.insert("failed feed download", [this, state] {
        // The server's reason phrase reaches the box through the sync's reason.
        CalendarSyncRequest asked;
        QObject context;
        QObject::connect(state, &AppState::calendarSyncRequested, &context,
                         [&asked](const CalendarSyncRequest &request) { asked = request; });
        const Calendar feed = SubscriptionCalendar::make(QString(), QStringLiteral("https://feeds.example.org/a.ics"),
                                                         QStringLiteral("Feed"), QStringLiteral("#4285F4"));
        SubscriptionCalendar::fetchNow(state, feed);
        noteNextWindow([](QWidget *box) { qobject_cast<QDialog *>(box)->reject(); });
        if (asked.failed)
            asked.failed(feed.id, Hostile);
        waitFor([this] { return !m_windows.isEmpty(); });
        return m_windows;
    });
    sites.insert("typed feed address", [this, state] {
        WebcalSubscriptionDialog dialog(state);
        dialog.findChild<QLineEdit *>(QStringLiteral("urlEdit"))->setText(Hostile);
        noteNextWindow([](QWidget *box) { qobject_cast<QDialog *>(box)->reject(); });
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        return m_windows;
    });
    return sites;
}

void TestOutsideText::outsideTextIsShownAsTyped_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("hostile");
    QStringList names = sites().keys();
    names.sort();
    for (const QString &name : names) {
        QTest::newRow(qPrintable(name)) << name << (name == QLatin1String("ics file name") ? HostileFileName : Hostile);
    }
}

void TestOutsideText::outsideTextIsShownAsTyped()
{
    QFETCH(QString, site);
    QFETCH(QString, hostile);
    const QList<Shown> shown = sites().value(site)();
    expectShownAsTyped(shown, hostile);
}

QTEST_MAIN(TestOutsideText)
#include "tst_outsidetext.moc"
