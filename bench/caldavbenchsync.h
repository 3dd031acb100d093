#pragma once

#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavsyncclient.h"
#include "tests/sync/caldavsyncharness.h"

#include <QDate>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>

#include <ctime>

// A daily series "daily" from 2 March 2026 at 08:00 UTC, `days` long, as
// another client writes it: its first `changed` days after the first
// retitled and an hour later.
inline QByteArray dailySeriesText(int days, int changed)
{
    const auto date = [](int day) {
        return QDate(2026, 3, 2).addDays(day).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    };
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\nBEGIN:VEVENT\r\nUID:daily\r\n"
                      "DTSTAMP:20260101T000000Z\r\nDTSTART:"
        + date(0) + "T080000Z\r\nDTEND:" + date(0) + "T090000Z\r\nRRULE:FREQ=DAILY;COUNT=" + QByteArray::number(days)
        + "\r\nSUMMARY:Daily\r\nEND:VEVENT\r\n";
    for (int day = 1; day <= changed; ++day) {
        text += "BEGIN:VEVENT\r\nUID:daily\r\nDTSTAMP:20260101T000000Z\r\nRECURRENCE-ID:" + date(day)
            + "T080000Z\r\nDTSTART:" + date(day) + "T090000Z\r\nDTEND:" + date(day)
            + "T100000Z\r\nSUMMARY:Daily, changed " + QByteArray::number(day) + "\r\nEND:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

// What one timed sync run of a harness' calendar took: the whole run, and
// the part until its first upload reached the server (the whole run when
// none did), each as wall and CPU time of the process.
struct CalDavBenchRun
{
    bool completed = false;
    QString failure;
    qint64 ms = 0;
    qint64 cpuMs = 0;
    qint64 pullMs = -1;
    qint64 pullCpuMs = -1;
};

// One run; with `loseAnswer`, the server stores each upload but its answer
// never comes (the run waits 1.5 seconds for it, then fails).
inline CalDavBenchRun timedCalDavSync(CalDavSyncHarness &device, bool loseAnswer = false)
{
    CalDavBenchRun run;
    CalDavSyncClient *client = device.client.get();
    QSignalSpy completed(client, &CalDavSyncClient::calendarSyncCompleted);
    QSignalSpy failed(client, &CalDavSyncClient::calendarSyncFailed);
    QEventLoop loop;
    QObject::connect(client, &CalDavSyncClient::calendarSyncCompleted, &loop, &QEventLoop::quit);
    QObject::connect(client, &CalDavSyncClient::calendarSyncFailed, &loop, &QEventLoop::quit);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    std::clock_t cpu = 0;
    const auto cpuMs = [&cpu] { return qint64(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC; };
    FakeCalDavCalendar *fake = device.fake.get();
    fake->hook = [&](const LocalHttpServer::Request &request) -> std::optional<LocalHttpServer::Reply> {
        if (request.method != "PUT")
            return std::nullopt;
        if (run.pullMs < 0) {
            run.pullMs = timer.elapsed();
            run.pullCpuMs = cpuMs();
        }
        if (!loseAnswer)
            return std::nullopt;
        LocalHttpServer::Reply lost = fake->answer(request);
        lost.hang = true;
        return lost;
    };
    client->setTransferTimeout(loseAnswer ? 1500 : CalDavClient::kDefaultTransferTimeoutMs);
    cpu = std::clock();
    timer.start();
    client->syncCalendar(device.calendars.getById(device.calendar.id).value(), QString(), QStringLiteral("u"),
                         QStringLiteral("p"), QString());
    if (completed.isEmpty() && failed.isEmpty())
        loop.exec();
    run.ms = timer.elapsed();
    run.cpuMs = cpuMs();
    fake->hook = nullptr;
    client->setTransferTimeout(CalDavClient::kDefaultTransferTimeoutMs);
    run.completed = !completed.isEmpty() && failed.isEmpty();
    if (!failed.isEmpty())
        run.failure = failed.first().at(1).toString();
    if (run.pullMs < 0) {
        run.pullMs = run.ms;
        run.pullCpuMs = run.cpuMs;
    }
    return run;
}
