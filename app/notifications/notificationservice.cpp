#include "app/notifications/notificationservice.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include "app/notifications/notifier.h"
#include "app/notifications/reminderseries.h"
#include "calendar/timeformat.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/database.h"
#include "store/reminderrepository.h"
#include "store/remindersettler.h"
#include "store/storedtime.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int PollIntervalMs = 30000;
constexpr int FirstPollMs = 2000;
constexpr int MessageTimeoutMs = 15000;
// Reminders of items that began longer ago than this are stale.
constexpr qint64 StaleAfterSeconds = 1800;
// A pass works through its reminders in slices this long, handing the event
// loop back between them: a store with many overdue series keeps the window
// answering.
constexpr qint64 SliceNs = 4 * 1000 * 1000;

// Keys of messages on their way, by table.
const QString kEvents = QStringLiteral("reminders");
const QString kTasks = QStringLiteral("task_reminders");

QVariant clickTarget(const QString &eventId, const QDate &date)
{
    return QVariantMap{{QStringLiteral("eventId"), eventId}, {QStringLiteral("date"), date}};
}

QVariant taskClickTarget(const QString &taskUid)
{
    return QVariantMap{{QStringLiteral("taskUid"), taskUid}};
}

} // namespace

// What one polling pass showed, collected until every message has answered.
struct NotificationService::Pass
{
    struct Series
    {
        QDateTime storedTrigger;
        // The trigger as stored: the write changes the row only if it still
        // holds it.
        QString storedText;
        // The reminder of the next occurrence; invalid when the series ended.
        QDateTime nextTrigger;
        QList<QDateTime> undelivered;
    };

    // The instant the pass reads "now" as, from its first slice to its last.
    QDateTime now;
    QList<ReminderRepository::EventRow> rows;
    int nextRow = 0;
    QList<ReminderRepository::Ack> eventAcks;
    QList<ReminderRepository::Ack> taskAcks;
    QHash<QString, Series> series;
    // Ids of moved occurrences by series uid and calendar.
    QHash<QString, QStringList> overrideIds;
    bool overridesRead = false;
    int pending = 0;
    int undelivered = 0;
    bool sealed = false;
};

NotificationService::NotificationService(Database *database, EventRepository *events,
                                         PreferencesRepository *preferences, Notifier *notifier, QObject *parent)
    : QObject(parent)
    , m_events(events)
    , m_preferences(preferences)
    , m_reminders(database ? std::make_unique<ReminderRepository>(database) : nullptr)
    , m_notifier(notifier)
    , m_timer(new QTimer(this))
    , m_clock([] { return QDateTime::currentDateTime(); })
{
    m_timer->setInterval(PollIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &NotificationService::poll);
    connectNotifier();
    if (database && ReminderSettler::canWrite(database->path())) {
        m_settler = new ReminderSettler(database->path(), this);
        connect(m_settler, &ReminderSettler::settled, this,
                [this](bool, const ReminderSettler::Work &rest) { onSettled(rest); });
    }
}

NotificationService::~NotificationService()
{
    if (!m_settler)
        return;
    // A write already begun is finished; one still waiting for the lock is
    // made here instead, so quitting loses no acknowledgement.
    QList<ReminderSettler::Work> rest = m_queued;
    const ReminderSettler::Work running = m_settler->stop();
    if (!running.isEmpty())
        rest.prepend(running);
    for (const ReminderSettler::Work &work : std::as_const(rest))
        settleHere(work);
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
    const QString taskUid = target.value(QStringLiteral("taskUid")).toString();
    if (!taskUid.isEmpty())
        Q_EMIT taskReminderClicked(taskUid);
}

QString NotificationService::localTime(const QDateTime &value) const
{
    const bool use24Hour =
        m_preferences && TimeFormat::isTwentyFourHour(m_preferences->get(QString::fromLatin1(TimeFormat::SettingKey)));
    return TimeFormat::formatTimeWith(value.toLocalTime(), use24Hour);
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

bool NotificationService::isSettling() const
{
    return (m_settler && m_settler->isRunning()) || !m_queued.isEmpty();
}

void NotificationService::poll()
{
    // A pass still working through its slices is not doubled.
    if (!m_reminders || !m_notifier || m_passRunning)
        return;
    // The pass reads what the last one wrote.
    if (isSettling()) {
        m_pollWanted = true;
        return;
    }
    auto pass = std::make_shared<Pass>();
    pass->now = m_clock();
    const QDateTime cut = pass->now.addSecs(-StaleAfterSeconds);
    for (auto it = m_shownOccurrences.begin(); it != m_shownOccurrences.end();) {
        if (it.value() <= cut)
            it = m_shownOccurrences.erase(it);
        else
            ++it;
    }

    // A failed event query ends the pass before anything is shown.
    QString error;
    std::optional<QList<ReminderRepository::EventRow>> rows = m_reminders->eventRemindersDue(pass->now, cut, &error);
    if (!rows) {
        qWarning().noquote() << "NotificationService poll failed:" << error;
        return;
    }
    pass->rows = std::move(*rows);
    m_passRunning = true;
    const bool series = std::any_of(pass->rows.cbegin(), pass->rows.cend(),
                                    [](const ReminderRepository::EventRow &row) { return row.recurring; });
    if (!series) {
        pollSlice(pass);
        return;
    }
    // The moved occurrences of every series are one read of all events:
    // the read above, that one and each slice take an event-loop turn of
    // their own.
    QTimer::singleShot(0, this, [this, pass] {
        pass->overridesRead = true;
        pass->overrideIds = m_reminders->movedOccurrenceIds();
        QTimer::singleShot(0, this, [this, pass] { pollSlice(pass); });
    });
}

void NotificationService::pollSlice(const std::shared_ptr<Pass> &pass)
{
    QElapsedTimer clock;
    clock.start();
    while (pass->nextRow < pass->rows.size() && clock.nsecsElapsed() < SliceNs)
        pollEvent(pass, pass->rows.at(pass->nextRow++));
    if (pass->nextRow < pass->rows.size()) {
        // Destroying the service drops the rest of the pass with it.
        QTimer::singleShot(0, this, [this, pass] { pollSlice(pass); });
        return;
    }
    pass->rows.clear();
    pollTasks(pass);
    pass->sealed = true;
    m_passRunning = false;
    finishIfDone(pass);
    Q_EMIT passFinished();
}

void NotificationService::pollEvent(const std::shared_ptr<Pass> &pass, const ReminderRepository::EventRow &row)
{
    const QDateTime now = pass->now;
    const QDateTime cut = now.addSecs(-StaleAfterSeconds);
    if (m_inFlight.contains(kEvents + row.id))
        return;
    const QDateTime trigger = StoredTime::parse(row.trigger);
    if (row.recurring) {
        pollSeries(pass, row, trigger);
        return;
    }
    const QDateTime start = StoredTime::parse(row.start);
    if (!trigger.isValid() || trigger > now || !start.isValid() || !(start > cut))
        return;

    Notification message;
    message.title = row.title.isEmpty() ? tr("Reminder") : row.title;
    message.body = eventBody(row.minutesBefore, start, row.location);
    message.timeoutMs = MessageTimeoutMs;
    message.context = clickTarget(row.eventId, start.toLocalTime().date());
    const ReminderRepository::Ack ack{row.id, row.trigger};
    deliver(pass, kEvents + ack.reminderId, message, [pass, ack](bool delivered) {
        if (delivered)
            pass->eventAcks.append(ack);
    });
}

QList<Event> NotificationService::overridesOf(const std::shared_ptr<Pass> &pass, const Event &master) const
{
    // Moved occurrences of every series, found with one read per pass.
    if (!pass->overridesRead) {
        pass->overridesRead = true;
        pass->overrideIds = m_reminders->movedOccurrenceIds();
    }
    QList<Event> overrides;
    const QStringList ids = pass->overrideIds.value(master.uid + QLatin1Char('|') + master.calendar_id);
    for (const QString &id : ids) {
        if (id == master.id)
            continue;
        if (const std::optional<Event> moved = m_events->getById(id))
            overrides.append(*moved);
    }
    return overrides;
}

// A recurring event's reminder stands for every occurrence: its stored
// trigger is that of the next occurrence not yet shown, and it is moved on
// instead of being acknowledged.
void NotificationService::pollSeries(const std::shared_ptr<Pass> &pass, const ReminderRepository::EventRow &row,
                                     const QDateTime &trigger)
{
    const QString &reminderId = row.id;
    const QString &eventId = row.eventId;
    const int minutesBefore = row.minutesBefore;
    const QDateTime now = pass->now;
    if (!trigger.isValid() || trigger > now || !m_events)
        return;
    const std::optional<Event> master = m_events->getById(eventId);
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
    series.storedText = row.trigger;
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
    const QDateTime now = pass->now;
    const QDateTime cut = now.addSecs(-StaleAfterSeconds);
    QString error;
    const std::optional<QList<ReminderRepository::TaskRow>> rows = m_reminders->taskRemindersDue(now, cut, &error);
    if (!rows) {
        qWarning().noquote() << "NotificationService task poll failed:" << error;
        return;
    }

    for (const ReminderRepository::TaskRow &row : *rows) {
        const ReminderRepository::Ack ack{row.id, row.trigger};
        if (m_inFlight.contains(kTasks + ack.reminderId))
            continue;
        const QString title = row.title;
        const QDateTime due = StoredTime::parse(row.due);
        const bool dateOnly = row.dueIsDateOnly;
        const int minutesBefore = row.minutesBefore;
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
        // Clicking the message opens the task itself.
        message.context = taskClickTarget(row.taskUid);
        deliver(pass, kTasks + ack.reminderId, message, [pass, ack](bool delivered) {
            if (delivered)
                pass->taskAcks.append(ack);
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

    QList<ReminderRepository::Ack> eventAcks = pass->eventAcks;
    QList<ReminderRepository::Move> moves;
    for (auto it = pass->series.cbegin(); it != pass->series.cend(); ++it) {
        const Pass::Series &series = it.value();
        // An occurrence that could not be shown keeps the reminder on it, so
        // the next pass tries again while it is not stale.
        const QDateTime next = series.undelivered.isEmpty()
                                   ? series.nextTrigger
                                   : *std::min_element(series.undelivered.cbegin(), series.undelivered.cend());
        if (!next.isValid())
            eventAcks.append({it.key(), series.storedText});
        else if (StoredTime::instant(next) != StoredTime::instant(series.storedTrigger))
            moves.append({it.key(), next, series.storedText});
    }
    // One write for the whole pass; a failed statement still leaves the
    // others to be kept.
    write({eventAcks, pass->taskAcks, moves});

    const bool failed = pass->undelivered > 0;
    if (failed && !m_lastPassFailed)
        qWarning().noquote() << "[Notifications]" << pass->undelivered
                             << "reminder(s) could not be shown (no tray, desktop notification service or "
                                "visible window); they are kept and tried again";
    m_lastPassFailed = failed;
}

void NotificationService::settleHere(const ReminderSettler::Work &work)
{
    // Nobody to show it to: an acknowledgement the store refused only means
    // the reminder may show once more.
    if (!m_reminders->settle(work.eventAcks, work.taskAcks, work.moves))
        qWarning() << "NotificationService: could not record" << work.eventAcks.size() + work.taskAcks.size()
                   << "acknowledged reminder(s)";
}

void NotificationService::write(const ReminderSettler::Work &work)
{
    if (work.isEmpty())
        return;
    if (!m_settler) {
        settleHere(work);
        Q_EMIT settled();
        return;
    }
    if (isSettling())
        m_queued.append(work);
    else
        m_settler->settle(work);
}

void NotificationService::onSettled(const ReminderSettler::Work &rest)
{
    // What the thread could not write is written here, as it always was.
    if (!rest.isEmpty())
        settleHere(rest);
    if (!m_queued.isEmpty()) {
        m_settler->settle(m_queued.takeFirst());
        return;
    }
    Q_EMIT settled();
    if (std::exchange(m_pollWanted, false))
        poll();
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
