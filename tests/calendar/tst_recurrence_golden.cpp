// Recurrence golden cases: each data/recurrence/<name>.ics is read, expanded
// over the range its X-EXPAND-RANGE line names (start/end, with an optional
// TZID), and every occurrence printed as "start end title" in the event's
// own zone (dates for all-day events), ordered by start.

#include <QTest>

#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "goldencases.h"

#include <algorithm>

namespace {

QString shown(const QDateTime &value, bool allDay)
{
    if (!value.isValid())
        return QStringLiteral("-");
    return allDay ? value.date().toString(Qt::ISODate) : value.toString(Qt::ISODate);
}

bool readRange(const QString &text, QDateTime *from, QDateTime *to)
{
    for (const QString &line : IcsCodec::unfoldLines(text)) {
        if (!line.startsWith(QLatin1String("X-EXPAND-RANGE")))
            continue;
        const ContentLine range = IcsCodec::splitContentLine(line);
        const QStringList ends = range.value.split(QLatin1Char('/'));
        if (ends.size() != 2)
            return false;
        *from = IcsCodec::parseDateTimeValue(ends.at(0), range.params);
        *to = IcsCodec::parseDateTimeValue(ends.at(1), range.params);
        return from->isValid() && to->isValid();
    }
    return false;
}

} // namespace

class TestRecurrenceGolden : public QObject
{
    Q_OBJECT

private slots:
    void expandsAsExpected_data() { GoldenCases::addRows(QStringLiteral("recurrence")); }
    void expandsAsExpected();
};

void TestRecurrenceGolden::expandsAsExpected()
{
    QFETCH(QString, path);
    const QString text = IcsCodec::decodeText(GoldenCases::readBytes(path));
    QDateTime from;
    QDateTime to;
    QVERIFY2(readRange(text, &from, &to), "the case names no X-EXPAND-RANGE");

    QList<Event> occurrences = Recurrence::expandForRange(IcsCodec::parseEvents(text), from, to);
    std::stable_sort(occurrences.begin(), occurrences.end(),
                     [](const Event &a, const Event &b) { return a.start_time < b.start_time; });
    QStringList lines;
    for (const Event &event : std::as_const(occurrences)) {
        QString line = shown(event.start_time, event.is_all_day) + QLatin1Char(' ')
                       + shown(event.end_time.value_or(QDateTime()), event.is_all_day);
        if (!event.title.isEmpty())
            line += QLatin1Char(' ') + event.title;
        lines << line;
    }
    GoldenCases::compare(lines, path);
}

QTEST_GUILESS_MAIN(TestRecurrenceGolden)
#include "tst_recurrence_golden.moc"
