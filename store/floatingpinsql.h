#pragma once

#include <QString>

#include <memory>
#include <vector>

#include "store/readinzones.h"
#include "store/wallclockpin.h"

class QSqlDatabase;
struct sqlite3;
struct sqlite3_context;
struct sqlite3_value;

// FloatingZone's pinning as two SQL functions on one connection, so that
// one statement for each table pins every floating row where it lies,
// without a row crossing into Qt and back:
//   floating_pinned(text, id)        a stored instant (WallClockPin)
//   floating_pinned_dates(json, id)  a JSON date list
// id names the row (or the series of a changed occurrence) whose zone the
// value was pinned in (ReadInZones); a value that stays as it is comes
// back as it was, so that `IS NOT` tells a changed one. The functions are
// there while the object lives, on the thread that owns the connection;
// the schema (a trigger, a view) cannot call them.
class FloatingPinSql
{
public:
    FloatingPinSql(QSqlDatabase &db, const ReadInZones &zones);
    ~FloatingPinSql();

    FloatingPinSql(const FloatingPinSql &) = delete;
    FloatingPinSql &operator=(const FloatingPinSql &) = delete;

    // False when the functions could not be made; errorText() says why.
    bool isValid() const { return m_handle != nullptr; }
    QString errorText() const { return m_error; }

private:
    static void pinInstant(sqlite3_context *context, int count, sqlite3_value **values);
    static void pinDates(sqlite3_context *context, int count, sqlite3_value **values);
    // The pin for the zone of the row the id names; none where that zone
    // is not known, and the value stays.
    WallClockPin *pinFor(sqlite3_value *id);

    sqlite3 *m_handle = nullptr;
    const ReadInZones &m_zones;
    std::vector<std::unique_ptr<WallClockPin>> m_pins;
    QString m_error;
};
