#include "cloud/sharingbackend.h"

#include <QJsonArray>

#include "account/apiclient.h"

namespace Tindlebrook {

namespace {

QString calendarPath(const QString &calendarId)
{
    return QStringLiteral("/calendars/") + TindAccount::ApiClient::pathSegment(calendarId);
}

} // namespace

SharingBackend::SharingBackend(TindAccount::ApiClient *api, QObject *parent)
    : TindAccount::SharingBackend(parent)
    , m_api(api)
{
}

void SharingBackend::listMembers(const QString &calendarId, MembersCallback callback)
{
    if (!m_api) {
        callback({});
        return;
    }
    m_api->get(calendarPath(calendarId) + QStringLiteral("/members"),
               [callback](bool ok, int, const QJsonObject &json) {
                   QList<TindAccount::ShareMember> members;
                   if (ok) {
                       for (const QJsonValue &element : json.value(QStringLiteral("members")).toArray())
                           members.append(TindAccount::ShareMember::fromJson(element.toObject()));
                   }
                   callback(members);
               });
}

void SharingBackend::shareWith(const QString &calendarId, const QString &userId, const QString &role,
                               ShareCallback callback)
{
    if (!m_api) {
        callback(false, tr("Not signed in"));
        return;
    }
    const QJsonObject body{{QStringLiteral("user_id"), userId},
                           {QStringLiteral("role"), role.isEmpty() ? QStringLiteral("member") : role}};
    m_api->post(calendarPath(calendarId) + QStringLiteral("/share"), body,
                [callback](bool ok, int status, const QJsonObject &json) {
                    if (ok) {
                        callback(true, QString());
                        return;
                    }
                    const QJsonValue error = json.value(QStringLiteral("error"));
                    callback(false, error.isString() ? error.toString()
                                                     : tr("Sharing failed (HTTP %1)").arg(status));
                });
}

void SharingBackend::removeShare(const QString &calendarId, const QString &userId, RemoveCallback callback)
{
    if (!m_api) {
        callback(false);
        return;
    }
    m_api->del(calendarPath(calendarId) + QStringLiteral("/share/") + TindAccount::ApiClient::pathSegment(userId),
               [callback](bool ok, int, const QJsonObject &) { callback(ok); });
}

} // namespace Tindlebrook
