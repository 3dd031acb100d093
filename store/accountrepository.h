#pragma once

#include "store/account.h"

#include <QList>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

class Database;

// Stores calendar-source accounts and owns the operations that treat an
// account together with everything under it.
class AccountRepository : public QObject
{
    Q_OBJECT
public:
    explicit AccountRepository(Database *db, QObject *parent = nullptr);

    QList<Account> getAll() const;
    QList<Account> getAllIncludingDeleted() const;
    std::optional<Account> getById(const QString &id) const;
    std::optional<Account> findByTypeAndUsername(const QString &type, const QString &username,
                                                 const QString &serverUrl,
                                                 const QString &calendarHomeSet,
                                                 const QString &principalUrl) const;

    bool insert(const Account &account);
    bool update(const Account &account);
    bool reorder(const QStringList &ids);
    // Tombstones the account and deletes its calendars with everything under
    // them, all or nothing.
    bool remove(const QString &id);
    bool reapTombstone(const QString &id);

    void deleteCalendarDeep(const QString &calendarId);
    // False when a calendar could not be listed or moved; the duplicate then
    // still owns it and must not be removed.
    bool mergeInto(const QString &duplicateId, const QString &survivorId);
    int dedupeAccounts();

    static QString normalizeServerUrl(const QString &url);
    static bool sameServer(const QString &serverA, const QString &homeSetA,
                           const QString &principalA, const QString &serverB,
                           const QString &homeSetB, const QString &principalB);
    static QDateTime parseDbDateTime(const QString &value);

    // Writes the row's own updated_at instead of the current time: settings
    // taken over from another device keep the time they were last changed.
    bool updateKeepingTime(const Account &account);

Q_SIGNALS:
    void accountsChanged();

private:
    static Account fromRow(const QSqlQuery &query);
    QList<Account> select(const QString &sql, const QVariantList &binds = {}) const;
    bool writeUpdate(const char *operation, const Account &account, const QString &stamp);
    bool cascadeDeleteCalendars(const QString &accountId);
    // Runs one statement of a cascade with one bound id; logs a failure.
    bool runCascadeStatement(const char *operation, const QString &sql, const QString &id);

    Database *m_db;
};
