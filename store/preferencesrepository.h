#pragma once

#include <QObject>
#include <QString>

#include <optional>

class Database;

// Typed key/value preferences kept in the `settings` table, so they travel
// with the data file.
class PreferencesRepository : public QObject
{
    Q_OBJECT
public:
    explicit PreferencesRepository(Database *db, QObject *parent = nullptr);

    std::optional<QString> get(const QString &key) const;
    QString getString(const QString &key, const QString &defaultValue = QString()) const;
    [[nodiscard]] bool getBool(const QString &key, bool defaultValue = false) const;
    int getInt(const QString &key, int defaultValue = 0) const;

    // Each write reports whether the value was stored.
    [[nodiscard]] bool set(const QString &key, const QString &value);
    [[nodiscard]] bool setBool(const QString &key, bool value);
    [[nodiscard]] bool setInt(const QString &key, int value);
    [[nodiscard]] bool remove(const QString &key);

Q_SIGNALS:
    void changed(const QString &key);

private:
    Database *m_db;
};
