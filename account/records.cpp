#include "account/records.h"

#include <QJsonArray>
#include <QJsonValue>

#include <cmath>
#include <limits>

namespace TindAccount {

namespace {

QString text(const QJsonObject &json, const char *key)
{
    const QJsonValue value = json.value(QLatin1String(key));
    return value.isString() ? value.toString() : QString();
}

int integer(const QJsonObject &json, const char *key)
{
    const QJsonValue value = json.value(QLatin1String(key));
    if (!value.isDouble())
        return 0;
    const double number = value.toDouble();
    if (std::floor(number) != number || number < std::numeric_limits<int>::min()
        || number > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(number);
}

bool flag(const QJsonObject &json, const char *key)
{
    const QJsonValue value = json.value(QLatin1String(key));
    return value.isBool() && value.toBool();
}

QDateTime dateTime(const QJsonObject &json, const char *key)
{
    const QString value = text(json, key);
    return value.isEmpty() ? QDateTime() : QDateTime::fromString(value, Qt::ISODate);
}

} // namespace

template<typename Record>
QList<Record> recordsFromJson(const QJsonObject &json, const QString &key)
{
    QList<Record> records;
    const QJsonArray array = json.value(key).toArray();
    records.reserve(array.size());
    for (const QJsonValue &element : array)
        records.append(Record::fromJson(element.toObject()));
    return records;
}

template QList<User> recordsFromJson<User>(const QJsonObject &, const QString &);
template QList<Session> recordsFromJson<Session>(const QJsonObject &, const QString &);
template QList<Device> recordsFromJson<Device>(const QJsonObject &, const QString &);
template QList<GroupMember> recordsFromJson<GroupMember>(const QJsonObject &, const QString &);
template QList<GroupInvitation> recordsFromJson<GroupInvitation>(const QJsonObject &, const QString &);

User User::fromJson(const QJsonObject &json)
{
    return {text(json, "id"), text(json, "email"), text(json, "display_name"), text(json, "username"),
            text(json, "avatar_url"), dateTime(json, "created_at")};
}

bool User::operator==(const User &o) const
{
    return id == o.id && email == o.email && display_name == o.display_name && username == o.username
        && avatar_url == o.avatar_url && created_at == o.created_at;
}

Session Session::fromJson(const QJsonObject &json)
{
    return {text(json, "id"), text(json, "user_agent"), text(json, "ip_address"), dateTime(json, "created_at"),
            dateTime(json, "last_active_at"), flag(json, "is_current")};
}

bool Session::operator==(const Session &o) const
{
    return id == o.id && user_agent == o.user_agent && ip_address == o.ip_address && created_at == o.created_at
        && last_active_at == o.last_active_at && is_current == o.is_current;
}

GroupSummary GroupSummary::fromJson(const QJsonObject &json)
{
    return {text(json, "id"), text(json, "name"), text(json, "role"), integer(json, "member_count")};
}

bool GroupSummary::operator==(const GroupSummary &o) const
{
    return id == o.id && name == o.name && role == o.role && member_count == o.member_count;
}

Profile Profile::fromJson(const QJsonObject &json)
{
    Profile profile{text(json, "id"), text(json, "email"), text(json, "display_name"), text(json, "avatar_url"),
                    text(json, "language"), text(json, "timezone"), text(json, "status"),
                    dateTime(json, "created_at"), std::nullopt};
    // The key's presence, not its value, says the account is in a group.
    if (json.contains(QLatin1String("group")))
        profile.group = GroupSummary::fromJson(json.value(QLatin1String("group")).toObject());
    return profile;
}

bool Profile::operator==(const Profile &o) const
{
    return id == o.id && email == o.email && display_name == o.display_name && avatar_url == o.avatar_url
        && language == o.language && timezone == o.timezone && status == o.status && created_at == o.created_at
        && group == o.group;
}

Device Device::fromJson(const QJsonObject &json)
{
    return {text(json, "id"),          text(json, "device_name"), text(json, "platform"),
            text(json, "app_id"),      text(json, "app_version"), dateTime(json, "last_sync_at"),
            text(json, "device_fingerprint"), dateTime(json, "created_at")};
}

bool Device::operator==(const Device &o) const
{
    return id == o.id && device_name == o.device_name && platform == o.platform && app_id == o.app_id
        && app_version == o.app_version && last_sync_at == o.last_sync_at
        && device_fingerprint == o.device_fingerprint && created_at == o.created_at;
}

GroupMember GroupMember::fromJson(const QJsonObject &json)
{
    return {text(json, "account_id"), text(json, "auth_user_id"), text(json, "display_name"),
            text(json, "email"),      text(json, "role"),         dateTime(json, "joined_at")};
}

bool GroupMember::operator==(const GroupMember &o) const
{
    return account_id == o.account_id && auth_user_id == o.auth_user_id && display_name == o.display_name
        && email == o.email && role == o.role && joined_at == o.joined_at;
}

GroupInvitation GroupInvitation::fromJson(const QJsonObject &json)
{
    return {text(json, "id"), text(json, "invited_email"), text(json, "invite_code"), text(json, "status"),
            dateTime(json, "expires_at")};
}

bool GroupInvitation::operator==(const GroupInvitation &o) const
{
    return id == o.id && invited_email == o.invited_email && invite_code == o.invite_code && status == o.status
        && expires_at == o.expires_at;
}

Group Group::fromJson(const QJsonObject &json)
{
    return {text(json, "id"), text(json, "name"), integer(json, "max_seats"),
            recordsFromJson<GroupMember>(json, QStringLiteral("members")),
            recordsFromJson<GroupInvitation>(json, QStringLiteral("pending_invitations"))};
}

bool Group::operator==(const Group &o) const
{
    return id == o.id && name == o.name && max_seats == o.max_seats && members == o.members
        && pending_invitations == o.pending_invitations;
}

} // namespace TindAccount
