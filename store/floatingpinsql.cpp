#include "store/floatingpinsql.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace {

constexpr char kInstant[] = "floating_pinned";
constexpr char kDates[] = "floating_pinned_dates";

using Pinning = std::optional<QByteArray> (WallClockPin::*)(QByteArrayView);

void answer(sqlite3_context *context, sqlite3_value *value, WallClockPin *pin, Pinning pinning)
{
    if (!pin || sqlite3_value_type(value) != SQLITE_TEXT) {
        sqlite3_result_value(context, value);
        return;
    }
    const char *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    const std::optional<QByteArray> pinned = (pin->*pinning)(QByteArrayView(text, sqlite3_value_bytes(value)));
    if (!pinned)
        sqlite3_result_value(context, value);
    else
        sqlite3_result_text(context, pinned->constData(), int(pinned->size()), SQLITE_TRANSIENT);
}

} // namespace

FloatingPinSql::FloatingPinSql(QSqlDatabase &db, const ReadInZones &zones)
    : m_zones(zones)
{
    for (const QTimeZone &zone : zones.zones())
        m_pins.push_back(zone.isValid() ? std::make_unique<WallClockPin>(zone) : nullptr);
    const QVariant handle = db.isOpen() && db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        m_error = QStringLiteral("not an open SQLite connection");
        return;
    }
    sqlite3 *connection = *static_cast<sqlite3 *const *>(handle.constData());
    const int flags = SQLITE_UTF8 | SQLITE_DIRECTONLY;
    if (sqlite3_create_function_v2(connection, kInstant, 2, flags, this, &pinInstant, nullptr, nullptr, nullptr)
            != SQLITE_OK
        || sqlite3_create_function_v2(connection, kDates, 2, flags, this, &pinDates, nullptr, nullptr, nullptr)
               != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(connection));
        sqlite3_create_function_v2(connection, kInstant, 2, flags, nullptr, nullptr, nullptr, nullptr, nullptr);
        return;
    }
    m_handle = connection;
}

FloatingPinSql::~FloatingPinSql()
{
    if (!m_handle)
        return;
    const int flags = SQLITE_UTF8 | SQLITE_DIRECTONLY;
    sqlite3_create_function_v2(m_handle, kInstant, 2, flags, nullptr, nullptr, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(m_handle, kDates, 2, flags, nullptr, nullptr, nullptr, nullptr, nullptr);
}

WallClockPin *FloatingPinSql::pinFor(sqlite3_value *id)
{
    if (m_pins.size() == 1)
        return m_pins.front().get();
    const char *text = reinterpret_cast<const char *>(sqlite3_value_text(id));
    const int index = text ? m_zones.indexOf(QByteArrayView(text, sqlite3_value_bytes(id))) : 0;
    return m_pins.at(std::size_t(index)).get();
}

void FloatingPinSql::pinInstant(sqlite3_context *context, int, sqlite3_value **values)
{
    auto *self = static_cast<FloatingPinSql *>(sqlite3_user_data(context));
    answer(context, values[0], self->pinFor(values[1]), &WallClockPin::changedText);
}

void FloatingPinSql::pinDates(sqlite3_context *context, int, sqlite3_value **values)
{
    auto *self = static_cast<FloatingPinSql *>(sqlite3_user_data(context));
    answer(context, values[0], self->pinFor(values[1]), &WallClockPin::changedList);
}
