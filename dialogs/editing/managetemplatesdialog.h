#pragma once

#include <QDialog>

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
    AppState *m_app;
    QListWidget *m_list = nullptr;
};
