// Saves pictures of the main window with its sidebar, agenda, tasks and
// reminders panes over the sample data (plus nested tasks and reminders), so
// the panes can be looked at without a desktop. Run under xvfb-run; the
// pictures go to the folder given as the first argument (default "."). With
// "long" as the second argument the panes hold long lists, caught while a
// reload fills them and scrolled to their ends.
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "calendar/icscodec.h"
#include "store/preferencesrepository.h"
#include "store/sampledata.h"
#include "store/taskrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/mainwindow.h"
#include "ui/panes/agendalistwidget.h"
#include "ui/panes/reminderspane.h"
#include "ui/panes/taskspane.h"
#include "ui/sidebar/detachedagendawindow.h"
#include "ui/sidebar/detachedwindows.h"
#include "ui/sidebar/sidebar.h"

namespace {

void loadFonts()
{
    const QString dir = QStringLiteral(TINDLE_SOURCE_DIR "/fonts/");
    QFontDatabase::addApplicationFont(dir + QStringLiteral("IBMPlexSans-Regular.ttf"));
    const int icons = QFontDatabase::addApplicationFont(dir + QStringLiteral("MaterialIcons-Regular.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(icons);
    if (!families.isEmpty())
        Theme::setFontFamily(families.first());
    QApplication::setFont(QFont(Theme::defaultFontFamily(), Theme::fontBody()));
}

Task makeTask(const QString &title, const QString &calendarId, const QString &parentUid, int priority,
              std::optional<QDateTime> due, const QString &type = QStringLiteral("task"))
{
    Task task;
    task.id = QStringLiteral("shot-") + title;
    task.uid = task.id;
    task.calendar_id = calendarId;
    task.title = title;
    task.parent_task_uid = parentUid;
    task.priority = priority;
    task.due_date = due;
    task.item_type = type;
    task.created = QDateTime::currentDateTimeUtc();
    task.last_modified = task.created;
    task.raw_icalendar = IcsCodec::buildTodo(task);
    return task;
}

void addExtras(AppState *state)
{
    TaskRepository *tasks = state->tasks();
    const QString calendar = QStringLiteral("sample-cal-personal");
    const QDate today = QDate::currentDate();
    if (!tasks->insert(makeTask(QStringLiteral("Plan the garden"), calendar, QString(), 2,
                               QDateTime(today.addDays(2), QTime(0, 0)))))
        qFatal("setup write refused");
    if (!tasks->insert(makeTask(QStringLiteral("Order seeds"), calendar, QStringLiteral("shot-Plan the garden"), 5,
                               QDateTime(today.addDays(1), QTime(0, 0)))))
        qFatal("setup write refused");
    if (!tasks->insert(makeTask(QStringLiteral("Compare tomato varieties"), calendar, QStringLiteral("shot-Order seeds"), 0,
                               std::nullopt)))
        qFatal("setup write refused");
    if (!tasks->insert(makeTask(QStringLiteral("Call the plumber"), calendar, QString(), 0,
                               QDateTime(today, QTime(16, 0)), QStringLiteral("reminder"))))
        qFatal("setup write refused");
    if (!tasks->insert(makeTask(QStringLiteral("Renew the passport"), calendar, QString(), 0,
                               QDateTime(today.addDays(-2), QTime(9, 0)), QStringLiteral("reminder"))))
        qFatal("setup write refused");
    if (!tasks->insert(makeTask(QStringLiteral("Book dentist"), calendar, QString(), 0,
                               QDateTime(today.addDays(5), QTime(10, 0)), QStringLiteral("reminder"))))
        qFatal("setup write refused");
    if (!tasks->insert(makeTask(QStringLiteral("Water the plants"), calendar, QString(), 0, std::nullopt,
                               QStringLiteral("reminder"))))
        qFatal("setup write refused");
}

// Long lists: 300 tasks (roots with a child and a grandchild) and 300
// reminders, some titles long enough to wrap.
void addLongLists(AppState *state)
{
    TaskRepository *tasks = state->tasks();
    const QStringList calendars{QStringLiteral("sample-cal-personal"), QStringLiteral("sample-cal-work")};
    const QDate today = QDate::currentDate();
    for (int i = 0; i < 100; ++i) {
        const QString calendar = calendars.at(i % 2);
        QString title = QStringLiteral("Long list task %1").arg(i);
        if (i % 7 == 0)
            title += QStringLiteral(" whose title runs on long enough to wrap onto a second line");
        if (!tasks->insert(makeTask(title, calendar, QString(), i % 9, std::nullopt)))
            qFatal("setup write refused");
        const QString child = QStringLiteral("Step %1.1").arg(i);
        if (!tasks->insert(makeTask(child, calendar, QStringLiteral("shot-") + title, 0,
                                   QDateTime(today.addDays(i % 10 - 3), QTime(0, 0)))))
            qFatal("setup write refused");
        if (!tasks->insert(makeTask(QStringLiteral("Step %1.1.1").arg(i), calendar, QStringLiteral("shot-") + child, 0,
                                   std::nullopt)))
            qFatal("setup write refused");
    }
    for (int i = 0; i < 300; ++i) {
        QString title = QStringLiteral("Long list reminder %1").arg(i);
        if (i % 11 == 0)
            title += QStringLiteral(" with words enough to take a second line");
        std::optional<QDateTime> due;
        if (i % 4 != 3)
            due = QDateTime(today.addDays(i % 4 - 1), QTime(i % 24, 0));
        if (!tasks->insert(makeTask(title, calendars.at(i % 2), QString(), 0, due, QStringLiteral("reminder"))))
            qFatal("setup write refused");
    }
}

void scrollToBottom(QWidget *pane)
{
    if (auto *scroll = pane->findChild<QScrollArea *>())
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    loadFonts();
    WidgetFixture fixture;
    if (!fixture.isReady())
        return 1;
    AppState *state = fixture.state();
    SampleData::load(state->recordRepositories());
    addExtras(state);
    const bool longLists = argc > 2 && QByteArray(argv[2]) == "long";
    if (longLists)
        addLongLists(state);
    QApplication::setStyle(QApplication::style());
    qApp->setStyleSheet(Theme::stylesheet());

    MainWindow window(state);
    window.resize(1440, 900);
    window.show();
    int status = 0;
    const auto save = [&out, &status](QWidget *widget, const char *name) {
        if (!widget->grab().save(out + QLatin1Char('/') + QLatin1String(name)))
            status = 2;
    };
    QTimer::singleShot(1500, &app, [&] {
        save(&window, "mainwindow.png");
        save(window.sidebar(), "sidebar.png");
        save(window.tasksPane(), "taskspane.png");
        save(window.remindersPane(), "reminderspane.png");
        window.tasksPane()->setGroupByCalendar(false);
        window.tasksPane()->setShowCategories(true);
        // The pane reads beside the window: the rows change when it returns.
        if (!QTest::qWaitFor([&window] { return !window.tasksPane()->isLoading(); }, 5000))
            status = 3;
        QApplication::processEvents();
        save(window.tasksPane(), "taskspane-ungrouped.png");
        window.tasksPane()->setGroupByCalendar(true);
        window.tasksPane()->setShowCategories(false);
        DetachedAgendaWindow *agenda = window.detachedWindows()->openAgenda();
        QTimer::singleShot(500, &app, [&app, &save, &window, &status, agenda, longLists] {
            save(agenda, "detachedagenda.png");
            if (longLists) {
                // A reload that replaces the long list, caught while its rows
                // come, then both panes scrolled to their ends.
                RemindersPane *reminders = window.remindersPane();
                reminders->reload();
                if (!QTest::qWaitFor([reminders] { return reminders->rows().size() > 20 && reminders->isLoading(); },
                                     5000))
                    status = 4;
                save(reminders, "reminderspane-filling.png");
                if (!QTest::qWaitFor([reminders] { return !reminders->isLoading(); }, 5000))
                    status = 5;
                scrollToBottom(reminders);
                scrollToBottom(window.tasksPane());
                QApplication::processEvents();
                save(reminders, "reminderspane-end.png");
                save(window.tasksPane(), "taskspane-end.png");
            }
            app.quit();
        });
    });
    app.exec();
    return status;
}
