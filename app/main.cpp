#include "store/database.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStandardPaths>

// Start-up is still minimal: open the store and show an empty window.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("Tindlebrook"));
    app.setApplicationName(QStringLiteral("Calendar"));
    app.setApplicationVersion(QStringLiteral("1.3.5"));

    QString dataDir = qEnvironmentVariable("CALENDAR_DATA_DIR");
    if (dataDir.isEmpty())
        dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataDir);

    Database db;
    if (!db.open(dataDir + QStringLiteral("/calendar.db")) || !db.migrate()) {
        QMessageBox::critical(nullptr, QObject::tr("Database Error"),
                              QObject::tr("Failed to initialize the database.\n\nData directory: %1\n\n"
                                          "Please check file permissions and try again.")
                                  .arg(dataDir));
        return 1;
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tindlebrook Calendar"));
    window.setCentralWidget(new QLabel(QObject::tr("Tindlebrook Calendar"), &window));
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
