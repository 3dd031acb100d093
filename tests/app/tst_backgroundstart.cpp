#include "app/application.h"
#include "tests/support/programstart.h"
#include "ui/mainwindow.h"

#include <QTest>
#include <QTimer>

#include <functional>

// The start the autostart entry makes ("--background"), on a desktop whose
// tray is a recording stand-in. The process has one application object, so
// each case is its own start.
class TestBackgroundStart : public QObject
{
    Q_OBJECT

public:
    explicit TestBackgroundStart(Application *app)
        : m_app(app)
    {
    }

private Q_SLOTS:
    void withoutATrayTheWindowIsShown()
    {
        int asked = 0;
        m_app->setTrayPresence([&asked] {
            ++asked;
            return false;
        });
        bool shownAfterStart = false;
        QTimer::singleShot(0, m_app, [&] {
            shownAfterStart = m_app->mainWindow()->isVisible();
            QCoreApplication::quit();
        });
        QCOMPARE(m_app->run(), 0);
        QCOMPARE(asked, 1);
        QVERIFY(shownAfterStart);
    }

private:
    Application *m_app;
};

int main(int argc, char **argv)
{
    ProgramStart start;
    // The program sees the flag; the test runner sees only its own arguments.
    QByteArray flag("--background");
    QList<char *> programArguments{argv[0], flag.data()};
    int programCount = int(programArguments.size());
    Application app(programCount, programArguments.data());
    TestBackgroundStart test(&app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_backgroundstart.moc"
