#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

#include "app/platform/datadirectory.h"
#include "app/platform/desktopentryfile.h"
#include "app/platform/desktopintegration.h"
#include "tests/support/tempdatadir.h"

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool writeText(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(text.toUtf8()) >= 0;
}

QString quotedProgram()
{
    return QLatin1Char('"') + QCoreApplication::applicationFilePath() + QLatin1Char('"');
}

} // namespace

class TestDesktopIntegration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        QVERIFY(m_dir->isValid());
        // The system folders too, so a distribution's own defaults cannot leak in.
        qputenv("XDG_CONFIG_DIRS", (m_dir->path() + QStringLiteral("/etc-xdg")).toUtf8());
        qputenv("XDG_DATA_DIRS", (m_dir->path() + QStringLiteral("/usr-share")).toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP");
        qunsetenv("CALENDAR_INSTANCE");
    }

    void cleanup()
    {
        qunsetenv("CALENDAR_INSTANCE");
        qunsetenv("XDG_CURRENT_DESKTOP");
        m_dir.reset();
    }

    void launchAtLoginRoundTrip()
    {
        QCOMPARE(autostartEntryPath(),
                 configHome() + QStringLiteral("/autostart/TindlebrookCalendar.desktop"));
        QVERIFY(!launchAtLoginEnabled());

        QVERIFY(setLaunchAtLogin(true));
        QVERIFY(launchAtLoginEnabled());
        QVERIFY(QFile::exists(autostartEntryPath()));

        QVERIFY(setLaunchAtLogin(false));
        QVERIFY(!launchAtLoginEnabled());
        QVERIFY(!QFile::exists(autostartEntryPath()));

        // Disabling what is not there is still the requested state.
        QVERIFY(setLaunchAtLogin(false));
    }

    void autostartEntryStartsInBackground()
    {
        QVERIFY(setLaunchAtLogin(true));
        DesktopEntryFile entry;
        QVERIFY(entry.load(autostartEntryPath()));
        QCOMPARE(entry.value(QStringLiteral("Desktop Entry"), QStringLiteral("Exec")).value_or(QString()),
                 quotedProgram() + QStringLiteral(" --background"));
        QCOMPARE(entry.value(QStringLiteral("Desktop Entry"), QStringLiteral("Type")).value_or(QString()),
                 QStringLiteral("Application"));
    }

    void autostartSwitchedOffByDesktopReadsFalse_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("empty Exec set by hand")
            << QStringLiteral("[Desktop Entry]\nType=Application\nExec=\n");
        QTest::newRow("no Exec") << QStringLiteral("[Desktop Entry]\nType=Application\n");
        QTest::newRow("Hidden") << QStringLiteral("[Desktop Entry]\nExec=x --background\nHidden=true\n");
        QTest::newRow("GNOME switch off")
            << QStringLiteral("[Desktop Entry]\nExec=x --background\nX-GNOME-Autostart-enabled=false\n");
        QTest::newRow("Exec in another group")
            << QStringLiteral("[Desktop Action new]\nExec=x --background\n");
    }

    void autostartSwitchedOffByDesktopReadsFalse()
    {
        QFETCH(QString, entry);
        QVERIFY(writeText(autostartEntryPath(), entry));
        QVERIFY(!launchAtLoginEnabled());
        // Enabling again overrides the desktop's switch.
        QVERIFY(setLaunchAtLogin(true));
        QVERIFY(launchAtLoginEnabled());
    }

    void instancesHaveSeparateAutostartEntries()
    {
        QVERIFY(setLaunchAtLogin(true));
        qputenv("CALENDAR_INSTANCE", "dev");
        QCOMPARE(autostartEntryPath(),
                 configHome() + QStringLiteral("/autostart/TindlebrookCalendar-dev.desktop"));
        QVERIFY(!launchAtLoginEnabled());
        QVERIFY(setLaunchAtLogin(true));
        QVERIFY(setLaunchAtLogin(false));
        qunsetenv("CALENDAR_INSTANCE");
        QVERIFY(launchAtLoginEnabled());
    }

    void setLaunchAtLoginReportsUnwritableConfigFolder()
    {
        // A file where the autostart folder should be: nothing can be written.
        QVERIFY(writeText(configHome() + QStringLiteral("/autostart"), QStringLiteral("not a folder")));
        QVERIFY(!setLaunchAtLogin(true));
        QVERIFY(!launchAtLoginEnabled());
    }

    void icsEntryOpensFilesWithIcsOption()
    {
        QVERIFY(registerIcsFileAssociation());
        QCOMPARE(icsAssociationEntryPath(),
                 dataHome() + QStringLiteral("/applications/com.tindlebrook.calendar.desktop"));
        DesktopEntryFile entry;
        QVERIFY(entry.load(icsAssociationEntryPath()));
        const QString group = QStringLiteral("Desktop Entry");
        QCOMPARE(entry.value(group, QStringLiteral("Exec")).value_or(QString()),
                 quotedProgram() + QStringLiteral(" --ics %f"));
        QCOMPARE(entry.value(group, QStringLiteral("MimeType")).value_or(QString()),
                 QStringLiteral("text/calendar;"));
        QCOMPARE(entry.value(group, QStringLiteral("Type")).value_or(QString()),
                 QStringLiteral("Application"));
    }

    void icsAssociationBecomesDefaultWhenNoneExists()
    {
        QVERIFY(!QFile::exists(userMimeapps()));
        QVERIFY(registerIcsFileAssociation());
        DesktopEntryFile list;
        QVERIFY(list.load(userMimeapps()));
        QCOMPARE(list.value(QStringLiteral("Default Applications"), QStringLiteral("text/calendar"))
                     .value_or(QString()),
                 QStringLiteral("com.tindlebrook.calendar.desktop;"));
    }

    void icsAssociationNeverTakesOverExistingDefault_data()
    {
        QTest::addColumn<QString>("listPath");
        QTest::addColumn<QByteArray>("desktop");

        const QString root = QStringLiteral("%ROOT%");
        QTest::newRow("user config") << root + QStringLiteral("/home/.config/mimeapps.list") << QByteArray();
        QTest::newRow("desktop-specific user config")
            << root + QStringLiteral("/home/.config/kde-mimeapps.list") << QByteArray("KDE");
        QTest::newRow("system config") << root + QStringLiteral("/etc-xdg/mimeapps.list") << QByteArray();
        QTest::newRow("user data (deprecated place)")
            << root + QStringLiteral("/home/.local/share/applications/mimeapps.list") << QByteArray();
        QTest::newRow("system data")
            << root + QStringLiteral("/usr-share/applications/mimeapps.list") << QByteArray();
    }

    void icsAssociationNeverTakesOverExistingDefault()
    {
        QFETCH(QString, listPath);
        QFETCH(QByteArray, desktop);
        listPath.replace(QStringLiteral("%ROOT%"), m_dir->path());
        if (!desktop.isEmpty())
            qputenv("XDG_CURRENT_DESKTOP", desktop);

        const QString original = QStringLiteral("[Default Applications]\ntext/calendar=org.example.Other.desktop;\n");
        QVERIFY(writeText(listPath, original));
        const bool userListExisted = QFile::exists(userMimeapps());

        QVERIFY(registerIcsFileAssociation());

        QCOMPARE(readText(listPath), original);
        if (!userListExisted) {
            // No default of ours was added anywhere either.
            QVERIFY(!QFile::exists(userMimeapps()));
        }
        QVERIFY(QFile::exists(icsAssociationEntryPath()));
    }

    void icsAssociationKeepsOtherMimeappsContent()
    {
        const QString original = QStringLiteral(
            "# my associations\n"
            "[Added Associations]\n"
            "text/plain=org.example.Editor.desktop;\n"
            "\n"
            "[Default Applications]\n"
            "text/html=org.example.Browser.desktop;\n"
            "\n"
            "[Removed Associations]\n"
            "image/png=org.example.Viewer.desktop;\n");
        QVERIFY(writeText(userMimeapps(), original));

        QVERIFY(registerIcsFileAssociation());

        QString expected = original;
        expected.replace(QStringLiteral("Browser.desktop;\n"),
                         QStringLiteral("Browser.desktop;\ntext/calendar=com.tindlebrook.calendar.desktop;\n"));
        QCOMPARE(readText(userMimeapps()), expected);
    }

    void icsAssociationRespectsRemovedAssociation()
    {
        const QString original = QStringLiteral(
            "[Removed Associations]\ntext/calendar=com.tindlebrook.calendar.desktop;\n");
        QVERIFY(writeText(userMimeapps(), original));
        QVERIFY(registerIcsFileAssociation());
        QCOMPARE(readText(userMimeapps()), original);
    }

    void icsAssociationIsRewrittenOnEveryStart()
    {
        QVERIFY(registerIcsFileAssociation());
        const QString firstList = readText(userMimeapps());
        // A stale entry from an older program location is replaced.
        QVERIFY(writeText(icsAssociationEntryPath(),
                          QStringLiteral("[Desktop Entry]\nExec=/old/place --ics %f\n")));
        QVERIFY(registerIcsFileAssociation());
        QVERIFY(readText(icsAssociationEntryPath()).contains(quotedProgram() + QStringLiteral(" --ics %f")));
        // Our own default counts as existing: the list is not touched again.
        QCOMPARE(readText(userMimeapps()), firstList);
    }

    void icsAssociationReportsUnwritableDataFolder()
    {
        // A file where the applications folder should be.
        QVERIFY(writeText(dataHome() + QStringLiteral("/applications"), QStringLiteral("not a folder")));
        QVERIFY(!registerIcsFileAssociation());
        // Nothing points text/calendar at an entry that does not exist.
        QVERIFY(!QFile::exists(userMimeapps()));
    }

    void execArgumentEscapesReservedCharacters_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected");
        QTest::newRow("space") << "/opt/my app/bin" << "\"/opt/my app/bin\"";
        // Inside quotes " ` $ \ are escaped with a backslash, then every
        // backslash is doubled for the string value; % becomes %%.
        QTest::newRow("quote") << "/a\"b" << "\"/a\\\\\"b\"";
        QTest::newRow("dollar and backtick") << "/a$b`c" << "\"/a\\\\$b\\\\`c\"";
        QTest::newRow("backslash") << "/a\\b" << "\"/a\\\\\\\\b\"";
        QTest::newRow("percent") << "/100%/bin" << "\"/100%%/bin\"";
    }

    void execArgumentEscapesReservedCharacters()
    {
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        QCOMPARE(DesktopEntryFile::execArgument(argument), expected);
    }

    void desktopEntryEditKeepsUntouchedLines()
    {
        DesktopEntryFile file;
        file.setText(QStringLiteral("[Desktop Entry]\nName=A\nName[de]=B\n# note\nExec=old\n\n[Desktop Action x]\nExec=keep\n"));
        file.setValue(QStringLiteral("Desktop Entry"), QStringLiteral("Exec"), QStringLiteral("new"));
        file.setValue(QStringLiteral("Desktop Entry"), QStringLiteral("Terminal"), QStringLiteral("false"));
        QCOMPARE(file.text(), QStringLiteral("[Desktop Entry]\nName=A\nName[de]=B\n# note\nExec=new\nTerminal=false\n\n"
                                             "[Desktop Action x]\nExec=keep\n"));
        QCOMPARE(file.value(QStringLiteral("Desktop Entry"), QStringLiteral("Name")).value_or(QString()),
                 QStringLiteral("A"));
        QVERIFY(!file.value(QStringLiteral("Desktop Entry"), QStringLiteral("Missing")));
    }

private:
    QString configHome() const { return m_dir->path() + QStringLiteral("/home/.config"); }
    QString dataHome() const { return m_dir->path() + QStringLiteral("/home/.local/share"); }
    QString userMimeapps() const { return configHome() + QStringLiteral("/mimeapps.list"); }

    std::unique_ptr<TempDataDir> m_dir;
};

QTEST_GUILESS_MAIN(TestDesktopIntegration)
#include "tst_desktopintegration.moc"
