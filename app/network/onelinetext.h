#pragma once

#include <QString>
#include <QStringList>

namespace Net {

// A server's words as the user reads them or a log line holds them: on one
// line (control and separator characters read as spaces, runs of white
// space as one), each of `secrets` (plain or percent-encoded) put as "***",
// and cut to `maxChars` with an ellipsis. A server's text can otherwise add
// lines of its own to a message box or echo a credential it was sent.
QString oneBoundedLine(const QString &text, const QStringList &secrets, int maxChars);

} // namespace Net
