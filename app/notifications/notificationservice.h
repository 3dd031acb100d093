#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariant>

#include "store/reminderrepository.h"
#include "store/remindersettler.h"

#include <functional>
#include <memory>

class Database;
struct Event;
class EventRepository;
class Notifier;
class PreferencesRepository;
class QTimer;
struct Notification;

// Turns due event and task reminders into messages for the user. Every 30
// seconds it reads the reminders that can be due, works through them in
// slices of a few milliseconds so the window keeps answering, and marks one as
// acknowledged only once its message reached the user; a recurring event
// reminds before every occurrence. What a pass settled is written on a thread
// of its own; the next pass waits for that write. A click on a message leads
// to the event.
class NotificationService : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // Reminders of the store behind `database` (series read through
    // `events`), times in the format chosen in `preferences`; messages go
    // through `notifier`, which must outlive the service. Polling waits for
    // start(). The store must outlive the service.
    NotificationService(Database *database, EventRepository *events, PreferencesRepository *preferences,
                        Notifier *notifier, QObject *parent = nullptr);
    ~NotificationService() override;

    // A pass every 30 s, the first 2 s from now.
    void start();
    // The current local time; replaceable for tests.
    void setClock(Clock clock);
    // A pass's outcome is being written (or waits to be).
    bool isSettling() const;

public Q_SLOTS:
    void poll();
    void showTestReminder();

Q_SIGNALS:
    void reminderClicked(const QString &eventId, const QDate &date);
    void taskReminderClicked(const QString &taskUid);
    // A pass has gone through every reminder it read (messages may still be
    // on their way).
    void passFinished();
    // What passes settled so far is in the store.
    void settled();

private:
    struct Pass;

    void connectNotifier();
    void onActivated(const QVariant &context);
    void pollSlice(const std::shared_ptr<Pass> &pass);
    void pollEvent(const std::shared_ptr<Pass> &pass, const ReminderRepository::EventRow &row);
    void pollSeries(const std::shared_ptr<Pass> &pass, const ReminderRepository::EventRow &row,
                    const QDateTime &trigger);
    void pollTasks(const std::shared_ptr<Pass> &pass);
    void deliver(const std::shared_ptr<Pass> &pass, const QString &key, const Notification &notification,
                 std::function<void(bool)> onResult);
    void finishIfDone(const std::shared_ptr<Pass> &pass);
    void write(const ReminderSettler::Work &work);
    void settleHere(const ReminderSettler::Work &work);
    void onSettled(const ReminderSettler::Work &rest);
    QList<Event> overridesOf(const std::shared_ptr<Pass> &pass, const Event &master) const;
    QString eventBody(int minutesBefore, const QDateTime &start, const QString &location) const;
    QString localTime(const QDateTime &value) const;

    EventRepository *m_events;
    PreferencesRepository *m_preferences;
    std::unique_ptr<ReminderRepository> m_reminders;
    // Null for a database in memory: passes write through m_reminders then.
    ReminderSettler *m_settler = nullptr;
    // Outcomes waiting for the write before them.
    QList<ReminderSettler::Work> m_queued;
    // A poll came while a write ran: it runs once the write is in.
    bool m_pollWanted = false;
    Notifier *m_notifier;
    QTimer *m_timer;
    Clock m_clock;
    // Reminders whose message is on its way; a pass leaves them alone.
    QSet<QString> m_inFlight;
    // Occurrences of recurring events already shown in this session, by
    // reminder and start, so an edit that rewinds a series' reminder does not
    // show them again.
    QHash<QString, QDateTime> m_shownOccurrences;
    bool m_lastPassFailed = false;
    bool m_passRunning = false;
};
