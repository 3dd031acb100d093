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

} // namespace SqlLists
