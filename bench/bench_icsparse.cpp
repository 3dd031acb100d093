// Reading speed of the iCalendar reader on a generated calendar: timed,
// zoned, all-day and recurring events with moved occurrences, alarms and
// attendees. Prints events per second and how the time grows when the file
// doubles (it should stay within 2.2 times), with the peak resident memory;
// then hostile files: one very large VTIMEZONE named by 20,000 small events
// (memory), a TZID of 1 MB and 100,000 distinct TZIDs in one event (time);
// a task of 30,000 and 60,000 categories, on one line and one a line, read
// and edited (time: it should double, not quadruple, with the count); an
// event of 2,000 and 5,000 skipped days written back after a retitle and
// after a move of every day (time: likewise).

#include <QElapsedTimer>
#include <QTest>

#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "peakresident.h"

#include <algorithm>
#include <ctime>

namespace {

QByteArray generate(int events)
{
    QByteArray out;
    out.reserve(qsizetype(events) * 700);
    out += "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Generator//EN\r\n"
           "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
           "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
           "BEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
           "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
    const QDate base(2024, 1, 1);
    int written = 0;
    for (int i = 0; written < events; ++i) {
        const QByteArray uid = "bench-" + QByteArray::number(i) + "@example.org";
        const QDate day = base.addDays(i % 730);
        const QByteArray date = day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        const QByteArray next = day.addDays(1).toString(QStringLiteral("yyyyMMdd")).toLatin1();
        out += "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20240101T000000Z\r\nSEQUENCE:1\r\n";
        out += "SUMMARY:Event number " + QByteArray::number(i) + "\\, with an escaped comma\r\n";
        out += "DESCRIPTION:A description long enough to be folded by a producer that keeps lines short\\n\r\n"
               "  and a second line with umlauts \xc3\xa4\xc3\xb6\xc3\xbc and more text\r\n";
        out += "LOCATION:Room " + QByteArray::number(i % 40) + "\r\n";
        switch (i % 4) {
        case 0: // timed, UTC
            out += "DTSTART:" + date + "T090000Z\r\nDTEND:" + date + "T100000Z\r\n";
            break;
        case 1: // timed, zoned
            out += "DTSTART;TZID=Europe/Berlin:" + date + "T140000\r\nDURATION:PT45M\r\n";
            break;
        case 2: // all-day
            out += "DTSTART;VALUE=DATE:" + date + "\r\nDTEND;VALUE=DATE:" + next + "\r\n";
            break;
        default: // recurring, with exceptions
            out += "DTSTART;TZID=Europe/Berlin:" + date + "T080000\r\nDTEND;TZID=Europe/Berlin:" + date
                   + "T083000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=30\r\n"
                     "EXDATE;TZID=Europe/Berlin:" + next + "T080000\r\n";
            break;
        }
        out += "ORGANIZER;CN=\"Organizer, The\":mailto:organizer@example.org\r\n"
               "ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;RSVP=TRUE;CN=\"Doe, Jane\":mailto:jane@example.org\r\n"
               "ATTENDEE;ROLE=OPT-PARTICIPANT;PARTSTAT=NEEDS-ACTION;CN=Bob:mailto:bob@example.org\r\n"
               "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
               "END:VEVENT\r\n";
        ++written;
        if (i % 4 == 3 && written < events) { // a moved occurrence of the series
            out += "BEGIN:VEVENT\r\nUID:" + uid + "\r\nRECURRENCE-ID;TZID=Europe/Berlin:" + date
                   + "T080000\r\nDTSTART;TZID=Europe/Berlin:" + date + "T100000\r\nDTEND;TZID=Europe/Berlin:" + date
                   + "T103000\r\nSUMMARY:Moved\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT5M\r\n"
                     "END:VALARM\r\nEND:VEVENT\r\n";
            ++written;
        }
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

// About 2.5 MB: a VTIMEZONE of some 600 KB and 20,000 events that name it.
QByteArray largeZoneCalendar(int events)
{
    QByteArray out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Generator//EN\r\n"
                     "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n";
    for (int year = 1; out.size() < 600000; ++year) {
        const QByteArray y = QByteArray::number(1000 + year % 8000);
        out += "BEGIN:STANDARD\r\nDTSTART:" + y + "1025T030000\r\nTZOFFSETFROM:+0200\r\n"
               "TZOFFSETTO:+0100\r\nEND:STANDARD\r\n";
    }
    out += "END:VTIMEZONE\r\n";
    for (int i = 0; i < events; ++i) {
        out += "BEGIN:VEVENT\r\nUID:z" + QByteArray::number(i)
               + "\r\nDTSTART;TZID=Europe/Berlin:20240101T090000\r\nEND:VEVENT\r\n";
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

struct Timing
{
    double wallMs = 1e18;
    double cpuMs = 1e18;
};

// One read, keeping the best wall-clock and processor times seen so far;
// the processor time is what the comparison uses, as it is the least
// disturbed by other work on the machine.
void timeParse(const QByteArray &bytes, Timing *timing, qsizetype *count)
{
    const std::clock_t cpuStart = std::clock();
    QElapsedTimer timer;
    timer.start();
    const QList<Event> events = IcsCodec::parseEvents(IcsCodec::decodeText(bytes));
    const double wallMs = timer.nsecsElapsed() / 1e6;
    const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    *count = events.size();
    timing->wallMs = std::min(timing->wallMs, wallMs);
    timing->cpuMs = std::min(timing->cpuMs, cpuMs);
}

} // namespace

class BenchIcsParse : public QObject
{
    Q_OBJECT

private slots:
    void parseTwentyThousandEvents();
    void parseLargeZoneNamedByManyEvents();
    void parseHugeZoneNames();
    void readTaskWithManyCategories();
    void writeEventWithManySkippedDays();
};

void BenchIcsParse::parseTwentyThousandEvents()
{
    const QByteArray single = generate(20000);
    const QByteArray twice = generate(40000);
    qsizetype singleCount = 0;
    qsizetype twiceCount = 0;
    Timing singleTime;
    Timing twiceTime;
    PeakResident::reset();
    const double before = PeakResident::megabytes();
    timeParse(single, &singleTime, &singleCount);
    const double singlePeak = PeakResident::megabytes();
    for (int run = 0; run < 5; ++run) {
        timeParse(single, &singleTime, &singleCount);
        timeParse(twice, &twiceTime, &twiceCount);
    }
    QCOMPARE(singleCount, 20000);
    QCOMPARE(twiceCount, 40000);

    const double ratio = twiceTime.cpuMs / singleTime.cpuMs;
    printf("iCalendar read, %lld events (%.1f MB): %.1f ms (%.1f ms processor), %.0f events/s\n",
           static_cast<long long>(singleCount), single.size() / 1e6, singleTime.wallMs, singleTime.cpuMs,
           singleCount / (singleTime.cpuMs / 1000.0));
    printf("iCalendar read, %lld events (%.1f MB): %.1f ms (%.1f ms processor), %.0f events/s\n",
           static_cast<long long>(twiceCount), twice.size() / 1e6, twiceTime.wallMs, twiceTime.cpuMs,
           twiceCount / (twiceTime.cpuMs / 1000.0));
    printf("peak resident while reading %lld events: %.0f MB (%.0f MB above the %.0f MB before)\n",
           static_cast<long long>(singleCount), singlePeak, singlePeak - before, before);
    printf("double file / single file processor time: %.2f (%s 2.2)\n", ratio, ratio <= 2.2 ? "within" : "OVER");
    fflush(stdout);
}

void BenchIcsParse::parseLargeZoneNamedByManyEvents()
{
    const QByteArray bytes = largeZoneCalendar(20000);
    PeakResident::reset();
    const double before = PeakResident::megabytes();
    QElapsedTimer timer;
    timer.start();
    const QList<Event> events = IcsCodec::parseEvents(IcsCodec::decodeText(bytes));
    const double ms = timer.nsecsElapsed() / 1e6;
    const double peak = PeakResident::megabytes();
    QCOMPARE(events.size(), 20000);
    printf("large zone named by %lld events (%.1f MB): %.1f ms, peak resident %.0f MB (%.0f MB above the %.0f MB "
           "before)\n",
           static_cast<long long>(events.size()), bytes.size() / 1e6, ms, peak, peak - before, before);
    fflush(stdout);
}

void BenchIcsParse::parseHugeZoneNames()
{
    // Vendor prefixes end in a zone id after some slash: every slash is a
    // place to look.
    QString longId;
    while (longId.size() < (1 << 20))
        longId += QString(99, QLatin1Char('x')) + QLatin1Char('/');
    QString manyIds = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:many\r\n");
    for (int i = 0; i < 100000; ++i)
        manyIds += QStringLiteral("EXDATE;TZID=Zone/%1:20240101T090000\r\n").arg(i);
    manyIds += QStringLiteral("END:VEVENT\r\nEND:VCALENDAR\r\n");
    const QList<QPair<const char *, QString>> cases = {
        {"TZID of 1 MB", QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:long\r\nDTSTART;TZID=%1:20240101T090000"
                                         "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                              .arg(longId)},
        {"100,000 TZIDs in one event", manyIds}};
    for (const auto &entry : cases) {
        QElapsedTimer timer;
        timer.start();
        const QList<Event> events = IcsCodec::parseEvents(entry.second);
        printf("%s: %.1f ms, %lld event(s)\n", entry.first, timer.nsecsElapsed() / 1e6,
               static_cast<long long>(events.size()));
    }
    fflush(stdout);
}

void BenchIcsParse::readTaskWithManyCategories()
{
    for (const bool oneALine : {false, true}) {
        double lastMs = 0;
        for (const int count : {30000, 60000}) {
            QStringList categories;
            for (int i = 0; i < count; ++i)
                categories.append(QStringLiteral("Category %1").arg(i));
            const QString lines = oneALine ? QStringLiteral("CATEGORIES:") + categories.join(QLatin1String("\r\nCATEGORIES:"))
                                           : QStringLiteral("CATEGORIES:") + categories.join(QLatin1Char(','));
            const QString text = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:many\r\nSUMMARY:Sort\r\n")
                + lines + QStringLiteral("\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
            QElapsedTimer timer;
            timer.start();
            Task task = IcsCodec::parseTodoResource(text).value(0);
            const double readMs = timer.nsecsElapsed() / 1e6;
            QCOMPARE(task.categories, categories);
            task.title = QStringLiteral("Sorted");
            timer.restart();
            const QString edited = IcsCodec::patchTodoIcs(task.raw_icalendar, task);
            const double editMs = timer.nsecsElapsed() / 1e6;
            QVERIFY(edited.contains(QLatin1String("SUMMARY:Sorted")));
            printf("task of %d categories %s: read %.1f ms, edited %.1f ms%s\n", count,
                   oneALine ? "one a line" : "on one line", readMs, editMs,
                   lastMs > 0 ? qPrintable(QStringLiteral(", %1 times the half").arg((readMs + editMs) / lastMs, 0, 'f', 2))
                              : "");
            lastMs = readMs + editMs;
        }
    }
    fflush(stdout);
}

void BenchIcsParse::writeEventWithManySkippedDays()
{
    double lastMs = 0;
    for (const int count : {2000, 5000}) {
        QString text = QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:skips\r\nSUMMARY:Walk\r\n"
                                      "DTSTART:20000103T080000Z\r\nDURATION:PT1H\r\nRRULE:FREQ=DAILY\r\n");
        const QDateTime first(QDate(2000, 1, 3), QTime(8, 0), Qt::UTC);
        for (int i = 0; i < count; ++i)
            text += QStringLiteral("EXDATE:%1\r\n").arg(first.addDays(2 * i).toString(QStringLiteral("yyyyMMddTHHmmssZ")));
        text += QStringLiteral("END:VEVENT\r\nEND:VCALENDAR\r\n");
        Event event = IcsCodec::parseEvents(text).value(0);
        event.title = QStringLiteral("Run");
        QElapsedTimer timer;
        timer.start();
        const QString retitled = IcsCodec::buildEventIcs(event);
        const double retitleMs = timer.nsecsElapsed() / 1e6;
        QCOMPARE(Recurrence::parseExceptionDates(IcsCodec::parseEvents(retitled).value(0).exception_dates).size(), count);
        // Every skipped day an hour later, as a move of the whole series writes them.
        QStringList moved;
        for (int i = 0; i < count; ++i)
            moved.append(QLatin1Char('"') + first.addDays(2 * i).addSecs(3600).toString(QStringLiteral("yyyyMMddTHHmmssZ")) + QLatin1Char('"'));
        event.exception_dates = QLatin1Char('[') + moved.join(QLatin1Char(',')) + QLatin1Char(']');
        event.start_time = event.start_time.addSecs(3600);
        event.end_time = event.end_time->addSecs(3600);
        timer.restart();
        const QString shifted = IcsCodec::buildEventIcs(event);
        const double moveMs = timer.nsecsElapsed() / 1e6;
        QCOMPARE(Recurrence::parseExceptionDates(IcsCodec::parseEvents(shifted).value(0).exception_dates).size(), count);
        printf("event of %d skipped days written: retitled %.1f ms, moved %.1f ms%s\n", count, retitleMs, moveMs,
               lastMs > 0 ? qPrintable(QStringLiteral(", %1 times the 2,000").arg((retitleMs + moveMs) / lastMs, 0, 'f', 2))
                          : "");
        lastMs = retitleMs + moveMs;
    }
    fflush(stdout);
}

QTEST_GUILESS_MAIN(BenchIcsParse)
#include "bench_icsparse.moc"
