// Saves pictures of the main window with its sidebar, agenda, tasks and
// reminders panes over the sample data (plus nested tasks and reminders), so
// the panes can be looked at without a desktop. Run under xvfb-run; the
// pictures go to the folder given as the first argument (default ".").
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
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
    tasks->insert(makeTask(QStringLiteral("Plan the garden"), calendar, QString(), 2,
                           QDateTime(today.addDays(2), QTime(0, 0))));
    tasks->insert(makeTask(QStringLiteral("Order seeds"), calendar, QStringLiteral("shot-Plan the garden"), 5,
                           QDateTime(today.addDays(1), QTime(0, 0))));
    tasks->insert(makeTask(QStringLiteral("Compare tomato varieties"), calendar, QStringLiteral("shot-Order seeds"), 0,
                           std::nullopt));
    tasks->insert(makeTask(QStringLiteral("Call the plumber"), calendar, QString(), 0,
                           QDateTime(today, QTime(16, 0)), QStringLiteral("reminder")));
    tasks->insert(makeTask(QStringLiteral("Renew the passport"), calendar, QString(), 0,
                           QDateTime(today.addDays(-2), QTime(9, 0)), QStringLiteral("reminder")));
    tasks->insert(makeTask(QStringLiteral("Book dentist"), calendar, QString(), 0,
                           QDateTime(today.addDays(5), QTime(10, 0)), QStringLiteral("reminder")));
    tasks->insert(makeTask(QStringLiteral("Water the plants"), calendar, QString(), 0, std::nullopt,
                           QStringLiteral("reminder")));
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
    SampleData::load({state->database(), state->accounts(), state->calendars(), state->events(), state->tasks()});
    addExtras(state);
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
        QTimer::singleShot(500, &app, [&app, &save, agenda] {
            save(agenda, "detachedagenda.png");
            app.quit();
        });
    });
    app.exec();
    return status;
}
