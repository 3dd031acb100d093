#include "store/preferencesrepository.h"

#include "store/database.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

PreferencesRepository::PreferencesRepository(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{
}

std::optional<QString> PreferencesRepository::get(const QString &key) const
{
    QSqlQuery query(m_db->database());
    query.prepare(QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    query.addBindValue(key);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toString();
}

QString PreferencesRepository::getString(const QString &key, const QString &defaultValue) const
{
    return get(key).value_or(defaultValue);
}

bool PreferencesRepository::getBool(const QString &key, bool defaultValue) const
{
    const std::optional<QString> value = get(key);
    if (!value)
        return defaultValue;
    return *value == QLatin1String("1") || *value == QLatin1String("true");
}

int PreferencesRepository::getInt(const QString &key, int defaultValue) const
{
    const std::optional<QString> value = get(key);
    if (!value)
        return defaultValue;
    bool ok = false;
    const int parsed = value->toInt(&ok, 10);
    return ok ? parsed : defaultValue;
}

bool PreferencesRepository::set(const QString &key, const QString &value)
{
    QSqlQuery query(m_db->database());
    query.prepare(QStringLiteral("INSERT INTO settings (key, value) VALUES (?, ?) "
                                 "ON CONFLICT(key) DO UPDATE SET value = excluded.value"));
    query.addBindValue(key);
    // The column is NOT NULL: an unset text is stored as the empty text.
    query.addBindValue(value.isNull() ? QStringLiteral("") : value);
    if (!query.exec()) {
        qWarning().noquote() << "PreferencesRepository::set failed:" << query.lastError().text();
        return false;
    }
    Q_EMIT changed(key);
    return true;
}

bool PreferencesRepository::setBool(const QString &key, bool value)
{
    return set(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool PreferencesRepository::setInt(const QString &key, int value)
{
    return set(key, QString::number(value, 10));
}

bool PreferencesRepository::remove(const QString &key)
{
    QSqlQuery query(m_db->database());
    query.prepare(QStringLiteral("DELETE FROM settings WHERE key = ?"));
    query.addBindValue(key);
    return query.exec();
}
