// iCalendar read golden cases: each data/ics/<name>.ics is read as a file
// is (bytes, any encoding) and every event and task it holds is described
// field by field; a text that is not iCalendar reads as the reader's
// message.

#include <QTest>

#include "calendar/icscodec.h"
#include "goldencases.h"
#include "icsdescription.h"

class TestIcsReadGolden : public QObject
{
    Q_OBJECT

private slots:
    void readsAsExpected_data() { GoldenCases::addRows(QStringLiteral("ics")); }
    void readsAsExpected();
};

void TestIcsReadGolden::readsAsExpected()
{
    QFETCH(QString, path);
    const QByteArray bytes = GoldenCases::readBytes(path);
    const IcsReadResult read = IcsCodec::readEvents(bytes);
    QString described;
    if (!read.ok) {
        described = QStringLiteral("not a calendar: ") + read.error;
    } else {
        const QList<Task> tasks = IcsCodec::parseTodos(IcsCodec::decodeText(bytes));
        described = IcsDescription::describeAll(read.events);
        if (!read.events.isEmpty() && !tasks.isEmpty())
            described += QLatin1Char('\n');
        described += IcsDescription::describeAll(tasks);
    }
    GoldenCases::compare(described.split(QLatin1Char('\n')), path);
}

QTEST_GUILESS_MAIN(TestIcsReadGolden)
#include "tst_icsread_golden.moc"
