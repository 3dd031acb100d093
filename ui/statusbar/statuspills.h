#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class AppState;
class QMenu;
class QStatusBar;
class QToolButton;
struct Account;

// The two permanent widgets at the right of the main window's status bar:
// the account pill, shown only while an account needs the user (an expired
// sign-in or a missing password), and the filters button, which tells how
// many filter rules apply and how many events they hide and drops down a
// menu to switch them.
class StatusPills : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        // Calendar Accounts, modal; the pill is refreshed after it.
        std::function<void()> openAccounts;
        std::function<void()> addFilter;
        std::function<void()> manageFilters;
        // The stored refresh token of a Google or Microsoft account; empty
        // when it never signed in. Null: read from the secret store.
        std::function<QString(const Account &)> refreshToken;
    };

    StatusPills(AppState *appState, QStatusBar *statusBar, Hooks hooks, QObject *parent = nullptr);

    QToolButton *accountPill() const { return m_accountPill; }
    QToolButton *filtersButton() const { return m_filtersButton; }

    void refreshAccountStatusPill();
    void buildFiltersMenu();
    void updateFilterSummary();

    // The refresh token of a provider account's stored token set.
    static QString storedRefreshToken(const Account &account);

private:
    void addRuleEntries(QMenu *menu);

    AppState *m_appState;
    Hooks m_hooks;
    QToolButton *m_accountPill = nullptr;
    QToolButton *m_filtersButton = nullptr;
    QPointer<QMenu> m_filtersMenu;
};
