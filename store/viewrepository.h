#pragma once

#include "store/calendarview.h"

#include <QList>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

class Database;

// Stores calendar groups. The seeded "all-calendars" row is an ordinary row
// here; the dialogs and the view area protect it.
class ViewRepository : public QObject
{
    Q_OBJECT
public:
    explicit ViewRepository(Database *db, QObject *parent = nullptr);

    QList<CalendarView> getAll() const;
    QList<CalendarView> getAllIncludingDeleted() const;
    // Tombstones included: the configuration sync looks them up too.
    std::optional<CalendarView> getById(const QString &id) const;

    [[nodiscard]] bool insert(const CalendarView &view);
    [[nodiscard]] bool update(const CalendarView &view);
    // Writes 10, 20, 30, … in list order, in one transaction.
    [[nodiscard]] bool reorder(const QStringList &ids);
    [[nodiscard]] bool remove(const QString &id);
    [[nodiscard]] bool hardDelete(const QString &id);

    // Writes the row's own updated_at instead of the current time: a group
    // taken over from another device keeps the time it was last edited.
    [[nodiscard]] bool updateKeepingTime(const CalendarView &view);

Q_SIGNALS:
    void viewsChanged();

private:
    static CalendarView fromRow(const QSqlQuery &query);
    QList<CalendarView> select(const QString &sql, const QVariantList &binds = {}) const;
    [[nodiscard]] bool exec(const char *operation, const QString &sql, const QVariantList &binds);
    [[nodiscard]] bool writeUpdate(const char *operation, const CalendarView &view, const QString &stamp);

    Database *m_db;
};
