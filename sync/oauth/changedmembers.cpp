#include "sync/oauth/changedmembers.h"

namespace OAuth {

QJsonObject changedMembers(const QJsonObject &before, const QJsonObject &after)
{
    QJsonObject changed;
    for (auto it = after.constBegin(); it != after.constEnd(); ++it) {
        const QJsonValue old = before.value(it.key());
        if (old == it.value())
            continue;
        if (!old.isObject() || !it.value().isObject()) {
            changed.insert(it.key(), it.value());
            continue;
        }
        QJsonObject nested = it.value().toObject();
        const QJsonObject oldNested = old.toObject();
        for (auto member = oldNested.constBegin(); member != oldNested.constEnd(); ++member) {
            if (!nested.contains(member.key()))
                nested.insert(member.key(), QJsonValue::Null);
        }
        changed.insert(it.key(), nested);
    }
    for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
        if (!after.contains(it.key()))
            changed.insert(it.key(), QJsonValue::Null);
    }
    return changed;
}

} // namespace OAuth
