// Pictures of the filter, calendar group, template and invitation dialogs
// over a few sample rows, for a look without a desktop. Run under xvfb-run
// as `dialogshots <folder>`; each dialog is shown, drawn and saved as a PNG.
#include "app/appstate.h"
#include "dialogs/editing/filterformdialog.h"
#include "dialogs/editing/invitationsdialog.h"
#include "dialogs/editing/managefiltersdialog.h"
#include "dialogs/editing/managetemplatesdialog.h"
#include "dialogs/editing/manageviewsdialog.h"
#include "dialogs/editing/templateeditordialog.h"
#include "dialogs/editing/viewformdialog.h"
#include "store/accountrepository.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/templaterepository.h"
#include "store/viewrepository.h"
#include "tests/support/widgetfixture.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <cstdio>

namespace {

QDateTime inDays(int days, int hour)
{
    return QDateTime(QDate::currentDate().addDays(days), QTime(hour, 0));
}

void seed(WidgetFixture &fixture)
{
    AppState *state = fixture.state();
    Account work;
    work.id = QStringLiteral("work-account");
    work.name = QStringLiteral("Work");
    work.type = AccountType::CalDav;
    work.username = QStringLiteral("alice@example.com");
    if (!state->accounts()->insert(work))
        qFatal("setup write refused");
    fixture.addCalendar(QStringLiteral("team"), QStringLiteral("Team"), QStringLiteral("#0F9D58"), true, work.id);
    fixture.addCalendar(QStringLiteral("oncall"), QStringLiteral("On call"), QStringLiteral("#DB4437"), true, work.id);
    for (int day = 0; day < 20; ++day) {
        fixture.addEvent(WidgetFixture::timedEvent(day % 2 ? QStringLiteral("Standup") : QStringLiteral("Team lunch"),
                                                   inDays(day, 9), inDays(day, 10), QStringLiteral("team")));
    }
    Event invite = WidgetFixture::timedEvent(QStringLiteral("Quarterly roadmap"), inDays(2, 14), inDays(2, 15),
                                             QStringLiteral("team"));
    invite.location = QStringLiteral("Room 4.12");
    invite.organizer_name = QStringLiteral("Bob Stone");
    Attendee me;
    me.email = QStringLiteral("Alice@Example.com");
    invite.attendees = {me};
    fixture.addEvent(invite);
    Event answered = invite;
    answered.id.clear();
    answered.uid.clear();
    answered.title = QStringLiteral("Design review");
    answered.start_time = inDays(-3, 11);
    answered.end_time = inDays(-3, 12);
    answered.attendees.first().status = QStringLiteral("accepted");
    fixture.addEvent(answered);

    const QList<QStringList> rules = {{"Hide standups", "pattern", "hide"},
                                      {"Dim birthdays", "all_day", "dim"},
                                      {"Early calls", "time", "dim"}};
    int priority = 10;
    for (const QStringList &r : rules) {
        FilterRule rule;
        rule.id = r.at(0);
        rule.name = r.at(0);
        rule.type = r.at(1);
        rule.action = r.at(2);
        rule.priority = priority += 10;
        rule.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["standup"]})");
        if (!state->filterRules()->insert(rule))
            qFatal("setup write refused");
    }
    for (const QString &name : {QStringLiteral("Work"), QStringLiteral("Travel")}) {
        CalendarView group;
        group.id = name.toLower();
        group.name = name;
        group.color = name == QLatin1String("Work") ? QStringLiteral("#F4B400") : QString();
        if (name == QLatin1String("Work"))
            group.calendar_ids = QStringLiteral("[\"team\",\"oncall\"]");
        group.sort_order = 1;
        if (!state->views()->insert(group))
            qFatal("setup write refused");
    }
    EventTemplate tpl;
    tpl.name = QStringLiteral("Standup");
    tpl.title = QStringLiteral("Daily standup");
    tpl.color = QStringLiteral("#0F9D58");
    tpl.recurrence_rule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR");
    tpl.reminders = {5, 45};
    if (!state->templates()->insert(tpl))
        qFatal("setup write refused");
}

void save(QWidget *dialog, const QString &folder, const char *name)
{
    dialog->show();
    QTest::qWait(200);
    const QString path = QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    const bool saved = dialog->grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
    dialog->hide();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialogshots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    WidgetFixture fixture;
    if (!fixture.isReady())
        return 1;
    seed(fixture);
    AppState *state = fixture.state();

    FilterFormDialog filter(state);
    filter.findChild<QLineEdit *>(QStringLiteral("filterName"))->setText(QStringLiteral("Hide lunches"));
    QTest::keyClicks(filter.findChild<QLineEdit *>(QStringLiteral("titleContains")), QStringLiteral("lunch"));
    save(&filter, folder, "filter-pattern");
    filter.findChild<QToolButton *>(QStringLiteral("type_time"))->click();
    save(&filter, folder, "filter-time");
    filter.findChild<QToolButton *>(QStringLiteral("type_all_day"))->click();
    save(&filter, folder, "filter-allday");
    FilterFormDialog specific(state);
    specific.setSpecificEvent(state->events()->getInRange(inDays(0, 0), inDays(2, 0)).value(0));
    save(&specific, folder, "filter-specific");
    ManageFiltersDialog filters(state);
    save(&filters, folder, "manage-filters");
    ManageViewsDialog groups(state);
    save(&groups, folder, "manage-groups");
    ViewFormDialog group(state, *state->views()->getById(QStringLiteral("work")));
    save(&group, folder, "group-form");
    ViewFormDialog newGroup(state);
    save(&newGroup, folder, "group-new");
    ManageTemplatesDialog templates(state);
    save(&templates, folder, "manage-templates");
    TemplateEditorDialog editor(state, state->templates()->getAll().value(0));
    save(&editor, folder, "template-editor");
    InvitationsDialog invitations(state);
    save(&invitations, folder, "invitations");
    return 0;
}
