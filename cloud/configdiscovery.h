#pragma once

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include "cloud/configsynccontext.h"
#include "store/account.h"
#include "sync/google/googlecalendarclient.h"
#include "sync/google/googleendpoints.h"
#include "sync/microsoft/microsoftcalendarclient.h"
#include "sync/microsoft/microsoftendpoints.h"
#include "sync/oauth/tokenrenewals.h"
#include "sync/oauth/tokenrenewer.h"

#include <functional>
#include <memory>

class QTimer;

namespace Tindlebrook {

// Lists the calendars of accounts that arrived from another device, with
// this device's own password or tokens: adopts the stub calendars the pulled
// preferences left and adds the others. Accounts without credentials are
// marked "Sign in required", as are those whose provider refuses the
// sign-in (a refused refresh, a 401 after a renewal); a provider that fails
// otherwise leaves the account as it was. Every account ends once, and a
// time limit ends the ones whose server never answers, so a pull always
// resumes.
class ConfigDiscovery : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void()>;

    struct Options
    {
        Google::Endpoints google = Google::Endpoints::fromEnvironment();
        Microsoft::Endpoints microsoft = Microsoft::Endpoints::fromEnvironment();
        // Longest wait for all accounts of one pull.
        int timeLimitMs = 120 * 1000;
        int calDavTransferTimeoutMs = 30 * 1000;
    };

    ConfigDiscovery(const ConfigSyncContext &context, Options options, QObject *parent = nullptr);

    // Ends with finished(), possibly before returning.
    void run(const QStringList &accountIds);
    bool isFinished() const { return m_finished; }
    // The calendars discovery wrote: no one has set them up on this device
    // yet, so the pulled preferences apply to them whatever their times.
    QSet<QString> freshCalendarIds() const { return m_freshCalendars; }

Q_SIGNALS:
    void finished();

private:
    // A provider's calendar as both OAuth providers list it.
    struct ListedCalendar
    {
        QString id;
        QString name;
        QString description;
        QString color;
        bool readOnly = false;
    };
    // How the two OAuth providers' calendars are written.
    struct Provider
    {
        QString family;        // the family of the calendars' keys
        const char *label;     // in log lines
        bool keepsDescription; // Google has descriptions, Microsoft none
        QString insertColor;   // colour of a new calendar listed without one
    };

    Done completionFor(int slot);
    void complete(int slot);
    void onTimeLimit();
    void discoverCalDavAccount(const Account &account, Done done);
    void discoverGoogleAccount(const Account &account, Done done);
    void listGoogleCalendars(const Account &account, const QString &accessToken, Done done);
    void adoptGoogleCalendars(const Account &account, const QList<Google::DiscoveredCalendar> &calendars);
    void discoverMicrosoftAccount(const Account &account, Done done);
    void listMicrosoftCalendars(const Account &account, const QString &accessToken, Done done);
    void adoptMicrosoftCalendars(const Account &account, const QList<Microsoft::DiscoveredCalendar> &calendars);
    void adoptCalendars(const Account &account, const Provider &provider, const QList<ListedCalendar> &listed);
    // The account's token set in this device's secret store, renewed by
    // the sign-in services `newSignIn` makes.
    OAuth::TokenRenewals::TokenSet tokenSet(const QString &key,
                                            std::function<OAuth::BrowserSignIn *()> newSignIn) const;
    OAuth::TokenRenewals::TokenSet googleTokenSet(const QString &accountId) const;
    OAuth::TokenRenewals::TokenSet microsoftTokenSet(const QString &accountId) const;
    // Renews the account's access token (joining a sync's renewal of it)
    // and lists with the new one; `label` names the provider in the log.
    void renewThenList(const Account &account, const OAuth::TokenRenewals::TokenSet &set, const char *label,
                       std::function<void(const QString &accessToken)> list, Done done);
    // For a listing answered 401; `renewalFailed` is set when its renewal
    // could not reach the provider.
    OAuth::TokenRenewer listingRenewer(const Account &account, const OAuth::TokenRenewals::TokenSet &set,
                                       std::shared_ptr<bool> renewalFailed);
    void listingFailed(const Account &account, const char *label, const QString &reason, int status,
                       bool renewalFailed);
    void setAccountSyncError(const QString &accountId, const QString &message);
    void rememberCalendarsOf(const QString &accountId);

    const ConfigSyncContext &m_context;
    Options m_options;
    QTimer *m_timeLimit;
    QSet<int> m_pending;
    QStringList m_names;
    QSet<QString> m_freshCalendars;
    bool m_finished = false;
};

} // namespace Tindlebrook
