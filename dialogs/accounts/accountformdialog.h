#pragma once

#include <QDialog>

#include "store/account.h"

class AppState;
class QComboBox;
class QLineEdit;

// "Edit Account": the name and sync interval of any account, and the
// server, user name and password of a CalDAV-family one. Saving writes the
// account row first and the password only after it was stored.
class AccountFormDialog : public QDialog
{
    Q_OBJECT
public:
    AccountFormDialog(AppState *state, const Account &account, QWidget *parent = nullptr);

    // The interval choices, the current one selected; a value that is none
    // of them is offered first as "Every %n minute(s)".
    static void fillSyncIntervals(QComboBox *combo, int currentMinutes);

private:
    void save();

    AppState *m_state;
    Account m_account;
    QLineEdit *m_nameEdit = nullptr;
    QLineEdit *m_serverUrlEdit = nullptr;
    QLineEdit *m_usernameEdit = nullptr;
    QLineEdit *m_passwordEdit = nullptr;
    QComboBox *m_intervalCombo = nullptr;
    bool m_calDavFamily = false;
};
