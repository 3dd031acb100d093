#include "dialogs/editing/recurrenceeditdialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeZone>
#include <QToolButton>

#include "calendar/icscodec.h"

// The rule read into the controls and written back, for every form the
// editor offers.
class TestRecurrenceEditDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ruleComesBackAsTheControlsShowIt_data();
    void ruleComesBackAsTheControlsShowIt();
    void controlsWriteTheRule();
    void untilDayComesBackThroughTheWrittenText_data();
    void untilDayComesBackThroughTheWrittenText();

private:
    // A Thursday: the weekday preselected for a new rule.
    const QDate m_reference = QDate(2026, 3, 12);
};

void TestRecurrenceEditDialog::ruleComesBackAsTheControlsShowIt_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("expected");
    QTest::newRow("new rule") << "" << "FREQ=WEEKLY;BYDAY=TH";
    QTest::newRow("weekly without days") << "FREQ=WEEKLY" << "FREQ=WEEKLY;BYDAY=TH";
    QTest::newRow("interval 1 dropped") << "FREQ=DAILY;INTERVAL=1" << "FREQ=DAILY";
    QTest::newRow("interval 2 kept") << "FREQ=WEEKLY;INTERVAL=2;BYDAY=WE,MO;COUNT=10"
                                     << "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;COUNT=10";
    QTest::newRow("ordinal weekday") << "FREQ=MONTHLY;BYDAY=-1FR" << "FREQ=MONTHLY;BYDAY=-1FR";
    QTest::newRow("second monday") << "freq=MONTHLY;byday=2mo" << "FREQ=MONTHLY;BYDAY=2MO";
    QTest::newRow("monthly weekday without ordinal") << "FREQ=MONTHLY;BYDAY=MO" << "FREQ=MONTHLY;BYDAY=1MO";
    QTest::newRow("month day") << "FREQ=MONTHLY;BYMONTHDAY=15;UNTIL=20261231"
                               << "FREQ=MONTHLY;BYMONTHDAY=15;UNTIL=20261231";
    QTest::newRow("month day out of range") << "FREQ=MONTHLY;BYMONTHDAY=40" << "FREQ=MONTHLY;BYMONTHDAY=12";
    QTest::newRow("count zero ignores until") << "FREQ=DAILY;COUNT=0;UNTIL=20261231" << "FREQ=DAILY";
    QTest::newRow("utc until read as a date") << "FREQ=YEARLY;UNTIL=20300101T085959Z" << "FREQ=YEARLY;UNTIL=20300101";
    QTest::newRow("hourly becomes weekly") << "FREQ=HOURLY;INTERVAL=3" << "FREQ=WEEKLY;INTERVAL=3;BYDAY=TH";
    QTest::newRow("unknown parts dropped") << "FREQ=YEARLY;BYMONTH=3;WKST=SU;stray" << "FREQ=YEARLY";
}

void TestRecurrenceEditDialog::ruleComesBackAsTheControlsShowIt()
{
    QFETCH(QString, rule);
    QFETCH(QString, expected);
    RecurrenceEditDialog dialog(rule, m_reference, Qt::Monday);
    QCOMPARE(dialog.toRRule(), expected);
}

void TestRecurrenceEditDialog::controlsWriteTheRule()
{
    RecurrenceEditDialog dialog(QString(), m_reference, Qt::Monday);
    auto *unit = dialog.findChild<QLabel *>(QStringLiteral("unit"));
    auto *summary = dialog.findChild<QLabel *>(QStringLiteral("summary"));
    QCOMPARE(unit->text(), QStringLiteral("week"));
    dialog.findChild<QSpinBox *>(QStringLiteral("interval"))->setValue(2);
    QCOMPARE(unit->text(), QStringLiteral("weeks"));
    QCOMPARE(dialog.findChild<QToolButton *>(QStringLiteral("weekdayTH"))->isChecked(), true);
    dialog.findChild<QToolButton *>(QStringLiteral("weekdayTH"))->click();
    QCOMPARE(dialog.toRRule(), QStringLiteral("FREQ=WEEKLY;INTERVAL=2"));
    dialog.findChild<QToolButton *>(QStringLiteral("weekdayMO"))->click();
    dialog.findChild<QRadioButton *>(QStringLiteral("endsOn"))->click();
    QCOMPARE(dialog.toRRule(), QStringLiteral("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO;UNTIL=20270312"));
    const QString before = summary->text();
    dialog.findChild<QComboBox *>(QStringLiteral("frequency"))->setCurrentIndex(2);
    QCOMPARE(dialog.toRRule(), QStringLiteral("FREQ=MONTHLY;INTERVAL=2;BYMONTHDAY=12;UNTIL=20270312"));
    QVERIFY(summary->text() != before);
}

void TestRecurrenceEditDialog::untilDayComesBackThroughTheWrittenText_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<bool>("allDay");
    for (const char *zone : {"UTC", "America/New_York", "Europe/Berlin", "Asia/Tokyo", "Australia/Adelaide"}) {
        QTest::addRow("%s timed", zone) << QString::fromLatin1(zone) << false;
        QTest::addRow("%s all-day", zone) << QString::fromLatin1(zone) << true;
    }
}

// The last day chosen in the editor is written as the text requires (an
// instant for a timed series) and shows as the same day when read back.
void TestRecurrenceEditDialog::untilDayComesBackThroughTheWrittenText()
{
    QFETCH(QString, zone);
    QFETCH(bool, allDay);
    const QTimeZone eventZone(zone.toUtf8());
    RecurrenceEditDialog editor(QStringLiteral("FREQ=DAILY"), m_reference, Qt::Monday, eventZone);
    editor.findChild<QRadioButton *>(QStringLiteral("endsOn"))->click();
    editor.findChild<QDateEdit *>(QStringLiteral("untilDate"))->setDate(QDate(2026, 3, 23));

    Event event;
    event.uid = QStringLiteral("series");
    event.title = QStringLiteral("Standup");
    event.timezone = zone;
    event.is_all_day = allDay;
    event.start_time = allDay ? QDateTime(m_reference, QTime(0, 0)) : QDateTime(m_reference, QTime(9, 0), eventZone);
    event.end_time = event.start_time.addSecs(allDay ? 86400 : 1800);
    event.recurrence_rule = editor.toRRule();
    const QList<Event> read = IcsCodec::parseEvents(IcsCodec::buildEventIcs(event));
    QCOMPARE(read.size(), 1);
    const QString until = read.first().recurrence_rule.section(QStringLiteral("UNTIL="), 1);
    QCOMPARE(until.size(), allDay ? 8 : 16);

    RecurrenceEditDialog again(read.first().recurrence_rule, m_reference, Qt::Monday, eventZone);
    QCOMPARE(again.findChild<QDateEdit *>(QStringLiteral("untilDate"))->date(), QDate(2026, 3, 23));
    QCOMPARE(again.toRRule(), QStringLiteral("FREQ=DAILY;UNTIL=20260323"));
}

QTEST_MAIN(TestRecurrenceEditDialog)
#include "tst_recurrenceeditdialog.moc"
