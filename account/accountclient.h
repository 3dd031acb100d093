#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include "account/client.h"
#include "account/records.h"

#include <functional>

namespace TindAccount {

class ApiClient;
class AuthClient;

// The account service: profile and its deletion, registered devices, and the
// group the account belongs to (members, invitations, joining, leaving).
// Failures reach callers as the empty record, an empty list or false.
class AccountClient : public QObject
{
    Q_OBJECT
public:
    AccountClient(ApiClient *api, AuthClient *auth, const Client::Config &config, QObject *parent = nullptr);

    void setUrlOpener(std::function<void(const QUrl &)> opener) { m_openUrl = std::move(opener); }

    void getProfile(std::function<void(Profile)> callback);
    void deleteAccount(std::function<void(bool)> callback);
    void getDevices(std::function<void(QList<Device>)> callback);
    // The completion, when given, learns whether the device was removed.
    void removeDevice(const QString &deviceId, std::function<void(bool)> callback = {});
    void getGroup(std::function<void(Group)> callback);
    void generateInviteCode(std::function<void(GroupInvitation)> callback);
    void inviteByEmail(const QString &email, std::function<void(GroupInvitation)> callback);
    void joinGroup(const QString &inviteCode, std::function<void(bool)> callback);
    // The completions, when given, learn whether the change was made.
    void leaveGroup(std::function<void(bool)> callback = {});
    void removeMember(const QString &accountId, std::function<void(bool)> callback = {});
    // The completion, when given, learns whether the invitation was revoked.
    void revokeInvitation(const QString &invitationId, std::function<void(bool)> callback = {});
    void openAccountPortal(const QString &path);

    // Inside a completion that reported failure: why, readable by the user.
    QString lastFailure() const;

Q_SIGNALS:
    void groupChanged();

private:
    void membershipChanged();

    ApiClient *m_api;
    AuthClient *m_auth;
    QString m_portalUrl;
    std::function<void(const QUrl &)> m_openUrl;
};

} // namespace TindAccount
