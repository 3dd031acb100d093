#include "account/accountclient.h"

#include <QDesktopServices>
#include <QJsonObject>
#include <QPointer>

#include "account/apiclient.h"
#include "account/authclient.h"

namespace TindAccount {

namespace {

// A completion that reads a record from the reply, or hands over the empty
// record when the request failed.
template<typename Record>
ApiClient::ResponseCallback recordReply(std::function<void(Record)> callback)
{
    return [callback](bool ok, int, const QJsonObject &json) {
        if (!callback)
            return;
        callback(ok ? Record::fromJson(json) : Record());
    };
}

ApiClient::ResponseCallback flagReply(std::function<void(bool)> callback)
{
    return [callback](bool ok, int, const QJsonObject &) {
        if (callback)
            callback(ok);
    };
}

} // namespace

AccountClient::AccountClient(ApiClient *api, AuthClient *auth, const Client::Config &config, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_auth(auth)
    , m_portalUrl(config.accountPortalUrl)
    , m_openUrl([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
}

void AccountClient::getProfile(std::function<void(Profile)> callback)
{
    m_api->get(QStringLiteral("/profile"), recordReply<Profile>(std::move(callback)));
}

void AccountClient::deleteAccount(std::function<void(bool)> callback)
{
    m_api->del(QStringLiteral("/profile"), flagReply(std::move(callback)));
}

void AccountClient::getDevices(std::function<void(QList<Device>)> callback)
{
    m_api->get(QStringLiteral("/devices"), [callback](bool ok, int, const QJsonObject &json) {
        QList<Device> devices;
        if (ok)
            devices = recordsFromJson<Device>(json, QStringLiteral("devices"));
        if (callback)
            callback(devices);
    });
}

void AccountClient::removeDevice(const QString &deviceId, std::function<void(bool)> callback)
{
    m_api->del(QStringLiteral("/devices/%1").arg(ApiClient::pathSegment(deviceId)), flagReply(std::move(callback)));
}

void AccountClient::getGroup(std::function<void(Group)> callback)
{
    m_api->get(QStringLiteral("/group"), recordReply<Group>(std::move(callback)));
}

void AccountClient::generateInviteCode(std::function<void(GroupInvitation)> callback)
{
    m_api->post(QStringLiteral("/group/invite"), QJsonObject(), recordReply<GroupInvitation>(std::move(callback)));
}

void AccountClient::inviteByEmail(const QString &email, std::function<void(GroupInvitation)> callback)
{
    m_api->post(QStringLiteral("/group/invite"), QJsonObject{{QStringLiteral("email"), email}},
                recordReply<GroupInvitation>(std::move(callback)));
}

void AccountClient::membershipChanged()
{
    // The new token's claims carry the group as the server now sees it.
    m_auth->refreshToken({});
    Q_EMIT groupChanged();
}

void AccountClient::joinGroup(const QString &inviteCode, std::function<void(bool)> callback)
{
    QPointer<AccountClient> self(this);
    m_api->post(QStringLiteral("/group/join/%1").arg(ApiClient::pathSegment(inviteCode)), QJsonObject(),
                [self, callback](bool ok, int, const QJsonObject &) {
                    if (ok && self)
                        self->membershipChanged();
                    if (callback)
                        callback(ok);
                });
}

void AccountClient::leaveGroup(std::function<void(bool)> callback)
{
    QPointer<AccountClient> self(this);
    m_api->post(QStringLiteral("/group/leave"), QJsonObject(), [self, callback](bool ok, int, const QJsonObject &) {
        if (ok && self)
            self->membershipChanged();
        if (callback)
            callback(ok);
    });
}

void AccountClient::removeMember(const QString &accountId, std::function<void(bool)> callback)
{
    QPointer<AccountClient> self(this);
    m_api->del(QStringLiteral("/group/members/%1").arg(ApiClient::pathSegment(accountId)),
               [self, callback](bool ok, int, const QJsonObject &) {
                   if (ok && self)
                       Q_EMIT self->groupChanged();
                   if (callback)
                       callback(ok);
               });
}

QString AccountClient::lastFailure() const
{
    return m_api->lastFailure();
}

void AccountClient::revokeInvitation(const QString &invitationId, std::function<void(bool)> callback)
{
    m_api->del(QStringLiteral("/group/invitations/%1").arg(ApiClient::pathSegment(invitationId)),
               flagReply(std::move(callback)));
}

void AccountClient::openAccountPortal(const QString &path)
{
    if (m_portalUrl.isEmpty())
        return;
    QString text = m_portalUrl;
    if (!path.isEmpty()) {
        if (text.endsWith(QLatin1Char('/')))
            text.chop(1);
        text += path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path;
    }
    m_openUrl(QUrl(text, QUrl::TolerantMode));
}

} // namespace TindAccount
