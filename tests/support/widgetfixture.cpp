#include "tests/support/widgetfixture.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QUuid>
#include <QWidget>

#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"

#include <ctime>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

WidgetFixture::WidgetFixture()
    : m_state(std::make_unique<AppState>())
    , m_now(QDate(2026, 3, 10), QTime(9, 30))
{
    m_ready = m_dir.isValid() && m_state->initialize();
    if (m_ready)
        QVERIFY(m_state->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true));
}

WidgetFixture::~WidgetFixture() = default;

void WidgetFixture::pinTimeZone(const QByteArray &zone)
{
    qputenv("TZ", zone);
    tzset();
}

Database *WidgetFixture::db() const
{
    return m_state->database();
}

std::function<QDateTime()> WidgetFixture::clock() const
{
    const WidgetFixture *self = this;
    return [self] { return self->m_now; };
}

QString WidgetFixture::addAccount(const QString &type)
{
    Account account;
    account.id = QStringLiteral("account-") + type;
    account.name = type;
    setTypeText(account, type);
    account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
    if (!m_state->accounts()->insert(account))
        qFatal("setup write refused");
    return account.id;
}

Calendar WidgetFixture::addCalendar(const QString &id, const QString &name, const QString &color, bool visible,
                                    const QString &accountId)
{
    Calendar calendar;
    calendar.id = id;
    calendar.account_id = accountId.isEmpty() ? QString::fromLatin1(AppState::LocalAccountId) : accountId;
    calendar.url = QStringLiteral("local://") + id;
    calendar.name = name;
    calendar.color = color;
    calendar.is_visible = visible;
    if (!m_state->calendars()->insert(calendar))
        qFatal("setup write refused");
    return calendar;
}

Event WidgetFixture::timedEvent(const QString &title, const QDateTime &start, const std::optional<QDateTime> &end,
                                const QString &calendarId)
{
    Event event;
    event.title = title;
    event.calendar_id = calendarId.isEmpty() ? QString::fromLatin1(AppState::LocalCalendarId) : calendarId;
    event.start_time = start;
    event.end_time = end;
    return event;
}

Event WidgetFixture::allDayEvent(const QString &title, const QDate &first, const QDate &endExclusive,
                                 const QString &calendarId)
{
    Event event = timedEvent(title, QDateTime(first, QTime(0, 0)), QDateTime(endExclusive, QTime(0, 0)), calendarId);
    event.is_all_day = true;
    return event;
}

Event WidgetFixture::addEvent(Event event)
{
    if (event.id.isEmpty())
        event.id = newId();
    if (event.uid.isEmpty())
        event.uid = event.id;
    if (event.raw_icalendar.isEmpty())
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
    if (!m_state->events()->insert(event))
        return Event();
    return storedEvent(event.id);
}

Event WidgetFixture::storedEvent(const QString &id) const
{
    return m_state->events()->getById(id).value_or(Event());
}

Task WidgetFixture::addTask(const QString &title, const QString &calendarId)
{
    Task task;
    task.id = newId();
    task.uid = newId();
    // An untitled task has an empty title, never a missing one.
    task.title = title.isNull() ? QStringLiteral("") : title;
    task.calendar_id = calendarId.isEmpty() ? QString::fromLatin1(AppState::LocalCalendarId) : calendarId;
    task.raw_icalendar = IcsCodec::buildTodo(task);
    if (!m_state->tasks()->insert(task))
        qFatal("setup write refused");
    return m_state->tasks()->getById(task.id).value_or(Task());
}

bool WidgetFixture::drop(QWidget *target, const QPoint &pos, const QMimeData *mime)
{
    // A drop reaches the widget that accepted the drag's entry.
    QDragEnterEvent enter(pos, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(pos), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

bool WidgetFixture::waitForEventsChanged()
{
    QSignalSpy spy(m_state->events(), &EventRepository::eventsChanged);
    return spy.wait(20000);
}

bool WidgetFixture::failEventWrites()
{
    QSqlQuery query(db()->database());
    return query.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_event_update BEFORE UPDATE ON events "
                                     "BEGIN SELECT RAISE(ABORT, 'disk full'); END"))
           && query.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_event_insert BEFORE INSERT ON events "
                                        "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
}

bool WidgetFixture::failWritesTo(const QString &table)
{
    QSqlQuery query(db()->database());
    const QString trigger =
        QStringLiteral("CREATE TEMP TRIGGER refuse_%1_%2 BEFORE %2 ON %1 BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    return query.exec(trigger.arg(table, QStringLiteral("INSERT"))) && query.exec(trigger.arg(table, QStringLiteral("UPDATE")));
}

bool WidgetFixture::allowInsertsInto(const QString &table)
{
    QSqlQuery query(db()->database());
    return query.exec(QStringLiteral("DROP TRIGGER refuse_%1_INSERT").arg(table));
}
