#include "app/notificationservice.h"

#include <QDebug>
#include <QPointer>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include "app/appstate.h"
#include "app/desktopnotifier.h"
#include "app/notifier.h"
#include "app/reminderseries.h"
#include "app/timeformatsetting.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/savepoint.h"
#include "store/storedtime.h"

#include <algorithm>

namespace {

constexpr int PollIntervalMs = 30000;
constexpr int FirstPollMs = 2000;
constexpr int MessageTimeoutMs = 15000;
// Reminders of items that began longer ago than this are stale.
constexpr qint64 StaleAfterSeconds = 1800;

const QString kEvents = QStringLiteral("reminders");
const QString kTasks = QStringLiteral("task_reminders");

QVariant clickTarget(const QString &eventId, const QDate &date)
{
    return QVariantMap{{QStringLiteral("eventId"), eventId}, {QStringLiteral("date"), date}};
}

} // namespace

// What one polling pass showed, collected until every message has answered.
struct NotificationService::Pass
{
    struct Series
    {
        QDateTime storedTrigger;
        // The reminder of the next occurrence; invalid when the series ended.
        QDateTime nextTrigger;
        QList<QDateTime> undelivered;
    };

    QStringList eventAcks;
    QStringList taskAcks;
    QHash<QString, Series> series;
    // Ids of moved occurrences by series uid and calendar.
    QHash<QString, QStringList> overrideIds;
    bool overridesRead = false;
    int pending = 0;
    int undelivered = 0;
    bool sealed = false;
};

NotificationService::NotificationService(AppState *state, QSystemTrayIcon *tray, QObject *parent)
    : NotificationService(state, static_cast<Notifier *>(nullptr), parent)
{
    m_notifier = new DesktopNotifier(tray, this);
    connectNotifier();
    start();
}

NotificationService::NotificationService(AppState *state, Notifier *notifier, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_notifier(notifier)
    , m_timer(new QTimer(this))
    , m_clock([] { return QDateTime::currentDateTime(); })
{
    m_timer->setInterval(PollIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &NotificationService::poll);
    connectNotifier();
}

void NotificationService::connectNotifier()
{
    if (m_notifier)
        connect(m_notifier, &Notifier::activated, this, &NotificationService::onActivated, Qt::UniqueConnection);
}

void NotificationService::start()
{
    m_timer->start();
    QTimer::singleShot(FirstPollMs, this, &NotificationService::poll);
}

void NotificationService::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void NotificationService::onActivated(const QVariant &context)
{
    const QVariantMap target = context.toMap();
    const QString eventId = target.value(QStringLiteral("eventId")).toString();
    if (!eventId.isEmpty())
        Q_EMIT reminderClicked(eventId, target.value(QStringLiteral("date")).toDate());
}

QString NotificationService::localTime(const QDateTime &value) const
{
    return TimeFormat::formatTime(m_state, value.toLocalTime());
}

QString NotificationService::eventBody(int minutesBefore, const QDateTime &start, const QString &location) const
{
    const QString time = localTime(start);
    QString body;
    if (minutesBefore == 0)
        body = tr("Starting now (%1)").arg(time);
    else if (minutesBefore < 60)
        body = tr("In %1 minutes (%2)").arg(minutesBefore).arg(time);
    else if (minutesBefore < 1440)
        body = tr("In %1h (%2)").arg(minutesBefore / 60).arg(time);
    else
        body = tr("Tomorrow at %1").arg(time);
    if (!location.isEmpty())
        body += QStringLiteral(" · ") + location;
    return body;
}

void NotificationService::poll()
{
    if (!m_state || !m_state->database() || !m_notifier)
        return;
    auto pass = std::make_shared<Pass>();
    const QDateTime cut = m_clock().addSecs(-StaleAfterSeconds);
    for (auto it = m_shownOccurrences.begin(); it != m_shownOccurrences.end();) {
        if (it.value() <= cut)
            it = m_shownOccurrences.erase(it);
        else
            ++it;
    }

    // A failed event query ends the pass before anything is shown.
    if (!pollEvents(pass))
        return;
    pollTasks(pass);
    pass->sealed = true;
    finishIfDone(pass);
}

bool NotificationService::pollEvents(const std::shared_ptr<Pass> &pass)
{
    QSqlQuery query(m_state->database()->database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
            "SELECT r.id, e.title, e.start_time, e.location, r.minutes_before, "
            "       r.trigger_time, e.id, e.recurrence_rule FROM reminders r JOIN events e ON r.event_id = e.id "
            "WHERE r.acknowledged = 0 AND e.deleted_at IS NULL ORDER BY r.trigger_time ASC"))) {
        qWarning().noquote() << "NotificationService poll failed:" << query.lastError().text();
        return false;
    }

    const QDateTime now = m_clock();
    const QDateTime cut = now.addSecs(-StaleAfterSeconds);
    while (query.next()) {
        const QString reminderId = query.value(0).toString();
        if (m_inFlight.contains(kEvents + reminderId))
            continue;
        const QString title = query.value(1).toString();
        const QDateTime start = StoredTime::parse(query.value(2).toString());
        const QString location = query.value(3).toString();
        const int minutesBefore = query.value(4).toInt();
        const QDateTime trigger = StoredTime::parse(query.value(5).toString());
        const QString eventId = query.value(6).toString();

        if (!query.value(7).toString().isEmpty()) {
            pollSeries(pass, reminderId, eventId, minutesBefore, trigger);
            continue;
        }
        if (!trigger.isValid() || trigger > now || !start.isValid() || !(start > cut))
            continue;

        Notification message;
        message.title = title.isEmpty() ? tr("Reminder") : title;
        message.body = eventBody(minutesBefore, start, location);
        message.timeoutMs = MessageTimeoutMs;
        message.context = clickTarget(eventId, start.toLocalTime().date());
        deliver(pass, kEvents + reminderId, message, [pass, reminderId](bool delivered) {
            if (delivered)
                pass->eventAcks.append(reminderId);
        });
    }
    return true;
}

QList<Event> NotificationService::overridesOf(const std::shared_ptr<Pass> &pass, const Event &master) const
{
    // Moved occurrences of every series, found with one scan per pass.
    if (!pass->overridesRead) {
        pass->overridesRead = true;
        QSqlQuery query(m_state->database()->database());
        query.setForwardOnly(true);
        if (query.exec(QStringLiteral("SELECT id, master_event_uid, calendar_id FROM events "
                                      "WHERE master_event_uid IS NOT NULL AND master_event_uid <> '' "
                                      "AND deleted_at IS NULL"))) {
            while (query.next()) {
                pass->overrideIds[query.value(1).toString() + QLatin1Char('|') + query.value(2).toString()]
                    .append(query.value(0).toString());
            }
        }
    }
    QList<Event> overrides;
    const QStringList ids = pass->overrideIds.value(master.uid + QLatin1Char('|') + master.calendar_id);
    for (const QString &id : ids) {
        if (id == master.id)
            continue;
        if (const std::optional<Event> moved = m_state->events()->getById(id))
            overrides.append(*moved);
    }
    return overrides;
}

// A recurring event's reminder stands for every occurrence: its stored
// trigger is that of the next occurrence not yet shown, and it is moved on
// instead of being acknowledged.
void NotificationService::pollSeries(const std::shared_ptr<Pass> &pass, const QString &reminderId,
                                     const QString &eventId, int minutesBefore, const QDateTime &trigger)
{
    const QDateTime now = m_clock();
    if (!trigger.isValid() || trigger > now || !m_state->events())
        return;
    const std::optional<Event> master = m_state->events()->getById(eventId);
    if (!master || master->recurrence_rule.isEmpty())
        return;
    const QList<Event> overrides = overridesOf(pass, *master);
    const qint64 offset = 60LL * minutesBefore;

    // Due: not yet handled, reminding at or before now, and not stale.
    const QDateTime cut = now.addSecs(-StaleAfterSeconds);
    const QDateTime from = std::max(trigger.addSecs(offset), cut.addMSecs(1));
    const QDateTime to = now.addSecs(offset).addMSecs(1);
    const QList<Event> due = from < to ? ReminderSeries::startingIn(*master, overrides, from, to) : QList<Event>();

    Pass::Series series;
    series.storedTrigger = trigger;
    if (const std::optional<Event> next = ReminderSeries::firstAfter(*master, overrides, now.addSecs(offset)))
        series.nextTrigger = next->start_time.addSecs(-offset);
    pass->series.insert(reminderId, series);

    for (const Event &occurrence : due) {
        const QString shownKey = reminderId + QLatin1Char('|')
                                 + QString::number(occurrence.start_time.toMSecsSinceEpoch());
        if (m_shownOccurrences.contains(shownKey))
            continue;
        Notification message;
        message.title = occurrence.title.isEmpty() ? tr("Reminder") : occurrence.title;
        message.body = eventBody(minutesBefore, occurrence.start_time, occurrence.location);
        message.timeoutMs = MessageTimeoutMs;
        message.context = clickTarget(occurrence.id, occurrence.start_time.toLocalTime().date());
        const QDateTime start = occurrence.start_time;
        const QDateTime occurrenceTrigger = start.addSecs(-offset);
        QPointer<NotificationService> self(this);
        deliver(pass, kEvents + reminderId, message,
                [self, pass, reminderId, shownKey, start, occurrenceTrigger](bool delivered) {
                    if (delivered)
                        self->m_shownOccurrences.insert(shownKey, start);
                    else
                        pass->series[reminderId].undelivered.append(occurrenceTrigger);
                });
    }
}

void NotificationService::pollTasks(const std::shared_ptr<Pass> &pass)
{
    QSqlQuery query(m_state->database()->database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
            "SELECT tr.id, t.title, t.due_date, t.due_is_date_only,        tr.minutes_before "
            "FROM task_reminders tr JOIN tasks t ON tr.task_id = t.id WHERE tr.acknowledged = 0 "
            "AND t.deleted_at IS NULL AND t.due_date IS NOT NULL AND t.status NOT IN ('completed', "
            "'cancelled') ORDER BY t.due_date ASC"))) {
        qWarning().noquote() << "NotificationService task poll failed:" << query.lastError().text();
        return;
    }

    const QDateTime now = m_clock();
    const QDateTime cut = now.addSecs(-StaleAfterSeconds);
    while (query.next()) {
        const QString reminderId = query.value(0).toString();
        if (m_inFlight.contains(kTasks + reminderId))
            continue;
        const QString title = query.value(1).toString();
        const QDateTime due = StoredTime::parse(query.value(2).toString());
        const bool dateOnly = query.value(3).toInt() != 0;
        const int minutesBefore = query.value(4).toInt();
        if (!due.isValid() || due.addSecs(-60LL * minutesBefore) > now || !(due > cut))
            continue;

        Notification message;
        message.title = title.isEmpty() ? tr("Reminder") : title;
        if (dateOnly)
            message.body = minutesBefore != 0 ? tr("Due soon") : tr("Due today");
        else
            message.body = minutesBefore != 0 ? tr("Due soon (%1)").arg(localTime(due))
                                              : tr("Due now (%1)").arg(localTime(due));
        message.timeoutMs = MessageTimeoutMs;
        // A task has no event to open: clicking its message does nothing.
        message.context = clickTarget(QString(), due.toLocalTime().date());
        deliver(pass, kTasks + reminderId, message, [pass, reminderId](bool delivered) {
            if (delivered)
                pass->taskAcks.append(reminderId);
        });
    }
}

void NotificationService::deliver(const std::shared_ptr<Pass> &pass, const QString &key,
                                  const Notification &notification, std::function<void(bool)> onResult)
{
    m_inFlight.insert(key);
    ++pass->pending;
    QPointer<NotificationService> self(this);
    m_notifier->notify(notification, [self, pass, key, onResult = std::move(onResult)](bool delivered) {
        if (!self)
            return;
        self->m_inFlight.remove(key);
        onResult(delivered);
        if (!delivered)
            ++pass->undelivered;
        --pass->pending;
        self->finishIfDone(pass);
    });
}

void NotificationService::finishIfDone(const std::shared_ptr<Pass> &pass)
{
    if (!pass->sealed || pass->pending > 0)
        return;

    // One write for the whole pass; a failed statement still leaves the
    // others to be kept.
    SavePoint write(m_state->database()->database(), QStringLiteral("reminder_pass"));
    QStringList eventAcks = pass->eventAcks;
    for (auto it = pass->series.cbegin(); it != pass->series.cend(); ++it) {
        const Pass::Series &series = it.value();
        // An occurrence that could not be shown keeps the reminder on it, so
        // the next pass tries again while it is not stale.
        const QDateTime next = series.undelivered.isEmpty()
                                   ? series.nextTrigger
                                   : *std::min_element(series.undelivered.cbegin(), series.undelivered.cend());
        if (!next.isValid())
            eventAcks.append(it.key());
        else if (StoredTime::instant(next) != StoredTime::instant(series.storedTrigger))
            moveTrigger(it.key(), next);
    }
    if (!eventAcks.isEmpty())
        acknowledge(kEvents, eventAcks);
    if (!pass->taskAcks.isEmpty())
        acknowledge(kTasks, pass->taskAcks);
    if (write.isActive() && !write.release())
        qWarning().noquote() << "NotificationService::acknowledge failed:" << write.errorText();

    const bool failed = pass->undelivered > 0;
    if (failed && !m_lastPassFailed)
        qWarning().noquote() << "[Notifications]" << pass->undelivered
                             << "reminder(s) could not be shown (no tray, desktop notification service or "
                                "visible window); they are kept and tried again";
    m_lastPassFailed = failed;
}

void NotificationService::acknowledge(const QString &table, const QStringList &ids)
{
    QStringList marks;
    for (qsizetype i = 0; i < ids.size(); ++i)
        marks.append(QStringLiteral("?"));
    QSqlQuery update(m_state->database()->database());
    update.prepare(QStringLiteral("UPDATE %1 SET acknowledged = 1 WHERE id IN (%2)")
                       .arg(table, marks.join(QLatin1Char(','))));
    for (const QString &id : ids)
        update.addBindValue(id);
    if (!update.exec())
        qWarning().noquote() << "NotificationService ack failed for" << table << ":"
                             << update.lastError().text();
}

void NotificationService::moveTrigger(const QString &reminderId, const QDateTime &trigger)
{
    QSqlQuery update(m_state->database()->database());
    update.prepare(QStringLiteral("UPDATE reminders SET trigger_time = ? WHERE id = ?"));
    update.addBindValue(StoredTime::instant(trigger));
    update.addBindValue(reminderId);
    if (!update.exec())
        qWarning().noquote() << "NotificationService::moveTrigger failed:" << update.lastError().text();
}

void NotificationService::showTestReminder()
{
    if (!m_notifier)
        return;
    Notification message;
    message.title = tr("Test reminder");
    message.body = tr("If you can see this, your desktop notifications are wired up correctly. Real reminders "
                      "look just like this one.");
    message.timeoutMs = MessageTimeoutMs;
    message.context = clickTarget(QString(), QDate());
    m_notifier->notify(message, [](bool delivered) {
        if (!delivered)
            qWarning().noquote() << "[Notifications] the test reminder could not be shown: no tray, desktop "
                                    "notification service or visible window";
    });
}
