#include "account/client.h"
#include "account/tokenmanager.h"
#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "app/platform/desktopintegration.h"
#include "app/secrets/tokenstore.h"
#include "app/theme/theme.h"
#include "app/theme/thememanager.h"
#include "cloud/configsyncservice.h"
#include "dialogs/accounts/settingsdialog.h"
#include "dialogs/accounts/weathersettingsdialog.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/preferencesrepository.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/tempdatadir.h"
#include "tests/support/widgetfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QWheelEvent>

#include <memory>

namespace {

using TextMap = QHash<QString, QString>;

// Stands for a language whose texts run longer than English ones: the
// texts it knows come back as given, every sentence twice as long.
class LongerTexts : public QTranslator
{
public:
    explicit LongerTexts(QHash<QString, QString> texts)
        : m_texts(std::move(texts))
    {
    }
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        const QString text = QString::fromUtf8(sourceText);
        if (m_texts.contains(text))
            return m_texts.value(text);
        return m_texts.isEmpty() && text.endsWith(QLatin1Char('.')) ? text + QLatin1Char(' ') + text : QString();
    }

private:
    QHash<QString, QString> m_texts;
};

} // namespace

// Preferences: live appearance preview and its revert, what OK stores, the
// configuration-sync switches and status, and a store that refuses writes.
class TestSettingsDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;

    AppState *state() const { return m_fixture->state(); }
    PreferencesRepository *prefs() const { return state()->preferences(); }

    template<typename T>
    static T *child(const QWidget &dialog, const char *name)
    {
        return dialog.findChild<T *>(QString::fromLatin1(name));
    }

    static void pressOk(SettingsDialog &dialog)
    {
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    }

    static QStringList comboTexts(const QComboBox *combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
        return texts;
    }

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }

    void cleanup() { m_fixture.reset(); }

    // Theme, font size and accent apply at once and come back on Cancel,
    // in the running theme and in the stored settings alike.
    void cancelRevertsThePreviewedAppearance()
    {
        ThemeManager *theme = state()->themeManager();
        theme->setMode(QStringLiteral("light"));
        theme->setFontScale(115, true);
        theme->setAccentColor(QStringLiteral("#112233"));
        const QString storedScale = prefs()->getString(QStringLiteral("ui/fontScale"));

        SettingsDialog dialog(state(), theme);
        child<QComboBox>(dialog, "themeCombo")->setCurrentIndex(2);
        QCOMPARE(theme->mode(), QStringLiteral("dark"));
        QVERIFY(Theme::isDark());
        child<QComboBox>(dialog, "fontScaleCombo")->setCurrentIndex(4);
        QCOMPARE(theme->fontScale(), 150);
        QCOMPARE(prefs()->getInt(QStringLiteral("ui/fontScale")), 150);
        QPushButton *useDefault = child<QPushButton>(dialog, "useDefaultAccent");
        QVERIFY(!useDefault->isHidden());
        useDefault->click();
        QCOMPARE(Theme::customAccent(), QString());
        QVERIFY(useDefault->isHidden());

        dialog.reject();
        QCOMPARE(theme->mode(), QStringLiteral("light"));
        QVERIFY(!Theme::isDark());
        QCOMPARE(theme->fontScale(), 115);
        QCOMPARE(prefs()->getString(QStringLiteral("ui/fontScale")), storedScale);
        QCOMPARE(Theme::customAccent(), QStringLiteral("#112233"));
        QCOMPARE(prefs()->getString(QStringLiteral("ui/accentColor")), QStringLiteral("#112233"));
        QCOMPARE(prefs()->getString(QStringLiteral("ui/theme")), QStringLiteral("light"));
    }

    void pickedAccentShowsUseDefaultAndIsKeptOnOk()
    {
        ThemeManager *theme = state()->themeManager();
        theme->setAccentColor(QString());
        SettingsDialog dialog(state(), theme);
        QPushButton *useDefault = child<QPushButton>(dialog, "useDefaultAccent");
        QToolButton *swatch = child<QToolButton>(dialog, "accentSwatch");
        QVERIFY(useDefault->isHidden());
        QVERIFY(swatch->toolTip().startsWith(QStringLiteral("Default accent (")));

        ModalAnswerer answerer;
        answerer.answer([](QWidget *window) {
            auto *colors = qobject_cast<QColorDialog *>(window);
            QVERIFY(colors);
            colors->setCurrentColor(QColor(QStringLiteral("#AA5500")));
            colors->accept();
        });
        swatch->click();
        QCOMPARE(Theme::customAccent(), QStringLiteral("#aa5500"));
        QVERIFY(!useDefault->isHidden());
        QCOMPARE(swatch->toolTip(), QStringLiteral("Custom accent (#aa5500). Click to change."));
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prefs()->getString(QStringLiteral("ui/accentColor")), QStringLiteral("#aa5500"));
    }

    void fontScaleOutsideTheListShowsDefault()
    {
        state()->themeManager()->setFontScale(120, true);
        SettingsDialog dialog(state(), state()->themeManager());
        QCOMPARE(child<QComboBox>(dialog, "fontScaleCombo")->currentText(), QStringLiteral("Default"));
        // Loading selected an item without previewing it.
        QCOMPARE(state()->themeManager()->fontScale(), 120);
    }

    void okCorrectsAnInvertedWorkday_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("savedEnd");
        QTest::newRow("17 to 9") << 17 << 9 << 18;
        QTest::newRow("23 to 23") << 23 << 23 << 24;
        QTest::newRow("0 to 24") << 0 << 24 << 24;
        QTest::newRow("9 to 17") << 9 << 17 << 17;
    }

    void okCorrectsAnInvertedWorkday()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, savedEnd);
        SettingsDialog dialog(state(), state()->themeManager());
        child<QSpinBox>(dialog, "workdayStart")->setValue(start);
        child<QSpinBox>(dialog, "workdayEnd")->setValue(end);
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prefs()->getInt(QStringLiteral("ui/workdayStart"), -1), start);
        QCOMPARE(prefs()->getInt(QStringLiteral("ui/workdayEnd"), -1), savedEnd);
    }

    void storedValuesLoadAndUnknownOnesSaveAsTheFirstChoice()
    {
        QVERIFY(prefs()->set(QStringLiteral("ui/timeFormat"), QStringLiteral("24")));
        QVERIFY(prefs()->set(QStringLiteral("ui/taskDropAction"), QStringLiteral("due")));
        QVERIFY(prefs()->setInt(QStringLiteral("ui/weekStartDay"), 7));
        {
            SettingsDialog dialog(state(), state()->themeManager());
            QCOMPARE(child<QComboBox>(dialog, "timeFormatCombo")->currentText(), QStringLiteral("24-hour (13:30)"));
            QCOMPARE(child<QComboBox>(dialog, "taskDropAction")->currentData().toString(), QStringLiteral("due"));
            QCOMPARE(child<QComboBox>(dialog, "weekStartCombo")->currentText(), QStringLiteral("Sunday"));
        }
        QVERIFY(prefs()->set(QStringLiteral("ui/timeFormat"), QStringLiteral("military")));
        QVERIFY(prefs()->set(QStringLiteral("ui/taskDropAction"), QStringLiteral("explode")));
        SettingsDialog dialog(state(), state()->themeManager());
        pressOk(dialog);
        QCOMPARE(prefs()->getString(QStringLiteral("ui/timeFormat")), QStringLiteral("12"));
        QCOMPARE(prefs()->getString(QStringLiteral("ui/taskDropAction")), QStringLiteral("ask"));
        QCOMPARE(prefs()->getInt(QStringLiteral("ui/weekStartDay"), -1), 7);
    }

    void defaultCalendarsOfferWritableCalendarsOnly()
    {
        m_fixture->addCalendar(QStringLiteral("hidden"), QStringLiteral("Archive"), QStringLiteral("#112233"), false);
        Calendar readOnly = m_fixture->addCalendar(QStringLiteral("ro"), QStringLiteral("Holidays"));
        readOnly.is_read_only = true;
        QVERIFY(state()->calendars()->update(readOnly));
        QVERIFY(prefs()->set(QStringLiteral("ui/defaultCalendarId"), QStringLiteral("hidden")));
        QVERIFY(prefs()->set(QStringLiteral("ui/defaultTaskCalendarId"), QStringLiteral("deleted-calendar")));

        SettingsDialog dialog(state(), state()->themeManager());
        auto *events = child<QComboBox>(dialog, "defaultEventCalendar");
        auto *tasks = child<QComboBox>(dialog, "defaultTaskCalendar");
        const QStringList expected{QStringLiteral("(use first available)"), QStringLiteral("(use last calendar)"),
                                   QStringLiteral("On This Device / Archive"),
                                   QStringLiteral("On This Device / Personal")};
        QCOMPARE(comboTexts(events), expected);
        QCOMPARE(comboTexts(tasks), expected);
        QCOMPARE(events->currentData().toString(), QStringLiteral("hidden"));
        QCOMPARE(tasks->currentIndex(), 0);
        pressOk(dialog);
        QCOMPARE(prefs()->get(QStringLiteral("ui/defaultTaskCalendarId")), std::optional<QString>(QString()));
        QCOMPARE(prefs()->getString(QStringLiteral("ui/defaultCalendarId")), QStringLiteral("hidden"));
    }

    // The desktop entry in the temporary XDG folder appears and goes.
    void openAtLoginWritesAndRemovesTheAutostartEntry()
    {
        setLaunchAtLogin(false);
        {
            SettingsDialog dialog(state(), state()->themeManager());
            QCheckBox *box = child<QCheckBox>(dialog, "openAtLogin");
            QVERIFY(!box->isChecked());
            box->setChecked(true);
            pressOk(dialog);
        }
        QVERIFY(QFile::exists(autostartEntryPath()));
        QVERIFY(launchAtLoginEnabled());
        SettingsDialog dialog(state(), state()->themeManager());
        QCheckBox *box = child<QCheckBox>(dialog, "openAtLogin");
        QVERIFY(box->isChecked());
        box->setChecked(false);
        pressOk(dialog);
        QVERIFY(!QFile::exists(autostartEntryPath()));
    }

    void signedOutDisablesTheSyncSwitchesButStillSavesThem()
    {
        QVERIFY(prefs()->setBool(QStringLiteral("config/sync/views"), false));
        SettingsDialog dialog(state(), state()->themeManager());
        const QStringList names{"syncFilters", "syncViews", "syncTemplates", "syncSettings", "syncAccounts"};
        for (const QString &name : names) {
            QCheckBox *box = dialog.findChild<QCheckBox *>(name);
            QVERIFY2(box && !box->isEnabled(), qPrintable(name));
        }
        QVERIFY(!child<QPushButton>(dialog, "configSyncNow")->isEnabled());
        QCOMPARE(child<QLabel>(dialog, "configSyncStatus")->text(),
                 QStringLiteral("Sign in to your Tindlebrook account to start syncing."));
        pressOk(dialog);
        QCOMPARE(prefs()->get(QStringLiteral("config/sync/views")), std::optional<QString>(QStringLiteral("0")));
        for (const char *key : {"config/sync/filters", "config/sync/templates", "config/sync/settings",
                                "config/sync/accounts"})
            QCOMPARE(prefs()->get(QString::fromLatin1(key)), std::optional<QString>(QStringLiteral("1")));
    }

    void statusLineFollowsTheConfigurationSync_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("expected");
        QTest::newRow("up to date") << 0 << "Up to date";
        QTest::newRow("syncing") << 1 << "Syncing…";
        QTest::newRow("failed") << 2 << "Sync failed; will retry.";
        QTest::newRow("sign-in expired") << 3 << "Sign-in expired. Please sign in again.";
        QTest::newRow("offline") << 5 << "Offline. Will sync when reconnected.";
        QTest::newRow("unknown state leaves the line") << 4 << "Offline. Will sync when reconnected.";
    }

    void statusLineFollowsTheConfigurationSync()
    {
        QFETCH(int, state);
        QFETCH(QString, expected);
        Tindlebrook::ConfigSyncService *service = this->state()->configSync();
        QVERIFY(service);
        SettingsDialog dialog(this->state(), this->state()->themeManager());
        auto *status = child<QLabel>(dialog, "configSyncStatus");
        Q_EMIT service->stateChanged(Tindlebrook::ConfigSyncService::Offline);
        Q_EMIT service->stateChanged(Tindlebrook::ConfigSyncService::State(state));
        QCOMPARE(status->text(), expected);
    }

    void closingTheWeatherDialogReloadsTheWeatherSwitch()
    {
        SettingsDialog dialog(state(), state()->themeManager());
        QCheckBox *weather = child<QCheckBox>(dialog, "weatherEnabled");
        QVERIFY(!weather->isChecked());
        ModalAnswerer answerer;
        answerer.answer([](QWidget *window) {
            auto *settings = qobject_cast<WeatherSettingsDialog *>(window);
            QVERIFY(settings);
            settings->findChild<QCheckBox *>(QStringLiteral("weatherEnabled"))->setChecked(true);
            settings->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        child<QPushButton>(dialog, "configureWeather")->click();
        QVERIFY(weather->isChecked());
        QVERIFY(prefs()->getBool(QStringLiteral("weather/enabled")));
    }

    // A settings store that refuses writes keeps the dialog open with a
    // warning instead of closing as if everything were saved.
    // The page scrolls down only: a long status sentence wraps, and a label
    // too long to stand beside its field puts the field under it, instead of
    // pushing the lists and fields out past the window's right edge.
    void longerTranslationsKeepThePageInsideTheWindow_data()
    {
        QTest::addColumn<TextMap>("texts");
        QTest::newRow("long sentences") << TextMap();
        QTest::newRow("French labels") << TextMap{
            {QStringLiteral("Week starts on"), QStringLiteral("Premier jour de la semaine")},
            {QStringLiteral("Show week numbers in mini-cal"),
             QStringLiteral("Afficher les numéros de semaine dans le mini-calendrier")},
            {QStringLiteral("Default for new events"), QStringLiteral("Par défaut pour les nouveaux événements")},
            {QStringLiteral("Default for new tasks"), QStringLiteral("Par défaut pour les nouvelles tâches")}};
    }
    void longerTranslationsKeepThePageInsideTheWindow()
    {
        QFETCH(TextMap, texts);
        LongerTexts translator(texts);
        QCoreApplication::installTranslator(&translator);
        SettingsDialog dialog(state(), state()->themeManager());
        QCoreApplication::removeTranslator(&translator);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *status = child<QLabel>(dialog, "configSyncStatus");
        QVERIFY(status);
        if (texts.isEmpty())
            QVERIFY2(status->text().size() > 80, qPrintable(status->text()));
        auto *scroll = dialog.findChild<QScrollArea *>();
        QVERIFY(scroll);
        QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
        QVERIFY(status->geometry().right() <= scroll->viewport()->width());
    }

    // A wheel turned over the page is for the page: the combo or spin box
    // under the pointer leaves it unaccepted, to be passed on to the scroll
    // area, until it has focus; nor does the wheel give it focus.
    void wheelChangesAFieldOnlyOnceItIsFocused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("time format") << "timeFormatCombo";
        QTest::newRow("week start") << "weekStartCombo";
        QTest::newRow("workday start") << "workdayStart";
    }

    void wheelChangesAFieldOnlyOnceItIsFocused()
    {
        QFETCH(QString, field);
        SettingsDialog dialog(state(), state()->themeManager());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *widget = dialog.findChild<QWidget *>(field);
        QVERIFY(widget);
        const auto value = [widget] {
            if (auto *combo = qobject_cast<QComboBox *>(widget))
                return combo->currentIndex();
            return qobject_cast<QSpinBox *>(widget)->value();
        };
        const auto turn = [widget](int delta) {
            const QPointF at = widget->rect().center();
            QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(widget, &wheel);
            return wheel.isAccepted();
        };
        const int before = value();
        QVERIFY(!turn(before > 0 ? 120 : -120));
        QCOMPARE(value(), before);
        QCOMPARE(widget->focusPolicy(), Qt::StrongFocus);

        widget->setFocus();
        QVERIFY(widget->hasFocus());
        turn(before > 0 ? 120 : -120);
        QVERIFY(value() != before);
    }

    void refusedWritesKeepTheDialogOpenAndSaySo()
    {
        QSqlQuery query(m_fixture->db()->database());
        QVERIFY(query.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_settings_insert BEFORE INSERT ON settings "
                                          "BEGIN SELECT RAISE(ABORT, 'read-only'); END")));
        QVERIFY(query.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_settings_update BEFORE UPDATE ON settings "
                                          "BEGIN SELECT RAISE(ABORT, 'read-only'); END")));
        SettingsDialog dialog(state(), state()->themeManager());
        child<QSpinBox>(dialog, "workdayStart")->setValue(10);
        QSignalSpy finished(&dialog, &QDialog::finished);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        pressOk(dialog);
        QCOMPARE(finished.count(), 0);
        QCOMPARE(dialog.result(), 0);
        QVERIFY2(answerer.seen().size() == 1, qPrintable(answerer.seen().join(QLatin1Char('|'))));
        QVERIFY2(answerer.seen().first().startsWith(QStringLiteral("QMessageBox These preferences could not be "
                                                                   "saved:\nWeek starts on\nWorkday hours")),
                 qPrintable(answerer.seen().first()));
        QCOMPARE(prefs()->get(QStringLiteral("ui/workdayStart")), std::nullopt);
    }

    // Signed in, the switches and "Sync now" work, and the status line
    // follows the run that the button starts to its end.
    void signedInEnablesTheSwitchesAndSyncNowRunsACycle()
    {
        m_fixture.reset();
        TempDataDir dir;
        FakeCloudServer server;
        QVERIFY(server.listen());
        server.exportEnvironment();
        const auto forgetServer = qScopeGuard([] {
            for (const char *name : {"AUTH_API_URL", "ACCOUNT_API_URL", "SYNC_API_URL", "ACCOUNT_PORTAL_URL",
                                     "AUTH_REALM_SLUG", "AUTH_CLIENT_ID"})
                qunsetenv(name);
        });
        const FakeCloudServer::Tokens tokens = server.signIn();
        auto secrets = TindAccount::TokenStore::create(applicationServiceId());
        QVERIFY(secrets->write(TindAccount::AccessTokenKey, tokens.accessToken));
        QVERIFY(secrets->write(TindAccount::RefreshTokenKey, tokens.refreshToken));
        AppState signedIn;
        QVERIFY(signedIn.initialize());
        QTRY_VERIFY_WITH_TIMEOUT(signedIn.accountClient()->isAuthenticated(), 10000);
        Tindlebrook::ConfigSyncService *service = signedIn.configSync();
        QVERIFY(service);
        QTRY_VERIFY_WITH_TIMEOUT(service->state() != Tindlebrook::ConfigSyncService::Syncing, 10000);

        SettingsDialog dialog(&signedIn, signedIn.themeManager());
        for (const char *name : {"syncFilters", "syncViews", "syncTemplates", "syncSettings", "syncAccounts"})
            QVERIFY2(child<QCheckBox>(dialog, name)->isEnabled(), name);
        auto *status = child<QLabel>(dialog, "configSyncStatus");
        QCOMPARE(status->text(), QString());
        QPushButton *syncNow = child<QPushButton>(dialog, "configSyncNow");
        QVERIFY(syncNow->isEnabled());
        const int pullsBefore = server.countRequests("GET", QStringLiteral("/sync/pull"));
        QSignalSpy states(service, &Tindlebrook::ConfigSyncService::stateChanged);
        syncNow->click();
        QTRY_VERIFY(!states.isEmpty());
        QCOMPARE(states.first().first().value<Tindlebrook::ConfigSyncService::State>(),
                 Tindlebrook::ConfigSyncService::Syncing);
        QTRY_VERIFY_WITH_TIMEOUT(service->state() != Tindlebrook::ConfigSyncService::Syncing, 10000);
        // The fake cloud accepts the run, so it ends up to date.
        QCOMPARE(service->state(), Tindlebrook::ConfigSyncService::UpToDate);
        QCOMPARE(status->text(), QStringLiteral("Up to date"));
        // The button ran a cycle of its own against the server.
        QVERIFY(server.countRequests("GET", QStringLiteral("/sync/pull")) > pullsBefore);
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
