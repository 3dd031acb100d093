#include "sync/oauth/changedmembers.h"

namespace OAuth {

namespace {

// `after`, with null for each member of `before` it drops, in nested
// objects too.
QJsonObject withDropsNamed(const QJsonObject &before, QJsonObject after)
{
    for (auto member = before.constBegin(); member != before.constEnd(); ++member) {
        const QJsonValue now = after.value(member.key());
        if (now.isUndefined())
            after.insert(member.key(), QJsonValue::Null);
        else if (now.isObject() && member.value().isObject())
            after.insert(member.key(), withDropsNamed(member.value().toObject(), now.toObject()));
    }
    return after;
}

} // namespace

QJsonObject changedMembers(const QJsonObject &before, const QJsonObject &after)
{
    QJsonObject changed;
    for (auto it = after.constBegin(); it != after.constEnd(); ++it) {
        const QJsonValue old = before.value(it.key());
        if (old == it.value())
            continue;
        if (!old.isObject() || !it.value().isObject())
            changed.insert(it.key(), it.value());
        else
            changed.insert(it.key(), withDropsNamed(old.toObject(), it.value().toObject()));
    }
    for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
        if (!after.contains(it.key()))
            changed.insert(it.key(), QJsonValue::Null);
    }
    return changed;
}

} // namespace OAuth
