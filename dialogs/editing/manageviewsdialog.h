#pragma once

#include <QDialog>
#include <QString>

class AppState;
class QListWidget;
class QPushButton;

// Lists the calendar groups in picker order: a drag renumbers them, the
// buttons add, edit and delete. "All Calendars" stays first and cannot be
// deleted. The list follows the store's change signal.
class ManageViewsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ManageViewsDialog(AppState *app, QWidget *parent = nullptr);

private Q_SLOTS:
    void addGroup();
    void editGroup();
    void deleteGroup();
    void persistOrder();
    void reload();

private:
    void buildUi();
    QString currentId() const;

    AppState *m_app;
    QListWidget *m_list = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
};
