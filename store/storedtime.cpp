#include "store/storedtime.h"

#include <QTimeZone>

namespace StoredTime {

namespace {

// The value of text[at .. at + count) as decimal digits, or -1.
int digits(const QString &text, int at, int count)
{
    int value = 0;
    for (int i = at; i < at + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// "yyyy-MM-ddTHH:mm:ssZ" exactly, else an invalid date-time.
QDateTime parseUtcInstant(const QString &text)
{
    static const QString shape = QStringLiteral("0000-00-00T00:00:00Z");
    if (text.size() != shape.size())
        return QDateTime();
    for (int i : {4, 7, 10, 13, 16, 19}) {
        if (text.at(i) != shape.at(i))
            return QDateTime();
    }
    const QDate day(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2));
    const int hour = digits(text, 11, 2);
    const int minute = digits(text, 14, 2);
    const int second = digits(text, 17, 2);
    if (!day.isValid() || !QTime::isValid(hour, minute, second))
        return QDateTime();
    return QDateTime(day, QTime(hour, minute, second), Qt::UTC);
}

} // namespace

QString instant(const QDateTime &value)
{
    if (!value.isValid())
        return QString();
    const QDateTime utc = value.toUTC();
    const QDate day = utc.date();
    const QTime time = utc.time();
    if (day.year() < 0 || day.year() > 9999)
        return utc.toString(Qt::ISODate);
    // Written here, digit by digit: a sync or an import writes several per
    // row, and Qt's formatting goes through its locale machinery each time.
    char16_t text[] = u"0000-00-00T00:00:00Z";
    const auto put = [&text](int at, int value, int width) {
        for (int i = at + width - 1; i >= at; --i, value /= 10)
            text[i] = char16_t(u'0' + value % 10);
    };
    put(0, day.year(), 4);
    put(5, day.month(), 2);
    put(8, day.day(), 2);
    put(11, time.hour(), 2);
    put(14, time.minute(), 2);
    put(17, time.second(), 2);
    return QString(reinterpret_cast<const QChar *>(text), 20);
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
    // The form this store writes, read without the general ISO parser: range
    // reads parse several values per row.
    if (const QDateTime fast = parseUtcInstant(raw); fast.isValid())
        return fast;
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
