#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include "store/filterrule.h"

#include <optional>

class AppState;
class OrderedRecordList;
class QListWidgetItem;

// Lists every filter rule in the order they apply: a tick turns a rule on
// or off, a drag renumbers the priorities, and the buttons add, edit and
// delete. Every change is stored at once; the list is rebuilt from the store.
class ManageFiltersDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ManageFiltersDialog(AppState *app, QWidget *parent = nullptr);

    // "Name   ·   Type → Action" with translated labels.
    static QString rowText(const QString &name, const QString &type, const QString &action);

private Q_SLOTS:
    void reload();
    void toggleEnabled(QListWidgetItem *item);
    void persistPriorities(const QStringList &ids);
    void addFilter();
    void editFilter();
    void deleteFilter();

private:
    void buildUi();
    // The rule of the selected row, unless it is gone or deleted.
    std::optional<FilterRule> currentRule() const;

    AppState *m_app;
    OrderedRecordList *m_rows = nullptr;
};
