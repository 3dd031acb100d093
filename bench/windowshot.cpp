// Pictures of the running program for a look at its screens without a
// desktop (run under xvfb-run). Run as
//   windowshot seed           stores a day of sample events for today in
//                             the store under CALENDAR_DATA_DIR
//   windowshot shoot <dir>    starts the program as it starts for a user,
//                             then saves day.png (the main window),
//                             popover.png (the first repeating block clicked)
//                             and form.png (the event form on that series)
//   windowshot readme <png>   loads the sample week into the store under
//                             CALENDAR_DATA_DIR, starts the program and
//                             saves its main window in the week view
//                             (the README's picture; see
//                             scripts/readme-screenshot.sh)
//   windowshot lang <code> <dir>
//                             with "ui/language" set to <code> (de, es, fr,
//                             ja, en), loads the sample week and saves
//                             week.png and month.png (the main window),
//                             menu-<n>.png (each menu of the menu bar),
//                             form.png and form-event.png (the event form,
//                             new and on a sample event) and settings.png
//                             (the preferences)
//   windowshot laptop <dir>   loads the sample week and sixty events that
//                             overlap today, then saves the main window at
//                             its default size and maximised on the screen
//                             it has, in the year, day and week views
//                             (year-default.png … week-maximised.png)
//   windowshot help <dir>     runs Help → "Check for Updates…" and
//                             "What's New" against the release server
//                             named by CALENDAR_UPDATE_MANIFEST_URL and
//                             saves update.png and whatsnew.png
#include "app/application.h"
#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "dialogs/accounts/settingsdialog.h"
#include "dialogs/editing/eventformdialog.h"
#include "store/eventrepository.h"
#include "store/sampledata.h"
#include "ui/mainwindow.h"
#include "update/updatedialog.h"
#include "update/whatsnewdialog.h"
#include "views/day/dayview.h"
#include "views/day/daytimelinewidget.h"

#include <QApplication>
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QTimer>
#include <QUuid>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

Event sample(const QString &title, const QDateTime &start, const QDateTime &end)
{
    Event event;
    event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.uid = event.id;
    event.calendar_id = QString::fromLatin1(AppState::LocalCalendarId);
    event.title = title;
    event.start_time = start;
    event.end_time = end;
    return event;
}

int seed(int argc, char **argv)
{
    QApplication app(argc, argv);
    AppState state;
    if (!state.initialize())
        return 1;
    const QDate today = QDate::currentDate();
    QList<Event> events{
        sample(QStringLiteral("Standup"), QDateTime(today, QTime(9, 0)), QDateTime(today, QTime(9, 30))),
        sample(QStringLiteral("Design review"), QDateTime(today, QTime(9, 15)), QDateTime(today, QTime(10, 45))),
        sample(QStringLiteral("Call with Ann"), QDateTime(today, QTime(10, 0)), QDateTime(today, QTime(11, 0))),
        sample(QStringLiteral("Lunch"), QDateTime(today, QTime(12, 30)), QDateTime(today, QTime(13, 30))),
        sample(QStringLiteral("Company holiday planning"), QDateTime(today, QTime(0, 0)),
               QDateTime(today.addDays(1), QTime(0, 0))),
        sample(QStringLiteral("Weekly planning"), QDateTime(today.addDays(-14), QTime(14, 0)),
               QDateTime(today.addDays(-14), QTime(15, 0))),
    };
    events[2].location = QStringLiteral("Room 4");
    events[4].is_all_day = true;
    events[5].recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=30");
    events[5].reminders = {Reminder()};
    events[5].reminders.first().minutes_before = 15;
    for (Event &event : events) {
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        if (!state.events()->insert(event))
            return 1;
    }
    std::printf("stored %d events for %s\n", int(events.size()), qPrintable(today.toString(Qt::ISODate)));
    return 0;
}

// Ends the run when the program came up without its window.
bool windowIsUp(const MainWindow *window, const AppState *state)
{
    if (window && state)
        return true;
    std::fprintf(stderr, "no main window\n");
    QCoreApplication::exit(1);
    return false;
}

void shoot(Application *app, const QString &dir)
{
    MainWindow *window = app->mainWindow();
    AppState *state = app->appState();
    if (!windowIsUp(window, state))
        return;
    // The day page of the view area.
    state->setViewMode(QStringLiteral("day"));
    QCoreApplication::processEvents();
    window->grab().save(dir + QStringLiteral("/day.png"));

    // The first block of a repeating series: its card, then its form.
    DayTimelineWidget *timeline = window->dayView()->timeline();
    std::optional<Event> series;
    for (const EventHitRect &hit : timeline->hitRects()) {
        const std::optional<Event> stored = state->events()->getById(hit.eventId);
        if (!stored || stored->recurrence_rule.isEmpty())
            continue;
        series = stored;
        const QRect screen(timeline->mapToGlobal(hit.rect.topLeft()), hit.rect.size());
        window->dayView()->onEventSelected(hit.eventId, hit.occurrenceStart, screen);
        break;
    }
    QCoreApplication::processEvents();
    window->grab().save(dir + QStringLiteral("/popover.png"));
    if (series) {
        auto *form = new EventFormDialog(state, *series, window);
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        QTimer::singleShot(500, form, [form, dir] {
            form->grab().save(dir + QStringLiteral("/form.png"));
            QCoreApplication::exit(0);
        });
        return;
    }
    QCoreApplication::exit(0);
}

// The sample week in the week view, at the window's default size.
void shootReadme(Application *app, const QString &png, const QSize &size)
{
    MainWindow *window = app->mainWindow();
    AppState *state = app->appState();
    if (!windowIsUp(window, state))
        return;
    SampleData::load(state->recordRepositories());
    window->showNormal();
    window->resize(size);
    state->setViewMode(QStringLiteral("week"));
    state->setCurrentDate(QDate::currentDate());
    // Past the repositories' and panes' coalescing timers.
    QTimer::singleShot(1500, window, [window, png] {
        const bool saved = window->grab().save(png);
        std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(png));
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

bool saveShot(QWidget *widget, const QString &png)
{
    const bool saved = widget->grab().save(png);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(png));
    return saved;
}

// Shows a dialog without a loop of its own, saves it once it has laid out,
// closes it and runs next.
void shootDialog(QDialog *dialog, const QString &png, std::function<void()> next)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    QTimer::singleShot(600, dialog, [dialog, png, next] {
        saveShot(dialog, png);
        // A scrolled page whole, below the part the dialog shows.
        if (auto *scroll = dialog->findChild<QScrollArea *>(); scroll && scroll->widget())
            saveShot(scroll->widget(), QString(png).replace(QStringLiteral(".png"), QStringLiteral("-page.png")));
        dialog->close();
        next();
    });
}

// The screens whose texts change most with the language: the main window in
// the week and month views, its menus, the event form and the preferences.
void shootLanguage(Application *app, const QString &dir)
{
    MainWindow *window = app->mainWindow();
    AppState *state = app->appState();
    if (!windowIsUp(window, state))
        return;
    SampleData::load(state->recordRepositories());
    window->showNormal();
    window->resize(1440, 900);
    state->setViewMode(QStringLiteral("week"));
    state->setCurrentDate(QDate::currentDate());
    QTimer::singleShot(1500, window, [window, state, dir] {
        saveShot(window, dir + QStringLiteral("/week.png"));
        state->setViewMode(QStringLiteral("month"));
        QTimer::singleShot(800, window, [window, state, dir] {
            saveShot(window, dir + QStringLiteral("/month.png"));
            int n = 0;
            for (QAction *entry : window->menuBar()->actions()) {
                if (QMenu *menu = entry->menu()) {
                    menu->adjustSize();
                    saveShot(menu, dir + QStringLiteral("/menu-%1.png").arg(++n));
                }
            }
            std::optional<Event> sample;
            const QDateTime now = QDateTime::currentDateTime();
            for (const Event &event : state->events()->getInRange(now.addDays(-7), now.addDays(7))) {
                if (!event.is_all_day && !event.location.isEmpty()) {
                    sample = event;
                    break;
                }
            }
            shootDialog(new EventFormDialog(state, window), dir + QStringLiteral("/form.png"), [=] {
                auto next = [=] {
                    shootDialog(new SettingsDialog(state, state->themeManager(), window),
                                dir + QStringLiteral("/settings.png"), [] { QCoreApplication::exit(0); });
                };
                if (sample)
                    shootDialog(new EventFormDialog(state, *sample, window), dir + QStringLiteral("/form-event.png"), next);
                else
                    next();
            });
        });
    });
}

// Saves the window in each mode in turn, then runs next.
void shootModes(MainWindow *window, AppState *state, const QStringList &modes, const QString &dir,
                const QString &size, std::function<void()> next)
{
    if (modes.isEmpty()) {
        next();
        return;
    }
    state->setViewMode(modes.first());
    QTimer::singleShot(1000, window, [=] {
        saveShot(window, dir + QStringLiteral("/%1-%2.png").arg(modes.first(), size));
        shootModes(window, state, modes.mid(1), dir, size, next);
    });
}

// The views a small laptop screen shows: the window at the size it opens
// with, then filling the screen (a virtual display has no window manager
// to maximise it).
void shootLaptop(Application *app, const QString &dir)
{
    MainWindow *window = app->mainWindow();
    AppState *state = app->appState();
    if (!windowIsUp(window, state))
        return;
    SampleData::load(state->recordRepositories());
    const QDate today = QDate::currentDate();
    for (int i = 0; i < 60; ++i) {
        const QDateTime start(today, QTime(10, 0).addSecs(60 * i));
        Event event = sample(QStringLiteral("Overlap %1").arg(i + 1), start, start.addSecs(2 * 3600));
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        if (!state->events()->insert(event)) {
            std::fprintf(stderr, "could not store the overlapping events\n");
            QCoreApplication::exit(1);
            return;
        }
    }
    state->setCurrentDate(today);
    const QStringList modes{QStringLiteral("year"), QStringLiteral("day"), QStringLiteral("week")};
    QTimer::singleShot(1500, window, [=] {
        shootModes(window, state, modes, dir, QStringLiteral("default"), [=] {
            window->setGeometry(window->screen()->availableGeometry());
            shootModes(window, state, modes, dir, QStringLiteral("maximised"), [] { QCoreApplication::exit(0); });
        });
    });
}

void triggerHelpEntry(MainWindow *window, const QString &text)
{
    for (QAction *menu : window->menuBar()->actions()) {
        if (!menu->menu())
            continue;
        for (QAction *action : menu->menu()->actions()) {
            if (action->text() == text)
                action->trigger();
        }
    }
}

// Saves the first visible window of type T under the main window once it
// has shown for a second (its release notes loaded), then runs next.
template<typename T>
void saveWhenShown(MainWindow *window, const QString &png, int triesLeft, std::function<void()> next)
{
    T *dialog = window->findChild<T *>();
    if (!dialog || !dialog->isVisible()) {
        if (triesLeft == 0) {
            std::fprintf(stderr, "no dialog for %s\n", qPrintable(png));
            QCoreApplication::exit(1);
            return;
        }
        QTimer::singleShot(200, window, [=] { saveWhenShown<T>(window, png, triesLeft - 1, next); });
        return;
    }
    QTimer::singleShot(1000, dialog, [dialog, png, next] {
        const bool saved = dialog->grab().save(png);
        std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(png));
        dialog->close();
        next();
    });
}

void shootHelp(Application *app, const QString &dir)
{
    MainWindow *window = app->mainWindow();
    if (!windowIsUp(window, app->appState()))
        return;
    triggerHelpEntry(window, QStringLiteral("Check for &Updates…"));
    saveWhenShown<TindUpdate::UpdateDialog>(window, dir + QStringLiteral("/update.png"), 50, [window, dir] {
        triggerHelpEntry(window, QStringLiteral("&What's New"));
        saveWhenShown<TindUpdate::WhatsNewDialog>(window, dir + QStringLiteral("/whatsnew.png"), 50, [window, dir] {
            window->grab().save(dir + QStringLiteral("/window.png"));
            QCoreApplication::exit(0);
        });
    });
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("CALENDAR_NONINTERACTIVE", "1");
    if (argc > 1 && std::strcmp(argv[1], "seed") == 0)
        return seed(argc, argv);
    if (argc > 2 && std::strcmp(argv[1], "shoot") == 0) {
        const QString dir = QString::fromLocal8Bit(argv[2]);
        Application app(argc, argv);
        QTimer::singleShot(3000, &app, [&app, dir] { shoot(&app, dir); });
        return app.run();
    }
    if (argc > 2 && std::strcmp(argv[1], "readme") == 0) {
        const QString png = QString::fromLocal8Bit(argv[2]);
        // A narrower window, for a look at the views at ordinary sizes.
        const int width = argc > 3 ? std::atoi(argv[3]) : 0;
        const QSize size = width > 0 ? QSize(width, width * 900 / 1440) : QSize(1440, 900);
        Application app(argc, argv);
        QTimer::singleShot(3000, &app, [&app, png, size] { shootReadme(&app, png, size); });
        return app.run();
    }
    if (argc > 3 && std::strcmp(argv[1], "lang") == 0) {
        // Read by the application object as it starts.
        QSettings(QStringLiteral("Tindlebrook"), QStringLiteral("Calendar"))
            .setValue(QStringLiteral("ui/language"), QString::fromLatin1(argv[2]));
        const QString dir = QString::fromLocal8Bit(argv[3]);
        Application app(argc, argv);
        QTimer::singleShot(3000, &app, [&app, dir] { shootLanguage(&app, dir); });
        return app.run();
    }
    if (argc > 2 && std::strcmp(argv[1], "laptop") == 0) {
        const QString dir = QString::fromLocal8Bit(argv[2]);
        Application app(argc, argv);
        QTimer::singleShot(3000, &app, [&app, dir] { shootLaptop(&app, dir); });
        return app.run();
    }
    if (argc > 2 && std::strcmp(argv[1], "help") == 0) {
        const QString dir = QString::fromLocal8Bit(argv[2]);
        Application app(argc, argv);
        QTimer::singleShot(3000, &app, [&app, dir] { shootHelp(&app, dir); });
        return app.run();
    }
    std::fprintf(stderr, "usage: %s seed | shoot <dir> | readme <png> [width] | lang <code> <dir> | laptop <dir> | help <dir>\n", argv[0]);
    return 2;
}
