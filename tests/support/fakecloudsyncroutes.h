#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>

#include "tests/support/localhttpserver.h"

#include <functional>
#include <optional>

// The cloud sync service's calendars as the fake cloud server keeps them:
// the calendar list, each calendar's events keyed by their event id (the
// body's "id" of a POST, the last path segment of a PUT or DELETE; a pull
// lists them by their iCalendar uid; deletions kept as tombstones, so a
// pull with "since" sees them), uploaded tasks, and the
// members a calendar is shared with. The cursor is a change counter sent as
// text. Tests set it up and inspect it directly.
class FakeCloudCalendars
{
public:
    struct StoredEvent
    {
        QString id; // the service's event id
        QString uid;
        QString etag;
        QJsonObject body; // as last sent, or as put by a test
        bool deleted = false;
        qint64 changedAt = 0;
    };

    // Answers the sync API's calendar routes; nothing for other paths.
    std::optional<LocalHttpServer::Reply> route(const QByteArray &method, const QString &path,
                                                const QJsonObject &body, const QString &query);

    void addCalendar(const QJsonObject &calendar);
    QList<QJsonObject> calendars() const { return m_calendars; }
    bool hasCalendar(const QString &id) const;
    // An event written by another device (or changed there), held under
    // `id` (the uid when empty).
    void putEvent(const QString &calendarId, const QString &uid, const QString &rawIcalendar,
                  const QString &id = QString());
    // An event deleted by another device.
    void deleteEvent(const QString &calendarId, const QString &id);
    // The live events of a calendar, in uid order, then id order.
    QList<StoredEvent> events(const QString &calendarId) const;
    std::optional<StoredEvent> event(const QString &calendarId, const QString &id) const;
    QList<QJsonObject> tasks(const QString &calendarId) const { return m_tasks.value(calendarId); }
    // Someone the calendars can be shared with.
    void addPerson(const QString &userId, const QString &email, const QString &displayName);
    QList<QJsonObject> members(const QString &calendarId) const { return m_members.value(calendarId); }
    // An event body whose upload this service refuses (HTTP 500), by title.
    void refuseTitle(const QString &title) { m_refusedTitle = title; }
    // Called with each event write (POST, PUT, DELETE) and the event id it
    // addresses, before it is answered.
    using WriteObserver = std::function<void(const QByteArray &method, const QString &id)>;
    void setWriteObserver(WriteObserver observer) { m_writeObserver = std::move(observer); }

private:
    using Reply = LocalHttpServer::Reply;

    Reply listEvents(const QString &calendarId, const QString &query) const;
    Reply writeEvent(const QByteArray &method, const QString &calendarId, const QString &id,
                     const QJsonObject &body);
    Reply share(const QByteArray &method, const QString &calendarId, const QString &userId,
                const QJsonObject &body);
    StoredEvent &store(const QString &calendarId, const QString &id);

    QList<QJsonObject> m_calendars;
    QHash<QString, QHash<QString, StoredEvent>> m_events; // calendar -> event id -> event
    QHash<QString, QList<QJsonObject>> m_tasks;
    QHash<QString, QList<QJsonObject>> m_members;
    QHash<QString, QJsonObject> m_people;
    QString m_refusedTitle;
    WriteObserver m_writeObserver;
    qint64 m_clock = 1000;
};
