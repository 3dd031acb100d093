#include "store/sampledata.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QStringList>

#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"

namespace SampleData {

namespace {

const char AccountId[] = "sample-account";

struct SampleCalendar
{
    const char *id;
    const char *name;
    const char *color;
};

const SampleCalendar Calendars[] = {
    {"sample-cal-work", "Work", "#1565C0"},
    {"sample-cal-personal", "Personal", "#2E7D32"},
    {"sample-cal-family", "Family", "#E65100"},
    {"sample-cal-birthdays", "Birthdays", "#6A1B9A"},
};

QString calendarId(const char *name)
{
    return QStringLiteral("sample-cal-") + QString::fromLatin1(name);
}

QString line(const QString &name, const QString &value)
{
    return name + QLatin1Char(':') + value + QStringLiteral("\r\n");
}

// Text values are escaped as iCalendar TEXT, so a comma in a description
// stays part of it for every reader.
QString sampleEventIcs(const Event &event)
{
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
                                  "BEGIN:VEVENT\r\n");
    text += line(QStringLiteral("UID"), event.uid);
    text += line(QStringLiteral("SUMMARY"), IcsCodec::escapeText(event.title));
    if (event.is_all_day) {
        text += line(QStringLiteral("DTSTART;VALUE=DATE"), event.start_time.toLocalTime().toString(QStringLiteral("yyyyMMdd")));
        if (event.end_time)
            text += line(QStringLiteral("DTEND;VALUE=DATE"), event.end_time->toLocalTime().toString(QStringLiteral("yyyyMMdd")));
    } else {
        const QString format = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");
        text += line(QStringLiteral("DTSTART"), event.start_time.toUTC().toString(format));
        if (event.end_time)
            text += line(QStringLiteral("DTEND"), event.end_time->toUTC().toString(format));
    }
    if (!event.location.isEmpty())
        text += line(QStringLiteral("LOCATION"), IcsCodec::escapeText(event.location));
    if (!event.description.isEmpty())
        text += line(QStringLiteral("DESCRIPTION"), IcsCodec::escapeText(event.description));
    if (!event.recurrence_rule.isEmpty())
        text += line(QStringLiteral("RRULE"), event.recurrence_rule);
    text += QStringLiteral("END:VEVENT\r\nEND:VCALENDAR\r\n");
    return text;
}

QString sampleTaskIcs(const Task &task)
{
    QString text = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
                                  "BEGIN:VTODO\r\n");
    text += line(QStringLiteral("UID"), task.uid);
    text += line(QStringLiteral("SUMMARY"), IcsCodec::escapeText(task.title));
    text += line(QStringLiteral("STATUS"), toText(task.status).toUpper());
    if (task.priority > 0)
        text += line(QStringLiteral("PRIORITY"), QString::number(task.priority));
    if (task.due_date)
        text += line(QStringLiteral("DUE"), task.due_date->toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
    text += QStringLiteral("END:VTODO\r\nEND:VCALENDAR\r\n");
    return text;
}

bool ensureSampleAccount(const Repositories &store)
{
    if (store.accounts->getById(QString::fromLatin1(AccountId)))
        return true;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    Account account;
    account.id = QString::fromLatin1(AccountId);
    account.name = QStringLiteral("Sample Data");
    account.type = AccountType::Tindlebrook;
    account.color = QStringLiteral("#9E9E9E");
    account.sync_interval_minutes = 0;
    account.enabled = true;
    account.created_at = now;
    account.updated_at = now;
    return store.accounts->insert(account);
}

int ensureSampleCalendars(const Repositories &store)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    int inserted = 0;
    for (const SampleCalendar &sample : Calendars) {
        const QString id = QString::fromLatin1(sample.id);
        if (store.calendars->getById(id))
            continue;
        Calendar calendar;
        calendar.id = id;
        calendar.account_id = QString::fromLatin1(AccountId);
        calendar.url = QStringLiteral("local://calendar/") + id;
        calendar.name = QString::fromLatin1(sample.name);
        calendar.color = QString::fromLatin1(sample.color);
        calendar.timezone = QStringLiteral("UTC");
        calendar.is_visible = true;
        calendar.is_read_only = false;
        calendar.is_default = false;
        calendar.created_at = now;
        calendar.updated_at = now;
        if (store.calendars->insert(calendar))
            ++inserted;
    }
    return inserted;
}

// Adds the sample row `fill` completes, unless its id is stored already (a
// second load adds nothing). Every sample row has a fixed id, also its uid,
// and is made and changed now, in step with no server. 1 when it added one.
template <typename Row, typename Rows, typename Fill>
int addSample(Rows *rows, const char *idPrefix, const char *key, const char *calendar, const QString &title,
              Fill fill)
{
    const QString id = QLatin1String(idPrefix) + QLatin1String(key);
    if (rows->getById(id))
        return 0;
    Row row;
    row.id = id;
    row.uid = id;
    row.calendar_id = calendarId(calendar);
    row.title = title;
    row.created = QDateTime::currentDateTimeUtc();
    row.last_modified = row.created;
    row.sync_status = SyncStatus::Synced;
    fill(row);
    return rows->insert(row) ? 1 : 0;
}

struct EventSpec
{
    const char *key;
    const char *calendar;
    QString title;
    QDateTime start;
    QDateTime end;
    bool allDay;
    QString location;
    QString description;
    QString rule;
};

int addSampleEvent(const Repositories &store, const EventSpec &spec)
{
    return addSample<Event>(store.events, "sample-event-", spec.key, spec.calendar, spec.title, [&spec](Event &event) {
        event.start_time = spec.start;
        event.end_time = spec.end;
        event.is_all_day = spec.allDay;
        event.location = spec.location;
        event.description = spec.description;
        event.recurrence_rule = spec.rule;
        event.timezone = QStringLiteral("UTC");
        event.status = QStringLiteral("confirmed");
        event.raw_icalendar = sampleEventIcs(event);
    });
}

struct TaskSpec
{
    const char *key;
    const char *calendar;
    QString title;
    std::optional<QDateTime> due;
    int priority;
    bool completed;
};

int addSampleTask(const Repositories &store, const TaskSpec &spec)
{
    return addSample<Task>(store.tasks, "sample-task-", spec.key, spec.calendar, spec.title, [&spec](Task &task) {
        task.due_date = spec.due;
        task.priority = spec.priority;
        if (spec.completed) {
            task.status = TaskStatus::Completed;
            task.percent_complete = 100;
            task.completed_date = task.created;
        } else {
            task.status = TaskStatus::NeedsAction;
        }
        task.raw_icalendar = sampleTaskIcs(task);
    });
}

} // namespace

int load(const Repositories &store)
{
    if (!ensureSampleAccount(store))
        return 0;
    int count = ensureSampleCalendars(store);

    const QDate d = QDate::currentDate();
    auto at = [&d](int offset, int hour, int minute) { return QDateTime(d.addDays(offset), QTime(hour, minute)); };
    const QString none;

    const QList<EventSpec> events = {
        {"yesterday-retro", "work", QStringLiteral("Sprint retrospective"), at(-1, 15, 0), at(-1, 16, 0), false,
         none, QStringLiteral("Review what went well and what to improve"), none},
        {"today-deadline", "work", QStringLiteral("Project Phoenix deadline"), at(0, 0, 0), at(1, 0, 0), true,
         none, QStringLiteral("Final submission for Project Phoenix"), none},
        {"today-run", "personal", QStringLiteral("Morning run"), at(0, 6, 30), at(0, 7, 15), false, none, none, none},
        {"today-standup", "work", QStringLiteral("Team standup"), at(0, 9, 0), at(0, 9, 30), false, none, none,
         QStringLiteral("FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR")},
        {"today-design", "work", QStringLiteral("Design review"), at(0, 10, 30), at(0, 11, 30), false, none,
         QStringLiteral("Review new dashboard mockups with design team"), none},
        {"today-lunch", "personal", QStringLiteral("Lunch with Priya"), at(0, 12, 0), at(0, 13, 0), false,
         QStringLiteral("Juniper Table, 14 Alder Street"), none, none},
        {"today-sprint", "work", QStringLiteral("Sprint planning"), at(0, 14, 0), at(0, 15, 30), false, none,
         QStringLiteral("Plan next sprint priorities and assignments"), none},
        {"today-yoga", "personal", QStringLiteral("Yoga class"), at(0, 17, 30), at(0, 18, 30), false,
         QStringLiteral("Willow Breath Yoga Studio"), none, QStringLiteral("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE,FR")},
        {"today-date", "family", QStringLiteral("Date night"), at(0, 19, 0), at(0, 21, 0), false,
         QStringLiteral("Osteria Lanterna"), none, none},
        {"tom-client", "work", QStringLiteral("Client presentation"), at(1, 10, 0), at(1, 11, 0), false,
         QStringLiteral("Conference Room B"),
         QStringLiteral("Quarterly progress presentation for Harbourline Logistics"), none},
        {"tom-dentist", "personal", QStringLiteral("Dentist appointment"), at(1, 14, 0), at(1, 15, 0), false,
         QStringLiteral("Dr. Okafor Family Dentistry"), none, none},
        {"d2-1on1", "work", QStringLiteral("1:1 with manager"), at(2, 11, 0), at(2, 11, 30), false, none, none,
         QStringLiteral("FREQ=WEEKLY")},
        {"d2-pickup", "family", QStringLiteral("Pick up kids"), at(2, 15, 45), at(2, 16, 15), false,
         QStringLiteral("Maplewood Elementary School"), none, QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE,FR")},
        {"d3-bookclub", "personal", QStringLiteral("Book club"), at(3, 19, 0), at(3, 21, 0), false,
         QStringLiteral("Downtown Library"), none, QStringLiteral("FREQ=MONTHLY;BYDAY=1TH")},
        {"d5-happy-hour", "work", QStringLiteral("Happy hour"), at(5, 17, 0), at(5, 19, 0), false,
         QStringLiteral("The Copper Kettle"), none, none},
        {"d5-birthday", "family", QStringLiteral("Theo's birthday party"), at(5, 15, 0), at(5, 18, 0), false,
         QStringLiteral("27 Birchwood Lane"), QStringLiteral("Bring a wrapped gift and swimsuit"), none},
        {"d2-redeye", "personal", QStringLiteral("Red-eye to Tokyo (multi-day timed)"), at(2, 21, 30),
         at(4, 6, 15), false, QStringLiteral("SFO → NRT"), none, none},
        {"d6-conf", "work", QStringLiteral("DevHarbor Summit 2026 (multi-day all-day)"), at(6, 0, 0), at(9, 0, 0),
         true, QStringLiteral("Riverside Convention Hall"), QStringLiteral("Three-day conference, badge required"),
         none},
    };
    for (const EventSpec &spec : events)
        count += addSampleEvent(store, spec);

    const QList<TaskSpec> tasks = {
        {"review-mockups", "work", QStringLiteral("Review design mockups"), at(1, 17, 0), 5, false},
        {"q1-report", "work", QStringLiteral("Prepare Q1 report"), at(-2, 17, 0), 2, false},
        {"anniversary", "family", QStringLiteral("Book restaurant for anniversary"), at(7, 17, 0), 4, false},
        {"buy-gift", "family", QStringLiteral("Buy birthday gift for Mom"), at(14, 17, 0), 3, false},
        {"dentist-followup", "personal", QStringLiteral("Schedule dentist follow-up"), at(12, 12, 0), 8, false},
        {"buy-milk", "personal", QStringLiteral("Buy milk"), std::nullopt, 0, false},
        {"renew-license", "personal", QStringLiteral("Renew driver's license"), at(30, 17, 0), 5, false},
        {"old-completed", "work", QStringLiteral("File expense report"), at(-3, 17, 0), 5, true},
    };
    for (const TaskSpec &spec : tasks)
        count += addSampleTask(store, spec);
    return count;
}

int clear(const Repositories &store)
{
    QSqlDatabase db = store.database->database();
    auto run = [&db](const QString &sql) {
        QSqlQuery query(db);
        if (!query.prepare(sql) || !query.exec())
            return 0;
        return qMax(0, query.numRowsAffected());
    };

    // Reminders or attendees added to a sample event since it was loaded
    // would otherwise make the events statement fail as a whole (foreign
    // keys), leaving every sample row in place.
    const QString sampleEvents = QStringLiteral("SELECT id FROM events WHERE id LIKE 'sample-event-%'");
    for (const char *child : {"reminders", "attendees", "attachments"})
        run(QStringLiteral("DELETE FROM %1 WHERE event_id IN (%2)").arg(QLatin1String(child), sampleEvents));

    int count = 0;
    count += run(QStringLiteral("DELETE FROM events WHERE id LIKE 'sample-event-%'"));
    count += run(QStringLiteral("DELETE FROM tasks WHERE id LIKE 'sample-task-%'"));
    // A sample calendar that now holds the user's own items stays, with the
    // account; the empty ones go (one statement for all of them would fail
    // as a whole and keep every one).
    count += run(QStringLiteral("DELETE FROM calendars WHERE id LIKE 'sample-cal-%' "
                                "AND id NOT IN (SELECT calendar_id FROM events) "
                                "AND id NOT IN (SELECT calendar_id FROM tasks)"));
    const int accounts = run(QStringLiteral("DELETE FROM accounts WHERE id = 'sample-account' "
                                            "AND id NOT IN (SELECT account_id FROM calendars)"));
    count += accounts;

    Q_EMIT store.calendars->calendarsChanged();
    if (accounts > 0)
        Q_EMIT store.accounts->accountsChanged();
    store.events->notifyChanged(QString());
    store.tasks->notifyChanged(QString());
    return count;
}

} // namespace SampleData
