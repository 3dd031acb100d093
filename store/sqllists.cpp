#include "store/sqllists.h"

namespace SqlLists {

QString placeholders(int count, const QString &separator)
{
    QStringList marks;
    marks.reserve(count);
    for (int i = 0; i < count; ++i)
        marks.append(QStringLiteral("?"));
    return marks.join(separator);
}

QList<QStringList> chunks(const QStringList &ids)
{
    QList<QStringList> out;
    for (qsizetype start = 0; start < ids.size(); start += kMaxBoundIds)
        out.append(ids.mid(start, kMaxBoundIds));
    return out;
}

QString jsonArray(const QStringList &values)
{
    QString out;
    out.reserve(2 + values.size() * 40);
    out += QLatin1Char('[');
    for (const QString &value : values) {
        if (out.size() > 1)
            out += QLatin1Char(',');
        out += QLatin1Char('"');
        for (const QChar c : value) {
            if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
                out += QLatin1Char('\\');
                out += c;
            } else if (c.unicode() < 0x20) {
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            } else {
                out += c;
            }
        }
        out += QLatin1Char('"');
    }
    out += QLatin1Char(']');
    return out;
}

} // namespace SqlLists
