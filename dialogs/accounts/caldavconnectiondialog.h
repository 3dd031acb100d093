#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QUrl>

#include "store/account.h"
#include "sync/caldav/discoveredcalendar.h"
#include "ui/pickers/waitcursor.h"

#include <functional>
#include <memory>
#include <optional>

class AppState;
class CalDavClient;
class CalDavDiscovery;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
namespace TindAccount {
class TokenStore;
}

// "Add CalDAV Server": discovers the calendars of a server, lets the user
// tick the ones to add, stores the account, its password and the calendars,
// and starts their first sync. A self-signed certificate can be trusted by
// its fingerprint, which is then kept with the account.
class CalDavConnectionDialog : public QDialog
{
    Q_OBJECT
public:
    CalDavConnectionDialog(AppState *state, QWidget *parent = nullptr);

    // Where the password goes; the application's secret store when unset.
    using SecretStoreMaker = std::function<std::unique_ptr<TindAccount::TokenStore>()>;
    void setSecretStoreMaker(SecretStoreMaker maker) { m_secretStoreMaker = std::move(maker); }

    // Whether Basic credentials sent to this address cross a network in the
    // clear: plain http to anything but this machine.
    static bool sendsPasswordInClear(const QUrl &url);
    // Asks before a password goes to `url` in the clear, for a connection
    // made now or an account kept for later syncs; true when it may go (at
    // once where it would not travel in the clear).
    enum class ClearTextUse { Connect, Save };
    static bool confirmPasswordInClear(QWidget *parent, const QUrl &url, ClearTextUse use);

    // Closing while discovery runs leaves its answer unread: the wait is over.
    void done(int result) override;

private:
    void discover();
    void onDiscovered(const QList<CalDavParse::DiscoveredCalendar> &calendars);
    void onDiscoveryFailed(const QString &reason);
    void addCalendars();
    // The account of the form, stored with its password; nothing when it
    // exists already or cannot be written (the user has been told).
    std::optional<Account> storeAccount(const QString &calendarHome);
    // After a discovery that found no calendar: the calendar form creates
    // the first one on the server; cancelled, the account goes again.
    void createFirstCalendar();
    void setBusy(bool busy);
    // The user name of the form, else the one typed into the URL.
    QString userName() const;
    QString password() const;

    AppState *m_state;
    CalDavClient *m_client;
    CalDavDiscovery *m_discovery;
    QLineEdit *m_urlEdit;
    QLineEdit *m_userEdit;
    QLineEdit *m_passwordEdit;
    QLineEdit *m_nameEdit;
    QPushButton *m_discoverButton;
    QPushButton *m_addButton;
    QLabel *m_status;
    QListWidget *m_list;
    QList<CalDavParse::DiscoveredCalendar> m_discovered;
    QString m_pinnedFingerprint;
    // The plain-http address the user agreed to send the password to.
    QUrl m_clearTextAllowed;
    SecretStoreMaker m_secretStoreMaker;
    std::optional<WaitCursor> m_waitCursor;
};
