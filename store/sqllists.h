#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Builds IN lists of bound values that stay below SQLite's limit on host
// parameters (999 in older builds).
namespace SqlLists {

inline constexpr int kMaxBoundIds = 500;

// count "?" joined by separator.
QString placeholders(int count, const QString &separator);
// The ids in order, cut into pieces of at most kMaxBoundIds.
QList<QStringList> chunks(const QStringList &ids);
// The values as the text of one JSON array of strings: a whole list bound as
// one value, read back with json_each(?).
QString jsonArray(const QStringList &values);

} // namespace SqlLists
