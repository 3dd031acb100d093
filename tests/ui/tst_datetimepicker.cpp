#include "ui/pickers/datetimepicker.h"
#include "ui/pickers/timecombobox.h"
#include "app/theme/calendarproxystyle.h"
#include "app/theme/theme.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QHeaderView>
#include <QFontDatabase>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

const QDate Day(2026, 3, 10);

TimeComboBox *timeBox(DateTimePicker &picker)
{
    return picker.findChild<TimeComboBox *>();
}

QString entry(DateTimePicker &picker, int row)
{
    return timeBox(picker)->itemText(row);
}

void type(DateTimePicker &picker, const QString &text)
{
    timeBox(picker)->lineEdit()->setText(text);
    Q_EMIT timeBox(picker)->lineEdit()->editingFinished();
}

} // namespace

class TestDateTimePicker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedTimesAreReadOrRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QTime>("expected");
        for (const char *form : {"2pm", "2 PM", "14:00", "14"})
            QTest::newRow(form) << form << QTime(14, 0);
        QTest::newRow("9:30am") << "9:30am" << QTime(9, 30);
        for (const char *refused : {"noon", "25:00", " "})
            QTest::newRow(refused) << refused << QTime();
    }

    void typedTimesAreReadOrRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QTime, expected);
        DateTimePicker picker(Qt::Monday);
        picker.setDateTime(QDateTime(Day, QTime(11, 15)));
        QSignalSpy changed(&picker, &DateTimePicker::dateTimeChanged);
        type(picker, typed);
        // A refused text puts the last valid time back, silently.
        const QTime shown = expected.isValid() ? expected : QTime(11, 15);
        QCOMPARE(picker.dateTime(), QDateTime(Day, shown));
        QCOMPARE(changed.size(), expected.isValid() ? 1 : 0);
        QCOMPARE(timeBox(picker)->lineEdit()->text(), DateTimePicker::displayTime(shown));
    }

    // The list shows the interface language's AM/PM marker and reads it back
    // when typed; English still reads.
    void typedTimesReadInTheInterfaceLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QTime>("expected");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Japanese marker") << "ja" << "2:30 午後" << QTime(14, 30) << "2:30 午後";
        QTest::newRow("English in Japanese") << "ja" << "9am" << QTime(9, 0) << "9:00 午前";
        // Spanish markers hold a no-break space; typed, an ordinary one.
        QTest::newRow("Spanish typed") << "es" << "2:30 p. m." << QTime(14, 30) << "2:30 P.\u00A0M.";
        QTest::newRow("Spanish as shown") << "es" << "9:00 A.\u00A0M." << QTime(9, 0) << "9:00 A.\u00A0M.";
        QTest::newRow("German") << "de" << "2:30 PM" << QTime(14, 30) << "2:30 PM";
        QTest::newRow("English") << "en" << "2:30 PM" << QTime(14, 30) << "2:30 PM";
    }

    void typedTimesReadInTheInterfaceLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, typed);
        QFETCH(QTime, expected);
        QFETCH(QString, shown);
        const QLocale before;
        QLocale::setDefault(QLocale(language));
        DateTimePicker picker(Qt::Monday);
        picker.setDateTime(QDateTime(Day, QTime(11, 15)));
        type(picker, typed);
        const QDateTime read = picker.dateTime();
        const QString text = timeBox(picker)->lineEdit()->text();
        QLocale::setDefault(before);
        QCOMPARE(read, QDateTime(Day, expected));
        QCOMPARE(text, shown);
    }

    void endMeasuresFromTheStartAndNeverFallsBeforeIt()
    {
        DateTimePicker start(Qt::Monday);
        DateTimePicker end(Qt::Monday);
        start.setDateTime(QDateTime(Day, QTime(9, 0)));
        end.setDateTime(QDateTime(Day, QTime(10, 0)));
        end.setReference(&start);
        QCOMPARE(timeBox(end)->count(), 96 - 36);
        QCOMPARE(entry(end, 0), QStringLiteral("9:00 AM"));
        QCOMPARE(entry(end, 1), QStringLiteral("9:15 AM  (15 min)"));
        QCOMPARE(entry(end, 4), QStringLiteral("10:00 AM  (1 hr)"));
        QCOMPARE(entry(end, 6), QStringLiteral("10:30 AM  (1 hr 30 min)"));

        // A chosen entry commits its time without the hint; a time before
        // the start is raised to it.
        timeBox(end)->setCurrentIndex(6);
        Q_EMIT timeBox(end)->activated(6);
        QCOMPARE(end.dateTime(), QDateTime(Day, QTime(10, 30)));
        type(end, QStringLiteral("8:00 AM"));
        QCOMPARE(end.dateTime(), QDateTime(Day, QTime(9, 0)));

        // Two days on, the distances are not capped.
        end.findChild<QDateEdit *>()->setDate(Day.addDays(2));
        QCOMPARE(entry(end, 36), QStringLiteral("9:00 AM  (48 hr)"));

        // The start passing the end carries it along without a signal;
        // moving the start back leaves the end.
        QSignalSpy endChanged(&end, &DateTimePicker::dateTimeChanged);
        start.findChild<QDateEdit *>()->setDate(Day.addDays(3));
        QCOMPARE(end.dateTime(), QDateTime(Day.addDays(3), QTime(9, 0)));
        start.findChild<QDateEdit *>()->setDate(Day);
        QCOMPARE(end.dateTime(), QDateTime(Day.addDays(3), QTime(9, 0)));
        QCOMPARE(endChanged.size(), 0);

        end.setReference(nullptr);
        QCOMPARE(timeBox(end)->count(), 96);
        QCOMPARE(entry(end, 0), QStringLiteral("12:00 AM"));
    }

    void dateOnlyValueIsMidnightAndKeepsTheChosenTime()
    {
        DateTimePicker picker(Qt::Monday);
        picker.show();
        picker.setDateTime(QDateTime(Day, QTime(15, 45)));
        picker.setDateOnly(true);
        QCOMPARE(picker.dateTime(), QDateTime(Day, QTime(0, 0)));
        QVERIFY(!timeBox(picker)->isVisible());
        picker.setDateOnly(false);
        picker.setDateTime(QDateTime());
        QCOMPARE(picker.dateTime(), QDateTime(Day, QTime(15, 45)));
        QVERIFY(timeBox(picker)->isVisible());
    }

    void valueSetFromOutsideIsNotClampedToTheReference()
    {
        // A past event must load its own end, not today's.
        DateTimePicker start(Qt::Monday);
        DateTimePicker end(Qt::Monday);
        end.setReference(&start);
        start.setDateTime(QDateTime(QDate(2024, 5, 2), QTime(9, 0)));
        end.setDateTime(QDateTime(QDate(2024, 5, 2), QTime(10, 0)));
        QCOMPARE(end.dateTime(), QDateTime(QDate(2024, 5, 2), QTime(10, 0)));
    }

    // March 2026 spans six week rows with Monday first; the styled popup
    // shows the last one whole.
    void datePopupShowsItsLastWeekRow_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }

    void datePopupShowsItsLastWeekRow()
    {
        QFETCH(bool, dark);
        // The program's look: its style, text font and style sheet.
        QApplication::setStyle(new CalendarProxyStyle);
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/IBMPlexSans.ttf"));
        const QFont font = QApplication::font();
        QApplication::setFont(QFont(Theme::defaultFontFamily(), Theme::fontBody()));
        Theme::setMode(dark);
        qApp->setStyleSheet(Theme::stylesheet());
        DateTimePicker picker(Qt::Monday);
        picker.setDateTime(QDateTime(QDate(2026, 3, 31), QTime(9, 0)));
        picker.resize(360, 40);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto *edit = picker.findChild<QDateEdit *>(QStringLiteral("date"));
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 8, edit->height() / 2));
        QCalendarWidget *calendar = edit->calendarWidget();
        QTRY_VERIFY(calendar->isVisible());
        auto *days = calendar->findChild<QTableView *>();
        QVERIFY(days);
        const QModelIndex lastWeek = days->model()->index(days->model()->rowCount() - 1, 0);
        QCOMPARE(days->model()->data(lastWeek).toString(), QStringLiteral("30"));
        // Every row fits, none scrolled out of sight.
        const int rows = days->verticalHeader()->length();
        QVERIFY2(rows <= days->viewport()->height(),
                 qPrintable(QStringLiteral("rows %1 high in %2").arg(rows).arg(days->viewport()->height())));
        calendar->window()->close();
        qApp->setStyleSheet(QString());
        QApplication::setFont(font);
        Theme::setMode(false);
    }

    void popupShowsTheLongestEntryWithTheCurrentOneInView()
    {
        DateTimePicker start(Qt::Monday);
        DateTimePicker end(Qt::Monday);
        start.setDateTime(QDateTime(Day, QTime(0, 0)));
        end.setDateTime(QDateTime(Day, QTime(12, 0)));
        end.setReference(&start);
        end.resize(160, 30);
        end.show();
        timeBox(end)->showPopup();
        QAbstractItemView *list = timeBox(end)->view();
        const int widest = list->fontMetrics().horizontalAdvance(QStringLiteral("11:45 PM  (23 hr 45 min)"));
        QTRY_VERIFY(list->window()->width() >= widest + 48);
        QVERIFY(list->viewport()->rect().contains(list->visualRect(list->currentIndex())));
    }
};

QTEST_MAIN(TestDateTimePicker)
#include "tst_datetimepicker.moc"
