#pragma once

#include <QDialog>

#include "store/eventtemplate.h"

#include <optional>

class AppState;
class QListWidget;

// Lists the event templates and adds, edits and deletes them through the
// template editor. The list is rebuilt after each of its own changes.
class ManageTemplatesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ManageTemplatesDialog(AppState *app, QWidget *parent = nullptr);

public Q_SLOTS:
    void addTemplate();
    void editTemplate();
    void deleteTemplate();
    void reload();

private:
    // The template of the selected row, if it is still stored.
    std::optional<EventTemplate> currentTemplate() const;

    AppState *m_app;
    QListWidget *m_list = nullptr;
};
