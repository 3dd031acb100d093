#pragma once

#include <QMetaType>
#include <QString>

namespace TindAccount {

// The account claims carried in the access token ("custom" → "tnd").
struct TndClaims
{
    QString group_id;
    // "owner" marks the group's owner.
    QString role;

    static TndClaims fromAccessToken(const QString &token);
    bool operator==(const TndClaims &other) const { return group_id == other.group_id && role == other.role; }
};

} // namespace TindAccount

Q_DECLARE_METATYPE(TindAccount::TndClaims)
