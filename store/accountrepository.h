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
    std::optional<Account> findByTypeAndUsername(AccountType type, const QString &username,
                                                 const QString &serverUrl,
                                                 const QString &calendarHomeSet,
                                                 const QString &principalUrl) const;

    [[nodiscard]] bool insert(const Account &account);
    [[nodiscard]] bool update(const Account &account);
    [[nodiscard]] bool reorder(const QStringList &ids);
    // Tombstones the account and deletes its calendars with everything under
    // them, all or nothing.
    [[nodiscard]] bool remove(const QString &id);
    [[nodiscard]] bool reapTombstone(const QString &id);

    // Deletes the calendar with everything in it; false when a step failed.
    [[nodiscard]] bool deleteCalendarDeep(const QString &calendarId);
    // False when a calendar could not be listed or moved; the duplicate then
    // still owns it and must not be removed.
    [[nodiscard]] bool mergeInto(const QString &duplicateId, const QString &survivorId);
    int dedupeAccounts();

    static QString normalizeServerUrl(const QString &url);
    static bool sameServer(const QString &serverA, const QString &homeSetA,
                           const QString &principalA, const QString &serverB,
                           const QString &homeSetB, const QString &principalB);
    static QDateTime parseDbDateTime(const QString &value);

    // Writes the row's own updated_at instead of the current time: settings
    // taken over from another device keep the time they were last changed.
    [[nodiscard]] bool updateKeepingTime(const Account &account);
    // Writes only what this device knows of its own syncing (the last
    // sync's time and error): no edit of the account, so the other columns
    // and updated_at, which decides between devices, stay as they are.
    [[nodiscard]] bool recordSyncState(const Account &account);

Q_SIGNALS:
    void accountsChanged();

private:
    static Account fromRow(const QSqlQuery &query);
    QList<Account> select(const QString &sql, const QVariantList &binds = {}) const;
    [[nodiscard]] bool writeUpdate(const char *operation, const Account &account, const QString &stamp);
    [[nodiscard]] bool cascadeDeleteCalendars(const QString &accountId);
    // Runs one statement of a cascade with one bound id; logs a failure.
    [[nodiscard]] bool runCascadeStatement(const char *operation, const QString &sql, const QString &id);

    Database *m_db;
};
