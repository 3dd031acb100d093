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
    bool insert(const EventTemplate &eventTemplate);
    bool update(const EventTemplate &eventTemplate);
    bool remove(const QString &id);
    bool hardDelete(const QString &id);

    // The reminders column: a compact JSON array of minutes before the start.
    static QString remindersToJson(const QList<int> &minutes);
    static QList<int> remindersFromJson(const QString &text);

    // Write the row's own updated_at instead of the current time: a template
    // taken over from another device keeps the time it was last edited.
    bool insertKeepingTime(const EventTemplate &eventTemplate);
    bool updateKeepingTime(const EventTemplate &eventTemplate);

Q_SIGNALS:
    void templatesChanged();

private:
    static EventTemplate fromRow(const QSqlQuery &query);
    QList<EventTemplate> select(const QString &tail, const QVariantList &binds = {}) const;
    bool exec(const char *operation, const QString &sql, const QVariantList &binds);
    bool writeInsert(const char *operation, const EventTemplate &eventTemplate, const QString &stamp);
    bool writeUpdate(const char *operation, const EventTemplate &eventTemplate, const QString &stamp);

    Database *m_db;
};
