// The program in the middle of an import, for the import test to kill: it
// opens the store at the path it was given, imports a few thousand events
// into the calendar it was given and, once the first of them are stored,
// ticks the task whose id it was given as the tasks pane does, prints
// "ticked <done> <total>" and stops there, the import unfinished, until it
// is killed.
#include <QCoreApplication>
#include <QThread>

#include "app/edits/icsimportrun.h"
#include "app/edits/taskeditor.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"

#include <cstdio>
#include <cstdlib>

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

// Arguments: the store's path, the calendar's id, the task's id.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4)
        return 2;
    Database database;
    if (!database.open(QString::fromUtf8(argv[1])))
        return 1;
    EventRepository events(&database);
    TaskRepository tasks(&database);
    CalendarRepository calendars(&database);
    const QString taskId = QString::fromUtf8(argv[3]);
    IcsImportRun run(&database, &events, manyEvents(5000), QString::fromUtf8(argv[2]));
    QObject::connect(&run, &IcsImportRun::progress, &run, [&tasks, &calendars, &taskId](int done, int total) {
        if (!TaskEditor(&tasks, &calendars).setCompleted(taskId, true).ok)
            std::exit(3);
        std::printf("ticked %d %d\n", done, total);
        std::fflush(stdout);
        while (true)
            QThread::sleep(60);
    });
    run.start();
    return app.exec();
}
