#pragma once

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

// Window-size tests on two offscreen screens: a laptop's, the first, and a
// small one beside it, their lower edges in line.
namespace LaptopScreens {

inline constexpr char Config[] = R"({"screens": [
    {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
    {"name": "small", "x": 1366, "y": 68, "width": 1024, "height": 700, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}
]})";

inline QScreen *named(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    return nullptr;
}

// Runs `Test` with the offscreen platform showing both screens; it reads
// them from a file named when the application starts.
template<typename Test>
int exec(int argc, char **argv)
{
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("screens.json")));
    if (!dir.isValid() || !config.open(QIODevice::WriteOnly) || config.write(Config) < 0)
        return 1;
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace LaptopScreens
