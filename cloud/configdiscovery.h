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

#include <functional>

class QTimer;

namespace Tindlebrook {

// Lists the calendars of accounts that arrived from another device, with
// this device's own password or tokens: adopts the stub calendars the pulled
// preferences left and adds the others. Accounts without credentials are
// marked "Sign in required". Every account ends once, and a time limit ends
// the ones whose server never answers, so a pull always resumes.
class ConfigDiscovery : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void()>;
    // Discovers one Microsoft account and calls `done` once.
    using MicrosoftDiscovery = std::function<void(const Account &account, QObject *owner, Done done)>;

    struct Options
    {
        Google::Endpoints google = Google::Endpoints::fromEnvironment();
        MicrosoftDiscovery microsoft;
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
    Done completionFor(int slot);
    void complete(int slot);
    void onTimeLimit();
    void discoverCalDavAccount(const Account &account, Done done);
    void discoverGoogleAccount(const Account &account, Done done);
    void listGoogleCalendars(const Account &account, const QString &accessToken, Done done);
    void adoptGoogleCalendars(const Account &account, const QList<Google::DiscoveredCalendar> &calendars);
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
