#include "sync/microsoft/microsofttransactionid.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace Microsoft {

namespace {

constexpr QChar Separator = QLatin1Char('.');

} // namespace

QString transactionIdOf(const Event &row)
{
    // Stored anew, the row still holds the object Graph had before the
    // deletion: its id names this insert, the same at every retry and
    // another at the next deletion given back.
    const QString heldId = row.provider_event_id.isEmpty()
        ? QJsonDocument::fromJson(row.raw_icalendar.toUtf8()).object().value(QStringLiteral("id")).toString()
        : QString();
    if (heldId.isEmpty())
        return row.id;
    const QByteArray hash = QCryptographicHash::hash(heldId.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return row.id + Separator + QString::fromLatin1(hash);
}

QString rowIdOfTransaction(const QString &transactionId)
{
    // Local ids are UUIDs, which hold no dot.
    return transactionId.section(Separator, 0, 0);
}

} // namespace Microsoft
