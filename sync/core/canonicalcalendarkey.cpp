#include "sync/core/canonicalcalendarkey.h"

#include <QCryptographicHash>
#include <QHash>
#include <QUrl>

namespace {

std::optional<QString> familyOf(const QString &providerType)
{
    if (providerType == QLatin1String("caldav") || providerType == QLatin1String("icloud")
        || providerType == QLatin1String("zoho"))
        return QStringLiteral("caldav");
    if (providerType == QLatin1String("google") || providerType == QLatin1String("microsoft")
        || providerType == QLatin1String("tindlebrook") || providerType == QLatin1String("webcal"))
        return providerType;
    return std::nullopt;
}

QString caldavIdentity(const QString &lowered)
{
    const QUrl url(lowered, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return lowered;
    QString identity = url.path(QUrl::FullyDecoded);
    if (url.hasQuery())
        identity += QLatin1Char('?') + url.query();
    return identity;
}

QString tindlebrookIdentity(QString identity)
{
    for (const QLatin1String prefix : {QLatin1String("tindlebrook://"), QLatin1String("local://")}) {
        if (identity.startsWith(prefix)) {
            identity.remove(0, prefix.size());
            break;
        }
    }
    if (identity.startsWith(QLatin1String("calendar/")))
        identity.remove(0, int(qstrlen("calendar/")));
    if (identity == QLatin1String("personal") || identity == QLatin1String("tindlebrook-personal-default"))
        identity = QStringLiteral("tindlebrook-personal-default");
    return identity;
}

} // namespace

namespace Sync {

std::optional<QString> canonicalCalendarKey(const QString &providerType, const QString &url)
{
    const std::optional<QString> family = familyOf(providerType);
    if (!family)
        return std::nullopt;

    QString identity = url.toLower();
    if (*family == QLatin1String("caldav"))
        identity = caldavIdentity(identity);
    else if (*family == QLatin1String("tindlebrook"))
        identity = tindlebrookIdentity(identity);
    while (identity.endsWith(QLatin1Char('/')))
        identity.chop(1);

    const QByteArray material = (*family + QLatin1Char(':') + identity).toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(material, QCryptographicHash::Sha256).toHex());
}

QStringList calendarKeysForIds(const QStringList &localIds, const QList<Calendar> &calendars)
{
    QHash<QString, QString> keyById;
    for (const Calendar &calendar : calendars) {
        if (!calendar.canonical_key.isEmpty())
            keyById.insert(calendar.id, calendar.canonical_key);
    }
    QStringList keys;
    for (const QString &id : localIds) {
        const QString key = keyById.value(id);
        if (!key.isEmpty())
            keys.append(key);
    }
    return keys;
}

CalendarKeyResolution calendarIdsForKeys(const QStringList &keys, const QList<Calendar> &calendars)
{
    QHash<QString, QString> idByKey;
    for (const Calendar &calendar : calendars) {
        if (!calendar.canonical_key.isEmpty())
            idByKey.insert(calendar.canonical_key, calendar.id);
    }
    CalendarKeyResolution result;
    for (const QString &key : keys) {
        const auto found = idByKey.constFind(key);
        if (found != idByKey.constEnd())
            result.ids.append(found.value());
        else
            result.unresolved.append(key);
    }
    return result;
}

} // namespace Sync
