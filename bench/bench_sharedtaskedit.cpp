// Time and upload size of one task's edit in a CalDAV resource that holds
// many tasks, each naming a zone id of its own that resolves to one known
// zone (/v1/Europe/Berlin, /v2/Europe/Berlin, ...), as some servers keep
// them, with no VTIMEZONE for them: the edit sends the others back with it
// and the definitions of the zones they name. Prints, per size, the wall
// time of the sync run that uploads the edit, the time spent writing its
// text, and the upload against what was read; the upload should stay
// within a small multiple of what was read, and the time grow with the size
// (about twice for twice the ids), not with its square.
// Run: bench_sharedtaskedit; BENCH_ZONE_IDS="3000 30000" sets the sizes.

#include <QElapsedTimer>
#include <QTest>

#include "app/edits/taskeditor.h"
#include "sync/caldav/caldavtasktext.h"
#include "tests/sync/caldavsyncharness.h"

#include <cstdio>

namespace {

QByteArray sharedResource(int tasks)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Server//EN\r\n";
    for (int i = 0; i < tasks; ++i) {
        const QByteArray n = QByteArray::number(i);
        text += "BEGIN:VTODO\r\nUID:t" + n + "\r\nSUMMARY:Task " + n + "\r\nDUE;TZID=/v" + n
            + "/Europe/Berlin:20260302T170000\r\nEND:VTODO\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

struct Figures
{
    bool ok = false;
    qint64 syncMs = 0;
    // A run with nothing to send, for what the pull alone takes.
    qint64 unchangedMs = 0;
    qint64 textMs = 0;
    qsizetype read = 0;
    qsizetype sent = 0;
};

Figures measure(int tasks)
{
    Figures figures;
    CalDavSyncHarness h;
    const QByteArray resource = sharedResource(tasks);
    figures.read = resource.size();
    h.fake->putItem("shared.ics", resource);
    if (!h.sync().completed)
        return figures;
    QElapsedTimer timer;
    timer.start();
    if (!h.sync().completed)
        return figures;
    figures.unchangedMs = timer.elapsed();
    Task task = h.tasks.getByUidAndCalendar(QStringLiteral("t1"), h.calendar.id).value_or(Task());
    task.title = QStringLiteral("Task 1, edited");
    TaskEditor editor(&h.tasks, &h.calendars);
    if (!editor.update(task).ok)
        return figures;

    // The upload's text alone, as the push writes it.
    QStringList others;
    for (const Task &other : h.tasks.getByCalendar(h.calendar.id)) {
        if (other.uid != task.uid)
            others.append(other.raw_icalendar);
    }
    const Task edited = h.tasks.getById(task.id).value_or(Task());
    timer.restart();
    const QString text = CalDavTaskText::build(edited, others);
    figures.textMs = timer.elapsed();

    timer.restart();
    const CalDavOutcome outcome = h.sync();
    figures.syncMs = timer.elapsed();
    figures.sent = h.serverText("shared.ics").size();
    figures.ok = outcome.completed && !text.isEmpty();
    return figures;
}

} // namespace

class BenchSharedTaskEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editOfResourceNamingManyZoneIds()
    {
        QList<int> sizes{3000, 6000, 30000};
        const QString given = qEnvironmentVariable("BENCH_ZONE_IDS");
        if (!given.isEmpty()) {
            sizes.clear();
            for (const QString &size : given.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                sizes.append(size.toInt());
        }
        for (const int size : std::as_const(sizes)) {
            const Figures f = measure(size);
            QVERIFY2(f.ok, qPrintable(QStringLiteral("%1 ids: the edit did not go up").arg(size)));
            std::printf("%6d zone ids: sync run %6lld ms (%6lld ms with nothing to send), upload text %6lld ms, "
                        "read %9lld B, sent %9lld B (%.2fx)\n",
                        size, static_cast<long long>(f.syncMs), static_cast<long long>(f.unchangedMs),
                        static_cast<long long>(f.textMs),
                        static_cast<long long>(f.read), static_cast<long long>(f.sent),
                        double(f.sent) / double(f.read));
            std::fflush(stdout);
        }
    }
};

QTEST_GUILESS_MAIN(BenchSharedTaskEdit)
#include "bench_sharedtaskedit.moc"
