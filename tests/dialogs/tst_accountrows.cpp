// The rows of the accounts dialog: what each shows, what its menu offers,
// and what the dialog does with the entries.
#include "app/appstate.h"
#include "app/theme/theme.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "dialogs/accounts/subscriptioncalendar.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "tests/support/tempdatadir.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScopeGuard>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTranslator>

#include <memory>

namespace {

QStringList menuOf(QWidget *row)
{
    QStringList entries;
    auto *button = row ? row->findChild<QToolButton *>(QStringLiteral("rowMenuButton")) : nullptr;
    if (!button || !button->menu())
        return {QStringLiteral("no menu")};
    for (QAction *action : button->menu()->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return entries;
}

QAction *entry(QWidget *row, const QString &text)
{
    auto *button = row->findChild<QToolButton *>(QStringLiteral("rowMenuButton"));
    for (QAction *action : button->menu()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Stands for an interface language other than English: every text comes
// back changed.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return QStringLiteral("[xx] ") + QString::fromUtf8(sourceText);
    }
};

QString titleOf(QWidget *row)
{
    auto *title = row->findChild<QLabel *>(QStringLiteral("rowTitle"));
    return title ? title->text() : QString();
}

} // namespace

class TestAccountRows : public QObject
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

    void accountRowShowsItsStateAndOffersTheEntriesOfItsType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("lastError");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("menu");
        const QStringList tail = {"-", "Move up", "Move down", "-", "Remove account…"};
        QTest::newRow("caldav") << "caldav" << true << "" << "CalDAV Server"
                                << QStringList{"Sync now", "Refresh calendars", "Edit account…", "Add calendar…"} + tail;
        QTest::newRow("caldav without its password")
            << "caldav" << true << "Password missing" << "CalDAV Server · password needed"
            << QStringList{"Sync now", "Refresh calendars", "Edit account…", "Add calendar…"} + tail;
        QTest::newRow("disabled caldav without its password")
            << "caldav" << false << "Password missing" << "CalDAV Server"
            << QStringList{"Sync now", "Refresh calendars", "Edit account…", "Add calendar…"} + tail;
        QTest::newRow("icloud") << "icloud" << true << "" << "iCloud" << QStringList{"Edit account…"} + tail;
        QTest::newRow("zoho") << "zoho" << true << "Password missing" << "Zoho · password needed"
                              << QStringList{"Edit account…"} + tail;
        QTest::newRow("google refused") << "google" << true << "Sign in required" << "Google · sign in needed"
                                        << QStringList{"Sign in…", "-", "Edit account…"} + tail;
        QTest::newRow("google without tokens") << "google" << true << "" << "Google · sign in needed"
                                               << QStringList{"Sign in…", "-", "Edit account…"} + tail;
        QTest::newRow("microsoft signed in") << "microsoft" << true << "" << "Microsoft"
                                             << QStringList{"Sync now", "Edit account…"} + tail;
        QTest::newRow("microsoft without tokens") << "microsoft" << true << "" << "Microsoft · sign in needed"
                                                  << QStringList{"Sign in…", "-", "Edit account…"} + tail;
        QTest::newRow("microsoft refused") << "microsoft" << true << "Sign in required" << "Microsoft · sign in needed"
                                           << QStringList{"Sign in…", "-", "Edit account…"} + tail;
        QTest::newRow("webcal") << "webcal" << true << "" << "Webcal" << QStringList{"Sync now", "Edit account…"} + tail;
        QTest::newRow("unknown type") << "exchange" << true << "" << "exchange" << QStringList{"Edit account…"} + tail;
    }

    void accountRowShowsItsStateAndOffersTheEntriesOfItsType()
    {
        QFETCH(QString, type);
        QFETCH(bool, enabled);
        QFETCH(QString, lastError);
        QFETCH(QString, status);
        QFETCH(QStringList, menu);
        // An id of its own per row: stored tokens must not carry over.
        const QString id = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
        Account account = makeAccount(id, type);
        account.enabled = enabled;
        account.last_sync_error = lastError;
        QVERIFY(m_state->accounts()->insert(account));
        if (QByteArray(QTest::currentDataTag()).endsWith("signed in")) {
            Microsoft::StoredTokens tokens;
            tokens.accessToken = QStringLiteral("access");
            tokens.refreshToken = QStringLiteral("refresh");
            QVERIFY(Microsoft::AuthService::saveTokens(account.id, tokens));
        }
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        QWidget *row = accountRow(dialog, account.name);
        QVERIFY(row);
        auto *statusLabel = row->findChild<QLabel *>(QStringLiteral("rowStatus"));
        QVERIFY(statusLabel);
        QCOMPARE(statusLabel->text(), status);
        QCOMPARE(statusLabel->styleSheet().contains(QLatin1String("#F59E0B")), status.contains(QStringLiteral(" · ")));
        QCOMPARE(menuOf(row), menu);
    }

    // The account errors are stored as fixed codes; a row must still read
    // them when the interface runs in another language.
    void accountRowReadsStoredErrorCodesInAnyLanguage()
    {
        Account dav = makeAccount(QStringLiteral("dav"), QStringLiteral("caldav"));
        dav.last_sync_error = QStringLiteral("Password missing");
        Account graph = makeAccount(QStringLiteral("graph"), QStringLiteral("microsoft"));
        graph.last_sync_error = QStringLiteral("Sign in required");
        QVERIFY(m_state->accounts()->insert(dav));
        QVERIFY(m_state->accounts()->insert(graph));
        MarkingTranslator translator;
        QCoreApplication::installTranslator(&translator);
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        QStringList statuses;
        for (const QString &title : {dav.name, graph.name}) {
            QWidget *row = accountRow(dialog, title);
            auto *status = row ? row->findChild<QLabel *>(QStringLiteral("rowStatus")) : nullptr;
            statuses << (status ? status->text() : QStringLiteral("no row for ") + title);
        }
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(statuses, (QStringList{QStringLiteral("[xx] [xx] CalDAV Server · password needed"),
                                        QStringLiteral("[xx] Microsoft · sign in needed")}));
    }

    void calendarRowShowsBadgesAndItsMenuFollowsItsFlags()
    {
        Calendar hiddenDefault = makeCalendar(QStringLiteral("a"), QString::fromLatin1(AppState::LocalAccountId));
        QVERIFY(m_state->calendars()->insert(hiddenDefault));
        QVERIFY(m_state->calendars()->setDefault(hiddenDefault.id));
        hiddenDefault = *m_state->calendars()->getById(hiddenDefault.id);
        hiddenDefault.is_visible = false;
        QVERIFY(m_state->calendars()->update(hiddenDefault));
        Calendar stub = makeCalendar(QStringLiteral("b"), QString::fromLatin1(AppState::LocalAccountId));
        stub.canonical_key = QString(64, QLatin1Char('a'));
        stub.is_read_only = true;
        stub.sync_enabled = false;
        QVERIFY(m_state->calendars()->insert(stub));

        ManageSourcesDialog dialog(m_state.get(), nullptr);
        QWidget *hidden = calendarRow(dialog, QStringLiteral("a"));
        QVERIFY(hidden);
        QVERIFY(hidden->findChild<QLabel *>(QStringLiteral("rowTitle"))->font().italic());
        QVERIFY(hidden->findChild<QLabel *>(QStringLiteral("badge")));
        QVERIFY(!hidden->findChild<QLabel *>(QStringLiteral("signInToSync")));
        QCOMPARE(menuOf(hidden), (QStringList{"Edit calendar…", "Share…", "-", "Remove calendar…"}));

        QWidget *unsynced = calendarRow(dialog, QStringLiteral("b"));
        QVERIFY(unsynced);
        QVERIFY(!unsynced->findChild<QLabel *>(QStringLiteral("rowTitle"))->font().italic());
        QVERIFY(!unsynced->findChild<QLabel *>(QStringLiteral("badge")));
        QVERIFY(unsynced->findChild<QLabel *>(QStringLiteral("signInToSync")));
        QCOMPARE(menuOf(unsynced),
                 (QStringList{"Edit calendar…", "Set as default", "Share…", "-", "Remove calendar…"}));

        // Calendars of other accounts can't be shared.
        QVERIFY(m_state->accounts()->insert(makeAccount(QStringLiteral("dav"), QStringLiteral("caldav"))));
        QVERIFY(m_state->calendars()->insert(makeCalendar(QStringLiteral("c"), QStringLiteral("dav"))));
        QCOMPARE(menuOf(calendarRow(dialog, QStringLiteral("c"))),
                 (QStringList{"Edit calendar…", "Set as default", "-", "Remove calendar…"}));
    }

    // A webcal or holiday feed has no account to sign in to: its row shows
    // no "Sign in to sync".
    void subscriptionRowsShowNoSignInMark_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("webcal feed") << "webcal://example.com/team.ics";
        QTest::newRow("holiday feed") << "https://calendar.example/holidays/de.ics";
    }

    void subscriptionRowsShowNoSignInMark()
    {
        QFETCH(QString, url);
        Calendar feed = SubscriptionCalendar::make(QString(), url, QStringLiteral("Feed"), QStringLiteral("#33aa55"));
        QVERIFY(!feed.canonical_key.isEmpty());
        QVERIFY(SubscriptionCalendar::add(m_state.get(), feed));
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        QWidget *row = calendarRow(dialog, QStringLiteral("Feed"));
        QVERIFY(row);
        QVERIFY(!row->findChild<QLabel *>(QStringLiteral("signInToSync")));
    }

    void setAsDefaultMovesTheDefaultFlag()
    {
        QVERIFY(m_state->calendars()->insert(makeCalendar(QStringLiteral("a"), QString::fromLatin1(AppState::LocalAccountId))));
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        QAction *setDefault = entry(calendarRow(dialog, QStringLiteral("a")), QStringLiteral("Set as default"));
        QVERIFY(setDefault);
        setDefault->trigger();
        QVERIFY(m_state->calendars()->getById(QStringLiteral("a"))->is_default);
        QVERIFY(!m_state->calendars()->getById(QString::fromLatin1(AppState::LocalCalendarId))->is_default);
    }

    void visibilityToggleWritesOnlyAChange()
    {
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        const QString id = QString::fromLatin1(AppState::LocalCalendarId);
        QSignalSpy changed(m_state->calendars(), &CalendarRepository::calendarsChanged);
        dialog.setCalendarVisible(id, true);
        QCOMPARE(changed.count(), 0);

        auto *toggle = calendarRow(dialog, QStringLiteral("Personal"))->findChild<QToolButton *>(QStringLiteral("visibilityToggle"));
        QVERIFY(toggle);
        QVERIFY(toggle->isChecked());
        toggle->click();
        QCOMPARE(changed.count(), 1);
        QVERIFY(!m_state->calendars()->getById(id)->is_visible);
        // The rebuilt row shows the hidden state.
        auto *rebuilt = calendarRow(dialog, QStringLiteral("Personal"))->findChild<QToolButton *>(QStringLiteral("visibilityToggle"));
        QVERIFY(rebuilt && rebuilt != toggle);
        QVERIFY(!rebuilt->isChecked());
    }

    void moveUpAndDownReorderAndStopAtTheEnds()
    {
        QVERIFY(m_state->accounts()->insert(makeAccount(QStringLiteral("dav"), QStringLiteral("caldav"))));
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        const QStringList before = accountOrder();
        QCOMPARE(before.size(), 2);
        QSignalSpy changed(m_state->accounts(), &AccountRepository::accountsChanged);
        dialog.onAccountAction(QStringLiteral("up"), before.first());
        dialog.onAccountAction(QStringLiteral("down"), before.last());
        dialog.onAccountAction(QStringLiteral("down"), QStringLiteral("gone"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(accountOrder(), before);

        entry(accountRow(dialog, m_state->accounts()->getById(before.last())->name), QStringLiteral("Move up"))->trigger();
        QCOMPARE(accountOrder(), (QStringList{before.last(), before.first()}));
    }

    void syncNowAsksForAFullSyncOnlyFromTheMainWindow()
    {
        QVERIFY(m_state->accounts()->insert(makeAccount(QStringLiteral("dav"), QStringLiteral("caldav"))));
        QSignalSpy requested(m_state.get(), &AppState::syncNowRequested);
        {
            ManageSourcesDialog dialog(m_state.get(), nullptr);
            dialog.onAccountAction(QStringLiteral("sync"), QStringLiteral("dav"));
            QCOMPARE(requested.count(), 0);
        }
        // The dialog only tests the window for presence; it never calls it.
        QObject windowStandIn;
        ManageSourcesDialog dialog(m_state.get(), reinterpret_cast<MainWindow *>(&windowStandIn));
        entry(accountRow(dialog, QStringLiteral("dav")), QStringLiteral("Sync now"))->trigger();
        QCOMPARE(requested.count(), 1);
    }

    void addAccountMenuOfTheDefaultBuildHasNoProviderSignIn()
    {
        // The default build carries no OAuth client settings.
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        auto *add = dialog.findChild<QToolButton *>(QStringLiteral("addAccountButton"));
        QVERIFY(add && add->menu());
        QStringList shown;
        for (QAction *action : add->menu()->actions())
            shown << action->text();
        QCOMPARE(shown, (QStringList{"Local Calendar…", "Tindlebrook…", "CalDAV Server…", "Subscription (ICS URL)…",
                                     "Holiday Calendars…"}));
    }

    // Under the application's style sheet the small menu buttons still show
    // their whole icon, not a speck squeezed by the common padding.
    void menuButtonsShowTheirWholeIcon()
    {
        qApp->setStyleSheet(Theme::stylesheet());
        const auto plain = qScopeGuard([] { qApp->setStyleSheet(QString()); });
        ManageSourcesDialog dialog(m_state.get(), nullptr);
        const QList<QToolButton *> buttons = dialog.findChildren<QToolButton *>(QStringLiteral("rowMenuButton"));
        QCOMPARE(buttons.size(), 2); // the local account and its calendar
        QPixmap solid(18, 18);
        solid.fill(Qt::red);
        for (QToolButton *button : buttons) {
            button->setIcon(QIcon(solid));
            const QImage shot = button->grab().toImage();
            QRect drawn;
            for (int y = 0; y < shot.height(); ++y) {
                for (int x = 0; x < shot.width(); ++x) {
                    if (shot.pixelColor(x, y) == QColor(Qt::red))
                        drawn |= QRect(x, y, 1, 1);
                }
            }
            QVERIFY2(drawn.width() >= 16 && drawn.height() >= 16,
                     qPrintable(QStringLiteral("icon drawn %1 x %2").arg(drawn.width()).arg(drawn.height())));
        }
    }

private:
    static Account makeAccount(const QString &id, const QString &type)
    {
        Account account;
        account.id = account.name = id;
        setTypeText(account, type);
        account.server_url = QStringLiteral("https://dav.example.test/");
        account.username = QStringLiteral("someone");
        return account;
    }

    static Calendar makeCalendar(const QString &id, const QString &accountId)
    {
        Calendar calendar;
        calendar.id = calendar.name = id;
        calendar.account_id = accountId;
        calendar.url = QStringLiteral("https://dav.example.test/cal/") + id + QLatin1Char('/');
        return calendar;
    }

    QStringList accountOrder() const
    {
        QStringList ids;
        for (const Account &account : m_state->accounts()->getAll())
            ids << account.id;
        return ids;
    }

    static QWidget *findRow(ManageSourcesDialog &dialog, const QString &kind, const QString &title)
    {
        for (QWidget *row : dialog.findChildren<QWidget *>(kind)) {
            if (titleOf(row) == title && !row->property("dying").toBool())
                return row;
        }
        return nullptr;
    }
    static QWidget *accountRow(ManageSourcesDialog &dialog, const QString &title)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return findRow(dialog, QStringLiteral("accountRow"), title);
    }
    static QWidget *calendarRow(ManageSourcesDialog &dialog, const QString &title)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return findRow(dialog, QStringLiteral("calendarRow"), title);
    }

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
};

QTEST_MAIN(TestAccountRows)
#include "tst_accountrows.moc"
