#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class AppState;
struct Event;
class Notifier;
class QSystemTrayIcon;
class QTimer;
struct Notification;

// Turns due event and task reminders into messages for the user. It reads
// the reminder tables itself every 30 seconds and marks a reminder as
// acknowledged only once its message reached the user; a recurring event
// reminds before every occurrence. A click on a message leads to the event.
class NotificationService : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // Messages through the tray, the desktop's notification service or the
    // program's window, whichever is there; polling starts at once.
    NotificationService(AppState *state, QSystemTrayIcon *tray, QObject *parent = nullptr);
    // Messages through the given notifier, which must outlive the service;
    // polling waits for start().
    NotificationService(AppState *state, Notifier *notifier, QObject *parent = nullptr);

    // A pass every 30 s, the first 2 s from now.
    void start();
    // The current local time; replaceable for tests.
    void setClock(Clock clock);

public Q_SLOTS:
    void poll();
    void showTestReminder();

Q_SIGNALS:
    void reminderClicked(const QString &eventId, const QDate &date);

private:
    struct Pass;

    void connectNotifier();
    void onActivated(const QVariant &context);
    bool pollEvents(const std::shared_ptr<Pass> &pass);
    void pollSeries(const std::shared_ptr<Pass> &pass, const QString &reminderId, const QString &eventId,
                    int minutesBefore, const QDateTime &trigger);
    void pollTasks(const std::shared_ptr<Pass> &pass);
    void deliver(const std::shared_ptr<Pass> &pass, const QString &key, const Notification &notification,
                 std::function<void(bool)> onResult);
    void finishIfDone(const std::shared_ptr<Pass> &pass);
    void acknowledge(const QString &table, const QStringList &ids);
    void moveTrigger(const QString &reminderId, const QDateTime &trigger);
    QList<Event> overridesOf(const std::shared_ptr<Pass> &pass, const Event &master) const;
    QString eventBody(int minutesBefore, const QDateTime &start, const QString &location) const;
    QString localTime(const QDateTime &value) const;

    AppState *m_state;
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
};
