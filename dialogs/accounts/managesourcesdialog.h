#pragma once

#include <QDialog>

class AppState;
class MainWindow;
class QWidget;

// "Calendar Accounts": every account with its calendars beneath it, read
// afresh from the store whenever accounts or calendars change, so that
// nothing shown here can go stale.
class ManageSourcesDialog : public QDialog
{
    Q_OBJECT
public:
    // The main window may be null; the dialog only reads through the state.
    ManageSourcesDialog(AppState *state, MainWindow *mainWindow, QWidget *parent = nullptr);

    void rebuild();
    // A new calendar: on the server of a CalDAV account, else on this device.
    void addCalendar(const QString &accountId);
    void editCalendar(const QString &calendarId);

private:
    void insertRow(QWidget *row);

    AppState *m_state;
    MainWindow *m_mainWindow;
    QWidget *m_listHost = nullptr;
};
