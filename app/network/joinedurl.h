#pragma once

#include <QString>
#include <QUrl>

namespace Net {

// `path` appended to the path of `base` (its trailing slashes dropped),
// without the base's query or fragment.
QUrl joinedUrl(const QUrl &base, const QString &path);

} // namespace Net
