#pragma once

#include <QString>
#include <QToolButton>
#include <QWidget>

#include "store/account.h"
#include "store/calendar.h"

class ManageSourcesDialog;

// The rows of the "Calendar Accounts" list. They keep nothing of their own:
// every menu entry hands an action key and the record's id to the dialog,
// which changes the store and rebuilds the list.

// The short provider name shown under an account's title.
QString providerLabel(AccountType type);

class AccountRow : public QWidget
{
    Q_OBJECT
public:
    AccountRow(const Account &account, ManageSourcesDialog *dialog, QWidget *parent);
};

class CalendarRow : public QWidget
{
    Q_OBJECT
public:
    // cloudAccount: the calendar belongs to the "tindlebrook" account, whose
    // calendars can be shared.
    CalendarRow(const Calendar &calendar, bool cloudAccount, ManageSourcesDialog *dialog, QWidget *parent);
};

// The check box at the start of a calendar row.
class VisibilityToggle : public QToolButton
{
    Q_OBJECT
public:
    explicit VisibilityToggle(QWidget *parent = nullptr);
};
