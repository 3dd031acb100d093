#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include "tests/support/localhttpserver.h"

#include <optional>

class FakeCloudServer;

// The configuration part of the fake cloud sync service: "/sync/push" takes a
// device's whole snapshot and logs only the records whose data differ from
// what it holds for them and are not older (by "updated_at"); "/sync/pull" returns the log after a cursor (a
// plain sequence number) with the newest number as "timestamp". Counts what
// it was asked.
class FakeCloudConfigRoutes : public QObject
{
    Q_OBJECT
public:
    struct LoggedChange
    {
        qint64 sequence = 0;
        QString type;
        QJsonObject data;
    };

    explicit FakeCloudConfigRoutes(FakeCloudServer *server);

    int pushCount() const { return m_pushCount; }
    int pullCount() const { return m_pullCount; }
    // Records carried by all pushes, changed or not.
    int pushedRecordCount() const { return m_pushedRecords; }
    const QList<LoggedChange> &log() const { return m_log; }
    qint64 cursor() const { return m_log.isEmpty() ? m_base : m_log.last().sequence; }
    // The newest data held for one record, by type and identity (its "id",
    // its "canonical_key" or its "key"); empty when none.
    QJsonObject record(const QString &type, const QString &identity) const;
    // The "since" of every pull, in order.
    const QStringList &pulledSince() const { return m_pulledSince; }
    // The body of the last push.
    QJsonObject lastPush() const { return m_lastPush; }

    // Appends a change as if another device had pushed it.
    void inject(const QString &type, const QJsonObject &data);
    // The next pulls are answered with this body (status 200), as sent.
    void setPullReply(const QByteArray &body, int times = 1);
    // Starts the log's sequence numbers above this value.
    void setBase(qint64 base) { m_base = base; }

    static QString identityOf(const QString &type, const QJsonObject &data);

private:
    std::optional<LocalHttpServer::Reply> route(const QByteArray &method, const QString &path,
                                                const QJsonObject &body, const QString &query);
    LocalHttpServer::Reply push(const QJsonObject &body);
    LocalHttpServer::Reply pull(const QString &since);
    void store(const QString &type, const QJsonObject &data);

    QMap<QString, QJsonObject> m_records; // type + "\n" + identity -> data
    QList<LoggedChange> m_log;
    qint64 m_base = 0;
    int m_pushCount = 0;
    int m_pullCount = 0;
    int m_pushedRecords = 0;
    QStringList m_pulledSince;
    QJsonObject m_lastPush;
    QByteArray m_pullReply;
    int m_pullReplyTimes = 0;
};
