#pragma once

#include "store/task.h"
#include "store/tasksyncbase.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

class Database;
class QTimer;

// Access to `tasks` and their alarms in `task_reminders`.
// Changes are announced through one coalesced signal carrying the calendar of
// the last write.
class TaskRepository : public QObject
{
    Q_OBJECT
public:
    explicit TaskRepository(Database *db, QObject *parent = nullptr);

    // Reads for display skip tombstones.
    std::optional<Task> getByUid(const QString &uid) const;
    QList<Task> getByCalendar(const QString &calendarId) const;
    QList<Task> getInRange(const QDateTime &from, const QDateTime &to,
                           const QStringList &calendarIds = {}) const;

    // Look-ups for editing and sync return tombstones too.
    std::optional<Task> getById(const QString &id) const;
    std::optional<Task> getByUidAndCalendar(const QString &uid, const QString &calendarId) const;
    QList<Task> getPending(const QString &calendarId) const;
    // The live tasks of one server resource of the calendar.
    QList<Task> getByHref(const QString &calendarId, const QString &href) const;
    // The tasks of one server resource deleted here whose deletion is not
    // on the server yet.
    QList<Task> getDeletedByHref(const QString &calendarId, const QString &href) const;

    [[nodiscard]] bool insert(const Task &task);
    [[nodiscard]] bool update(const Task &task);
    [[nodiscard]] bool remove(const QString &id);
    [[nodiscard]] bool hardDelete(const QString &id);
    [[nodiscard]] bool markSynced(const QString &id, const QString &href, const QString &etag);
    // A task whose upload the server confirmed: synced at `href` under the
    // server's tag, its stored text `text`, its own part of what went up.
    // Its sync base goes with the pending state.
    [[nodiscard]] bool markSent(const QString &id, const QString &href, const QString &etag, const QString &text);
    // The server's new tag for the tasks `ids` of the resource `href`, whose
    // own text went up unchanged with another task's: each row, pending or
    // not, keeps its state and text.
    [[nodiscard]] bool retag(const QString &calendarId, const QString &href, const QStringList &ids,
                             const QString &etag);
    // The server's copy a pending task's edits started from, kept by the
    // store when a synced row turns pending; a merge replaces it.
    std::optional<TaskSyncBase> syncBase(const QString &id) const;
    [[nodiscard]] bool keepSyncBase(const QString &id, const TaskSyncBase &base);
    // A task moved to another calendar: `fromId`, left behind as a
    // tombstone, was stored anew there as `toId`. The link goes when either
    // task is deleted for good; a copy moved on again hands it on to its own
    // copy, so `fromId` stays linked to where the task went last.
    [[nodiscard]] bool keepMove(const QString &fromId, const QString &toId);
    // The copy a moved task was stored as; empty when it was not moved.
    QString movedTo(const QString &fromId) const;
    // The task a copy was moved from; empty when it is none.
    QString movedFrom(const QString &toId) const;
    // The ids of the tasks of `calendarId` a move left behind that wait to be
    // deleted on its server (pending tombstones): read through the moves'
    // links alone, whatever else the calendar holds pending.
    QStringList leftPendingByMoves(const QString &calendarId) const;
    void notifyChanged(const QString &calendarId);

    static QStringList parseCategories(const QString &json);
    static QString categoriesJson(const QStringList &categories);

Q_SIGNALS:
    void tasksChanged(const QString &calendarId);

private Q_SLOTS:
    void emitPendingChange();

private:
    static Task fromRow(const QSqlQuery &query);
    QList<Task> select(const QString &sql, const QVariantList &binds) const;
    std::optional<Task> selectOne(const QString &sql, const QVariantList &binds) const;
    [[nodiscard]] bool loadReminders(QList<Task> &tasks) const;
    [[nodiscard]] bool writeReminders(const Task &task, QString *error);
    [[nodiscard]] bool writeWithReminders(const char *operation, QSqlQuery &main, const Task &task);
    QString calendarIdOf(const QString &id) const;

    Database *m_db;
    QTimer *m_changeTimer;
    QString m_pendingCalendarId;
};
