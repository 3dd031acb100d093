#include "store/storedtime.h"

#include <QTimeZone>

namespace StoredTime {

QString instant(const QDateTime &value)
{
    if (!value.isValid())
        return QString();
    return value.toUTC().toString(Qt::ISODate);
}

QString date(const QDate &value)
{
    if (!value.isValid())
        return QString();
    return value.toString(Qt::ISODate);
}

QString now()
{
    return instant(QDateTime::currentDateTimeUtc());
}

QString instantOrNow(const QDateTime &value)
{
    return value.isValid() ? instant(value) : now();
}

bool isDateOnly(const QString &text)
{
    return text.trimmed().size() == 10;
}

QDateTime parse(const QString &raw)
{
    const QString text = raw.trimmed();
    if (text.isEmpty())
        return QDateTime();

    if (isDateOnly(text)) {
        const QDate day = QDate::fromString(text, Qt::ISODate);
        return day.isValid() ? QDateTime(day, QTime(0, 0)) : QDateTime();
    }

    QString iso = text;
    if (iso.size() > 10 && iso.at(10) == QLatin1Char(' '))
        iso[10] = QLatin1Char('T');
    QDateTime parsed = QDateTime::fromString(iso, Qt::ISODate);
    if (!parsed.isValid())
        return QDateTime();
    // No designator: SQLite's own stamps, which are UTC.
    if (parsed.timeSpec() == Qt::LocalTime)
        parsed = QDateTime(parsed.date(), parsed.time(), QTimeZone::utc());
    return parsed;
}

std::optional<QDateTime> parseOptional(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return parse(text);
}

QVariant text(const QString &value)
{
    if (value.isNull())
        return QVariant(QMetaType::fromType<QString>());
    return value;
}

QVariant instantOrNull(const std::optional<QDateTime> &value)
{
    if (!value || !value->isValid())
        return QVariant(QMetaType::fromType<QString>());
    return instant(*value);
}

} // namespace StoredTime
