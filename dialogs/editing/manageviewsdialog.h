#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class AppState;
class OrderedRecordList;

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
    void persistOrder(const QStringList &ids);
    void reload();

private:
    void buildUi();

    AppState *m_app;
    OrderedRecordList *m_rows = nullptr;
};
