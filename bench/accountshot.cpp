// Adds a CalDAV account the way a user does, for a look at the result
// without a desktop (run under xvfb-run): starts a local Radicale with a
// "Work" calendar holding this week's meetings, starts the program on a
// throw-away data folder, opens "Calendar Accounts…" from the File menu,
// picks "Add Account" > "CalDAV Server…", types the server, user name and
// password, discovers, adds the calendars, and saves pictures along the way:
//   accountshot <dir>   → accounts-before.png, caldav-dialog.png,
//                         accounts-after.png, week.png
#include "app/application.h"
#include "app/appstate.h"
#include "dialogs/accounts/caldavconnectiondialog.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/tempdatadir.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <functional>

namespace {

QByteArray meeting(const QString &uid, const QString &title, const QDateTime &start)
{
    const QString stamp = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//accountshot//EN\r\nBEGIN:VEVENT\r\nUID:%1\r\n"
                          "DTSTAMP:20260101T000000Z\r\nDTSTART:%2\r\nDTEND:%3\r\nSUMMARY:%4\r\nEND:VEVENT\r\n"
                          "END:VCALENDAR\r\n")
        .arg(uid, start.toUTC().toString(stamp), start.addSecs(3600).toUTC().toString(stamp), title)
        .toUtf8();
}

QPushButton *buttonWithText(QWidget *dialog, const QString &text)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->text().remove(QLatin1Char('&')) == text)
            return button;
    }
    return nullptr;
}

bool save(QWidget *widget, const QString &path)
{
    const bool saved = widget->grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

// Runs `step` every 200 ms until it returns true.
void until(std::function<bool()> step)
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
        if (step())
            timer->deleteLater();
    });
    timer->start(200);
}

void drive(Application *app, const RadicaleServer *server, const QString &dir)
{
    MainWindow *window = app->mainWindow();
    window->resize(1440, 900);
    // The accounts dialog: picture, then "Add Account" > "CalDAV Server…".
    until([dir] {
        auto *accounts = qobject_cast<ManageSourcesDialog *>(QApplication::activeModalWidget());
        if (!accounts)
            return false;
        save(accounts, dir + QStringLiteral("/accounts-before.png"));
        QTimer::singleShot(0, accounts, [accounts] {
            auto *add = accounts->findChild<QToolButton *>(QStringLiteral("addAccountButton"));
            for (QAction *action : add->menu()->actions()) {
                if (action->text() == QStringLiteral("CalDAV Server…"))
                    action->trigger();
            }
        });
        return true;
    });
    // The connection dialog: type, discover, picture, add.
    until([server, dir] {
        auto *dialog = qobject_cast<CalDavConnectionDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return false;
        dialog->findChild<QLineEdit *>(QStringLiteral("serverUrl"))->setText(server->baseUrl().toString());
        dialog->findChild<QLineEdit *>(QStringLiteral("username"))->setText(server->user());
        dialog->findChild<QLineEdit *>(QStringLiteral("password"))->setText(server->password());
        dialog->findChild<QLineEdit *>(QStringLiteral("accountName"))->setText(QStringLiteral("Radicale"));
        buttonWithText(dialog, QStringLiteral("Discover Calendars"))->click();
        until([dialog, dir] {
            if (dialog->findChild<QListWidget *>()->count() == 0)
                return false;
            save(dialog, dir + QStringLiteral("/caldav-dialog.png"));
            buttonWithText(dialog, QStringLiteral("Add Calendars"))->click();
            // Back in the accounts dialog, once the first sync had its time.
            QTimer::singleShot(3000, qApp, [dir] {
                auto *accounts = qobject_cast<ManageSourcesDialog *>(QApplication::activeModalWidget());
                if (!accounts) {
                    QCoreApplication::exit(1);
                    return;
                }
                save(accounts, dir + QStringLiteral("/accounts-after.png"));
                buttonWithText(accounts, QStringLiteral("Done"))->click();
            });
            return true;
        });
        return true;
    });
    QTimer::singleShot(0, window, [window] { window->openCalendarAccounts(); });
    // The week with the server's meetings, after the dialog closed.
    until([window, app, dir] {
        if (QApplication::activeModalWidget())
            return false;
        static int waited = 0;
        if (++waited < 10)
            return false;
        app->appState()->setViewMode(QStringLiteral("week"));
        app->appState()->setCurrentDate(QDate::currentDate());
        QTimer::singleShot(1500, window, [window, dir] {
            QCoreApplication::exit(save(window, dir + QStringLiteral("/week.png")) ? 0 : 1);
        });
        return true;
    });
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <dir>\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    TempDataDir data;
    qputenv("CALENDAR_NONINTERACTIVE", "1");
    qputenv("CALENDAR_SECRET_STORE", "file");
    // Nothing leaves this machine: every outside service points at a closed
    // local port.
    for (const char *name : {"CALENDAR_UPDATE_MANIFEST_URL", "AUTH_API_URL", "ACCOUNT_API_URL", "SYNC_API_URL",
                             "ACCOUNT_PORTAL_URL", "WEATHER_FORECAST_URL", "WEATHER_GEOCODING_URL",
                             "GOOGLE_ACCOUNTS_URL", "GOOGLE_TOKEN_URL", "GOOGLE_API_URL"})
        qputenv(name, "http://127.0.0.1:9/");
    Application app(argc, argv);
    RadicaleServer server;
    if (!server.start() || !server.createCalendar(QStringLiteral("work"), QStringLiteral("Work"))) {
        std::fprintf(stderr, "Radicale: %s\n", qPrintable(server.errorText()));
        return 1;
    }
    const QDate monday = QDate::currentDate().addDays(1 - QDate::currentDate().dayOfWeek());
    const QUrl calendar = server.calendarUrl(QStringLiteral("work"));
    server.putIcs(calendar.resolved(QUrl(QStringLiteral("a.ics"))),
                  meeting(QStringLiteral("a"), QStringLiteral("Radicale stand-up"), QDateTime(monday, QTime(9, 0))));
    server.putIcs(calendar.resolved(QUrl(QStringLiteral("b.ics"))),
                  meeting(QStringLiteral("b"), QStringLiteral("Server review"), QDateTime(monday.addDays(2), QTime(14, 0))));
    QTimer::singleShot(3000, &app, [&app, &server, dir] { drive(&app, &server, dir); });
    return app.run();
}
