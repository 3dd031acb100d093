// The program in the middle of an import, for the import test to kill: it
// opens the store of CALENDAR_DATA_DIR, imports a few thousand events into
// the local calendar and, once the first of them are stored, ticks the task
// whose id it was given, prints "ticked <done> <total>" and stops there,
// the import unfinished, until it is killed.
#include <QApplication>
#include <QThread>

#include "app/appstate.h"
#include "store/taskrepository.h"
#include "ui/icsimportrun.h"

#include <cstdio>

namespace {

QList<Event> manyEvents(int count)
{
    QList<Event> events;
    const QDateTime origin(QDate(2026, 1, 1), QTime(9, 0), Qt::UTC);
    for (int i = 0; i < count; ++i) {
        Event event;
        event.uid = QStringLiteral("peer-%1").arg(i);
        event.title = QStringLiteral("Peer %1").arg(i);
        event.start_time = origin.addSecs(3600LL * i);
        event.end_time = event.start_time.addSecs(1800);
        event.raw_icalendar = QStringLiteral("BEGIN:VEVENT\r\nUID:%1\r\nEND:VEVENT\r\n").arg(event.uid);
        events.append(event);
    }
    return events;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString taskId = QString::fromUtf8(argv[1]);
    AppState state;
    if (!state.initialize())
        return 1;
    IcsImportRun run(&state, manyEvents(5000), QString::fromLatin1(AppState::LocalCalendarId));
    QObject::connect(&run, &IcsImportRun::progress, &run, [&state, &taskId](int done, int total) {
        if (!state.tasks()->setCompleted(taskId, true))
            std::exit(3);
        std::printf("ticked %d %d\n", done, total);
        std::fflush(stdout);
        while (true)
            QThread::sleep(60);
    });
    run.start();
    return app.exec();
}
