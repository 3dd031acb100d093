#pragma once

#include "store/eventtemplate.h"

#include <QList>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <optional>

class Database;

// Stores event templates. The record has no sync status: every row written
// here is marked "pending" for the configuration sync.
class TemplateRepository : public QObject
{
    Q_OBJECT
public:
    explicit TemplateRepository(Database *db, QObject *parent = nullptr);

    QList<EventTemplate> getAll() const;
    QList<EventTemplate> getAllIncludingDeleted() const;
    // Unlike groups and rules, a deleted template is not found by id.
    std::optional<EventTemplate> getById(const QString &id) const;

    // An empty id is replaced by a fresh one for the stored row.
    [[nodiscard]] bool insert(const EventTemplate &eventTemplate);
    [[nodiscard]] bool update(const EventTemplate &eventTemplate);
    [[nodiscard]] bool remove(const QString &id);
    [[nodiscard]] bool hardDelete(const QString &id);

    // The reminders column: a compact JSON array of minutes before the start.
    static QString remindersToJson(const QList<int> &minutes);
    static QList<int> remindersFromJson(const QString &text);

    // Write the row's own updated_at instead of the current time: a template
    // taken over from another device keeps the time it was last edited.
    [[nodiscard]] bool insertKeepingTime(const EventTemplate &eventTemplate);
    [[nodiscard]] bool updateKeepingTime(const EventTemplate &eventTemplate);

Q_SIGNALS:
    void templatesChanged();

private:
    static EventTemplate fromRow(const QSqlQuery &query);
    QList<EventTemplate> select(const QString &tail, const QVariantList &binds = {}) const;
    [[nodiscard]] bool exec(const char *operation, const QString &sql, const QVariantList &binds);
    [[nodiscard]] bool writeInsert(const char *operation, const EventTemplate &eventTemplate, const QString &stamp);
    [[nodiscard]] bool writeUpdate(const char *operation, const EventTemplate &eventTemplate, const QString &stamp);

    Database *m_db;
};
