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

} // namespace SqlLists
