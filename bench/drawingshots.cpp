// Saves what the themed widgets look like, light and dark, as PNG files for
// a person to look at: combo and spin box arrows, the date popup, the
// welcome dialog's first frame, dialog buttons, a menu with a disabled
// entry, the day view's all-day strip beside the scroll bar, and the in-app
// reminder box. Not a test: it asserts nothing.
//   drawingshots <folder>

#include "app/application.h"
#include "app/appstate.h"
#include "app/notifications/inappnotifier.h"
#include "app/theme/thememanager.h"
#include "dialogs/accounts/welcomedialog.h"
#include "tests/support/widgetfixture.h"
#include "ui/pickers/datetimepicker.h"
#include "ui/pickers/timecombobox.h"
#include "views/day/dayview.h"
#include "views/week/weekview.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFormLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace {

QString g_folder;

void save(QWidget *widget, const QString &name)
{
    widget->grab().save(g_folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QTest::qWait(20);
}

void shootFields(const QString &mode)
{
    QWidget panel;
    auto *form = new QFormLayout(&panel);
    auto *combo = new QComboBox(&panel);
    combo->addItems({QStringLiteral("Personal"), QStringLiteral("Work")});
    form->addRow(QStringLiteral("Combo"), combo);
    auto *time = new TimeComboBox(&panel);
    time->setEditable(true);
    time->addItems({QStringLiteral("9:00 AM"), QStringLiteral("9:30 AM")});
    form->addRow(QStringLiteral("Editable"), time);
    auto *off = new QComboBox(&panel);
    off->addItem(QStringLiteral("Disabled"));
    off->setEnabled(false);
    form->addRow(QStringLiteral("Disabled"), off);
    auto *spin = new QSpinBox(&panel);
    spin->setValue(15);
    form->addRow(QStringLiteral("Spin"), spin);
    auto *date = new QDateEdit(QDate(2026, 3, 10), &panel);
    date->setCalendarPopup(true);
    form->addRow(QStringLiteral("Date"), date);
    panel.resize(320, 220);
    panel.show();
    settle();
    save(&panel, QStringLiteral("fields-") + mode);
}

void shootDatePopup(const QString &mode)
{
    // March 2026 has six week rows with Monday first.
    DateTimePicker picker(Qt::Monday);
    picker.setDateTime(QDateTime(QDate(2026, 3, 31), QTime(9, 0)));
    picker.resize(360, 40);
    picker.show();
    settle();
    auto *edit = picker.findChild<QDateEdit *>(QStringLiteral("date"));
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 8, edit->height() / 2));
    settle();
    if (QWidget *popup = QApplication::activePopupWidget()) {
        save(popup, QStringLiteral("datepopup-") + mode);
        popup->close();
    }
}

void shootMessageBox(const QString &mode)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Delete event?"),
                    QStringLiteral("Delete \"Standup\"? You can undo with Ctrl+Z."),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    box.show();
    settle();
    save(&box, QStringLiteral("buttons-") + mode);
}

void shootMenu(const QString &mode)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Edit…"));
    menu.addAction(QStringLiteral("Delete"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("Create filter from this event…"))->setEnabled(false);
    menu.popup(QPoint(100, 100));
    settle();
    save(&menu, QStringLiteral("menu-") + mode);
    menu.close();
}

void shootDayView(WidgetFixture &fixture, const QString &mode)
{
    DayView view(fixture.state());
    view.resize(520, 420);
    view.show();
    settle();
    save(&view, QStringLiteral("dayview-") + mode);
    WeekView week(fixture.state(), true);
    week.resize(760, 420);
    week.show();
    settle();
    save(&week, QStringLiteral("weekview-") + mode);
}

void shootReminder(const QString &mode)
{
    QMainWindow host;
    host.resize(640, 400);
    host.show();
    settle();
    InAppNotifier notifier;
    Notification reminder;
    reminder.title = QStringLiteral("Team standup");
    reminder.body = QStringLiteral("Starts in 5 minutes (5:30 AM)");
    notifier.notify(reminder, [](bool) {});
    settle();
    if (auto *box = host.findChild<QMessageBox *>()) {
        save(box, QStringLiteral("reminder-") + mode);
        box->close();
    }
}

} // namespace

int main(int argc, char **argv)
{
    WidgetFixture::pinTimeZone("UTC");
    qputenv("CALENDAR_NONINTERACTIVE", "1");
    Application app(argc, argv);
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(g_folder);
    WidgetFixture fixture;
    if (!fixture.isReady())
        return 1;
    const QDate today = QDate::currentDate();
    fixture.addEvent(WidgetFixture::allDayEvent(QStringLiteral("Conference in Lisbon"), today, today.addDays(1)));
    fixture.addEvent(WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(today, QTime(9, 0)),
                                               QDateTime(today, QTime(9, 30))));
    // The first frame, as at start-up: nothing has had a turn of the loop.
    for (const QString &mode : {QStringLiteral("light"), QStringLiteral("dark")}) {
        fixture.state()->themeManager()->setMode(mode);
        WelcomeDialog welcome(fixture.state());
        welcome.show();
        save(&welcome, QStringLiteral("welcome-") + mode);
    }
    for (const QString &mode : {QStringLiteral("light"), QStringLiteral("dark")}) {
        fixture.state()->themeManager()->setMode(mode);
        shootFields(mode);
        shootDatePopup(mode);
        shootMessageBox(mode);
        shootMenu(mode);
        shootDayView(fixture, mode);
        shootReminder(mode);
    }
    return 0;
}
