#pragma once

#include <QDebug>
#include <QJsonObject>
#include <QString>

namespace TindAccount {

// A member of a shared cloud calendar. Read from the service's JSON without
// failing: a missing or non-string field is an empty string.
struct ShareMember
{
    QString id; // the same value as user_id
    QString user_id;
    QString email;
    QString display_name;
    QString role;
    QString joined_at; // the service's text, not parsed

    static ShareMember fromJson(const QJsonObject &json);
    bool operator==(const ShareMember &other) const;
};

QDebug operator<<(QDebug debug, const ShareMember &member);

} // namespace TindAccount
