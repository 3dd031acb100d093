#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

namespace TindAccount {

// Plain values read from the cloud service's JSON replies. Reading never
// fails: a missing or wrong-typed field keeps its default, so a record read
// from an empty object is the empty record handed out when a request failed.

struct User
{
    QString id;
    QString email;
    QString display_name;
    QString username;
    QString avatar_url;
    QDateTime created_at;

    static User fromJson(const QJsonObject &json);
    bool operator==(const User &other) const;
};

struct Session
{
    QString id;
    QString user_agent;
    QString ip_address;
    QDateTime created_at;
    QDateTime last_active_at;
    bool is_current = false;

    static Session fromJson(const QJsonObject &json);
    bool operator==(const Session &other) const;
};

struct GroupSummary
{
    QString id;
    QString name;
    QString role;
    int member_count = 0;

    static GroupSummary fromJson(const QJsonObject &json);
    bool operator==(const GroupSummary &other) const;
};

struct Profile
{
    QString id;
    QString email;
    QString display_name;
    QString avatar_url;
    QString language;
    QString timezone;
    QString status;
    QDateTime created_at;
    std::optional<GroupSummary> group;

    static Profile fromJson(const QJsonObject &json);
    bool operator==(const Profile &other) const;
};

struct Device
{
    QString id;
    QString device_name;
    QString platform;
    QString app_id;
    QString app_version;
    QDateTime last_sync_at;
    QString device_fingerprint;
    QDateTime created_at;

    static Device fromJson(const QJsonObject &json);
    bool operator==(const Device &other) const;
};

struct GroupMember
{
    QString account_id;
    QString auth_user_id;
    QString display_name;
    QString email;
    QString role;
    QDateTime joined_at;

    static GroupMember fromJson(const QJsonObject &json);
    bool operator==(const GroupMember &other) const;
};

struct GroupInvitation
{
    QString id;
    QString invited_email;
    QString invite_code;
    QString status;
    QDateTime expires_at;

    static GroupInvitation fromJson(const QJsonObject &json);
    bool operator==(const GroupInvitation &other) const;
};

struct Group
{
    QString id;
    QString name;
    int max_seats = 0;
    QList<GroupMember> members;
    QList<GroupInvitation> pending_invitations;

    static Group fromJson(const QJsonObject &json);
    bool operator==(const Group &other) const;
};

// Reads every element of the array under `key` with `Record::fromJson`; a
// non-object element gives the empty record, a non-array value no records.
template<typename Record>
QList<Record> recordsFromJson(const QJsonObject &json, const QString &key);

} // namespace TindAccount
