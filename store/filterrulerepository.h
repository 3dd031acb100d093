#pragma once

#include "store/filterrule.h"

#include <QList>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

class Database;

// Stores the client-side filter rules; conditions and calendar scope stay JSON
// text here and are read by the filter engine.
class FilterRuleRepository : public QObject
{
    Q_OBJECT
public:
    explicit FilterRuleRepository(Database *db, QObject *parent = nullptr);

    QList<FilterRule> getAll() const;
    QList<FilterRule> getAllIncludingDeleted() const;
    QList<FilterRule> getEnabled() const;
    // Tombstones included: the configuration sync looks them up too.
    std::optional<FilterRule> getById(const QString &id) const;

    [[nodiscard]] bool insert(const FilterRule &rule);
    [[nodiscard]] bool update(const FilterRule &rule);
    // Renumbers the priorities 10, 20, 30, … in list order, in one transaction.
    [[nodiscard]] bool setPriority(const QStringList &ids);
    [[nodiscard]] bool setEnabled(const QString &id, bool enabled);
    [[nodiscard]] bool remove(const QString &id);
    [[nodiscard]] bool hardDelete(const QString &id);

    // Writes the row's own updated_at instead of the current time: a rule
    // taken over from another device keeps the time it was last edited.
    [[nodiscard]] bool updateKeepingTime(const FilterRule &rule);

Q_SIGNALS:
    void filterRulesChanged();

private:
    static FilterRule fromRow(const QSqlQuery &query);
    QList<FilterRule> select(const QString &sql, const QVariantList &binds = {}) const;
    [[nodiscard]] bool exec(const char *operation, const QString &sql, const QVariantList &binds);
    [[nodiscard]] bool writeUpdate(const char *operation, const FilterRule &rule, const QString &stamp);

    Database *m_db;
};
