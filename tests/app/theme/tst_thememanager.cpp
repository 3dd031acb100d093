#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include "app/platform/colorschemesource.h"
#include "app/theme/calendarproxystyle.h"
#include "app/theme/theme.h"
#include "app/theme/thememanager.h"
#include "store/preferencesrepository.h"
#include "tests/support/teststore.h"

namespace {

void sendPlatformThemeChange()
{
    QEvent event(QEvent::ThemeChange);
    QCoreApplication::sendEvent(qApp, &event);
}

CalendarProxyStyle *installedCalendarStyle()
{
    QStyle *style = QApplication::style();
    if (auto *proxy = qobject_cast<CalendarProxyStyle *>(style))
        return proxy;
    return style->findChild<CalendarProxyStyle *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

class TestThemeManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        qputenv("CALENDAR_COLOR_SCHEME", "light");
        QApplication::setFont(QFont(QStringLiteral("IBM Plex Sans"), 11));
        Theme::setAccent(QString());
        Theme::setFontScale(100);
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        m_prefs = std::make_unique<PreferencesRepository>(m_store->db());
    }

    void cleanup()
    {
        m_prefs.reset();
        m_store.reset();
    }

    void loadDefaultsToSystemModeAndInstallsLook()
    {
        ThemeManager manager(m_prefs.get());
        QCOMPARE(manager.mode(), QStringLiteral("system"));
        manager.load();
        QCOMPARE(manager.mode(), QStringLiteral("system"));
        QVERIFY(installedCalendarStyle());
        QVERIFY(!Theme::isDark());
        QCOMPARE(QApplication::palette().color(QPalette::Window), Theme::canvas());
        QCOMPARE(qApp->styleSheet(), Theme::stylesheet());
        QVERIFY(!qApp->styleSheet().isEmpty());
        // Loading writes nothing back.
        QVERIFY(!m_prefs->get(QStringLiteral("ui/theme")));
    }

    void loadReadsStoredModeAndAccent()
    {
        QVERIFY(m_prefs->set(QStringLiteral("ui/theme"), QStringLiteral("dark")));
        QVERIFY(m_prefs->set(QStringLiteral("ui/accentColor"), QStringLiteral("#ff0000")));
        ThemeManager manager(m_prefs.get());
        manager.load();
        QCOMPARE(manager.mode(), QStringLiteral("dark"));
        QVERIFY(Theme::isDark());
        QCOMPARE(Theme::customAccent(), QStringLiteral("#ff0000"));
        QCOMPARE(QApplication::palette().color(QPalette::Highlight), QColor(255, 0, 0));
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(QStringLiteral("#14161B")));
        QVERIFY(qApp->styleSheet().contains(QStringLiteral("rgba(255, 0, 0, 0.196)")));
    }

    void unknownStoredModeShowsLight()
    {
        qputenv("CALENDAR_COLOR_SCHEME", "dark");
        QVERIFY(m_prefs->set(QStringLiteral("ui/theme"), QStringLiteral("sepia")));
        ThemeManager manager(m_prefs.get());
        manager.load();
        QCOMPARE(manager.mode(), QStringLiteral("sepia"));
        QVERIFY(!Theme::isDark());
    }

    void setModeToSameValueReappliesWithoutSignal()
    {
        ThemeManager manager(m_prefs.get());
        manager.setMode(QStringLiteral("light"));
        QSignalSpy spy(&manager, &ThemeManager::modeChanged);
        // Someone else disturbed the look; the same mode puts it back.
        Theme::setMode(true);
        QApplication::setPalette(QPalette(Qt::black));
        manager.setMode(QStringLiteral("light"));
        QCOMPARE(spy.count(), 0);
        QVERIFY(!Theme::isDark());
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(QStringLiteral("#F6F7F9")));
    }

    void setModeStoresAndSignals()
    {
        ThemeManager manager(m_prefs.get());
        manager.load();
        QSignalSpy spy(&manager, &ThemeManager::modeChanged);
        manager.setMode(QStringLiteral("dark"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("dark"));
        QCOMPARE(m_prefs->get(QStringLiteral("ui/theme")).value_or(QString()), QStringLiteral("dark"));
        QVERIFY(Theme::isDark());
        QCOMPARE(QApplication::palette().color(QPalette::Base), QColor(QStringLiteral("#1B1E24")));
    }

    void systemModeFollowsDesktopScheme()
    {
        ThemeManager manager(m_prefs.get());
        manager.load();
        QVERIFY(!Theme::isDark());
        const QString lightSheet = qApp->styleSheet();

        qputenv("CALENDAR_COLOR_SCHEME", "dark");
        sendPlatformThemeChange();
        QVERIFY(Theme::isDark());
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(QStringLiteral("#14161B")));
        QVERIFY(qApp->styleSheet() != lightSheet);
        QCOMPARE(qApp->styleSheet(), Theme::stylesheet());

        qputenv("CALENDAR_COLOR_SCHEME", "light");
        sendPlatformThemeChange();
        QVERIFY(!Theme::isDark());
        QCOMPARE(qApp->styleSheet(), lightSheet);
    }

    void explicitModeIgnoresDesktopScheme()
    {
        ThemeManager manager(m_prefs.get());
        manager.setMode(QStringLiteral("light"));
        const QString sheet = qApp->styleSheet();
        qputenv("CALENDAR_COLOR_SCHEME", "dark");
        sendPlatformThemeChange();
        QVERIFY(!Theme::isDark());
        QCOMPARE(qApp->styleSheet(), sheet);
    }

    void ownPaletteChangeDoesNotFeedBack()
    {
        ColorSchemeSource source;
        QSignalSpy spy(&source, &ColorSchemeSource::colorSchemeChanged);
        // The program installing a dark palette is not the desktop turning dark.
        Theme::setMode(true);
        QApplication::setPalette(ThemeManager::buildPalette());
        qApp->setStyleSheet(Theme::stylesheet());
        QCoreApplication::processEvents();
        sendPlatformThemeChange();
        QCOMPARE(spy.count(), 0);
        QVERIFY(!source.isDark());

        qputenv("CALENDAR_COLOR_SCHEME", "dark");
        sendPlatformThemeChange();
        sendPlatformThemeChange();
        QCOMPARE(spy.count(), 1);
        QVERIFY(source.isDark());
    }

    void applyKeepsItsInstalledStyle()
    {
        ThemeManager manager(m_prefs.get());
        manager.load();
        QPointer<CalendarProxyStyle> first = installedCalendarStyle();
        QVERIFY(first);
        manager.setMode(QStringLiteral("dark"));
        manager.setAccentColor(QStringLiteral("#00ff00"));
        QVERIFY(first);
        QCOMPARE(installedCalendarStyle(), first.data());
    }

    void emptyAccentRemovesSettingAndSignalsBuiltIn()
    {
        ThemeManager manager(m_prefs.get());
        manager.setMode(QStringLiteral("light"));
        manager.setAccentColor(QStringLiteral("#ff0000"));
        QCOMPARE(m_prefs->get(QStringLiteral("ui/accentColor")).value_or(QString()), QStringLiteral("#ff0000"));
        QCOMPARE(QApplication::palette().color(QPalette::Highlight), QColor(255, 0, 0));

        QSignalSpy spy(&manager, &ThemeManager::accentChanged);
        manager.setAccentColor(QString());
        QVERIFY(!m_prefs->get(QStringLiteral("ui/accentColor")));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QColor>(), QColor(QStringLiteral("#4285F4")));
        QCOMPARE(QApplication::palette().color(QPalette::Highlight), QColor(QStringLiteral("#4285F4")));
    }

    void unparsableAccentIsStoredAndShowsBuiltIn()
    {
        ThemeManager manager(m_prefs.get());
        manager.setMode(QStringLiteral("dark"));
        QSignalSpy spy(&manager, &ThemeManager::accentChanged);
        manager.setAccentColor(QStringLiteral("blurple-ish"));
        QCOMPARE(m_prefs->get(QStringLiteral("ui/accentColor")).value_or(QString()), QStringLiteral("blurple-ish"));
        QCOMPARE(spy.at(0).at(0).value<QColor>(), QColor(QStringLiteral("#6BA1F7")));
    }

    void fontScaleIsClampedAndStored_data()
    {
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("appPointSize");
        QTest::newRow("below range") << 50 << 70 << 7;
        QTest::newRow("inside") << 130 << 130 << 14;
        QTest::newRow("above range") << 250 << 200 << 22;
    }

    void fontScaleIsClampedAndStored()
    {
        QFETCH(int, requested);
        QFETCH(int, stored);
        QFETCH(int, appPointSize);
        ThemeManager manager(m_prefs.get());
        QSignalSpy spy(&manager, &ThemeManager::fontScaleChanged);
        manager.setFontScale(requested, true);
        QCOMPARE(manager.fontScale(), stored);
        QCOMPARE(m_prefs->get(QStringLiteral("ui/fontScale")).value_or(QString()), QString::number(stored));
        QCOMPARE(QApplication::font().pointSize(), appPointSize);
        QCOMPARE(QApplication::font().family(), QStringLiteral("IBM Plex Sans"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), stored);
        // The same value again still signals, and does not persist without asking.
        QVERIFY(m_prefs->remove(QStringLiteral("ui/fontScale")));
        manager.setFontScale(requested, false);
        QCOMPARE(spy.count(), 2);
        QVERIFY(!m_prefs->get(QStringLiteral("ui/fontScale")));
    }

    void loadFontScaleReadsSetting_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("percent");
        QTest::newRow("absent") << QString() << 100;
        QTest::newRow("stored") << "150" << 150;
        QTest::newRow("not a number") << "large" << 100;
        QTest::newRow("out of range") << "20" << 70;
    }

    void loadFontScaleReadsSetting()
    {
        QFETCH(QString, setting);
        QFETCH(int, percent);
        if (!setting.isNull())
            QVERIFY(m_prefs->set(QStringLiteral("ui/fontScale"), setting));
        ThemeManager manager(m_prefs.get());
        manager.loadFontScale();
        QCOMPARE(manager.fontScale(), percent);
        QCOMPARE(Theme::fontBody(), 11 * percent / 100);
        // Loading never writes the setting back.
        QCOMPARE(m_prefs->get(QStringLiteral("ui/fontScale")).value_or(QString()),
                 setting.isNull() ? QString() : setting);
    }

    void fontScaleRescalesWidgetsWithOwnFont()
    {
        // Without a stylesheet: its font rules pin the sizes of the widgets they
        // match until the next apply, which is a different case.
        qApp->setStyleSheet(QString());
        ThemeManager manager(m_prefs.get());
        manager.setFontScale(100, false);
        QWidget window;
        auto *ten = new QLabel(QStringLiteral("ten"), &window);
        auto *nine = new QLabel(QStringLiteral("nine"), &window);
        auto *inherits = new QLabel(QStringLiteral("inherits"), &window);
        QFont font = ten->font();
        font.setPointSize(10);
        ten->setFont(font);
        font.setPointSize(9);
        nine->setFont(font);

        manager.setFontScale(150, false);
        QCoreApplication::processEvents();

        QCOMPARE(ten->font().pointSize(), 15);
        QCOMPARE(nine->font().pointSize(), 14); // 13.5 rounds away from zero
        QVERIFY(!inherits->testAttribute(Qt::WA_SetFont));
        QCOMPARE(inherits->font().pointSize(), 16);
        QCOMPARE(Theme::fontXl(), 24);
    }

    void fontScaleLeavesStylesheetUntilNextApply()
    {
        ThemeManager manager(m_prefs.get());
        manager.load();
        manager.loadFontScale();
        manager.setFontScale(200, false);
        QVERIFY(qApp->styleSheet().contains(QStringLiteral("font-size: 11pt;")));
        manager.setMode(QStringLiteral("dark"));
        QVERIFY(qApp->styleSheet().contains(QStringLiteral("font-size: 22pt;")));
    }

private:
    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<PreferencesRepository> m_prefs;
};

QTEST_MAIN(TestThemeManager)
#include "tst_thememanager.moc"
