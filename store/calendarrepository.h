#pragma once

#include "store/calendar.h"

#include <QList>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

class Database;

// Stores the calendars of all accounts. Deleting a calendar with its contents
// is AccountRepository::deleteCalendarDeep; remove() deletes the row alone.
class CalendarRepository : public QObject
{
    Q_OBJECT
public:
    explicit CalendarRepository(Database *db, QObject *parent = nullptr);

    QList<Calendar> getAll() const;
    QList<Calendar> getByAccount(const QString &accountId) const;
    std::optional<Calendar> getById(const QString &id) const;
    // The other calendars at the far end of a move of an event or a task
    // still to be sent from or to `calendarId`.
    QStringList otherEndsOfUnsentMoves(const QString &calendarId) const;

    [[nodiscard]] bool insert(const Calendar &calendar);
    [[nodiscard]] bool update(const Calendar &calendar);
    [[nodiscard]] bool remove(const QString &id);
    [[nodiscard]] bool setDefault(const QString &id);

    static QString normalizeColor(const QString &color);

    // Writes the row's own updated_at instead of the current time: settings
    // taken over from another device keep the time they were last changed.
    [[nodiscard]] bool updateKeepingTime(const Calendar &calendar);
    // Writes only the calendar's sync state (ctag, sync and delta tokens,
    // last sync error): no edit of the calendar, so its settings and
    // updated_at, which decides between devices, stay as they are.
    [[nodiscard]] bool recordSyncState(const Calendar &calendar);

Q_SIGNALS:
    void calendarsChanged();

private:
    static Calendar fromRow(const QSqlQuery &query);
    QList<Calendar> select(const QString &sql, const QVariantList &binds = {}) const;
    [[nodiscard]] bool writeUpdate(const char *operation, const Calendar &calendar, const QString &stamp);

    Database *m_db;
};
