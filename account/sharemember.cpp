#include "account/sharemember.h"

namespace TindAccount {

namespace {

QString text(const QJsonObject &json, const char *key)
{
    const QJsonValue value = json.value(QLatin1String(key));
    return value.isString() ? value.toString() : QString();
}

} // namespace

ShareMember ShareMember::fromJson(const QJsonObject &json)
{
    ShareMember member;
    member.user_id = text(json, "user_id");
    member.id = member.user_id;
    member.email = text(json, "email");
    member.display_name = text(json, "display_name");
    member.role = text(json, "role");
    member.joined_at = text(json, "joined_at");
    return member;
}

bool ShareMember::operator==(const ShareMember &other) const
{
    return id == other.id && user_id == other.user_id && email == other.email
        && display_name == other.display_name && role == other.role && joined_at == other.joined_at;
}

QDebug operator<<(QDebug debug, const ShareMember &member)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "ShareMember(" << member.user_id << ", " << member.email << ", " << member.display_name
                    << ", " << member.role << ", " << member.joined_at << ')';
    return debug;
}

} // namespace TindAccount
