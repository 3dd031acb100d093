#include "app/network/onelinetext.h"

#include <QChar>
#include <QUrl>

#include <algorithm>

namespace Net {

QString oneBoundedLine(const QString &text, const QStringList &secrets, int maxChars)
{
    QString line = text;
    // The longest first, so that no part of one is left by a shorter one.
    QStringList hidden;
    for (const QString &secret : secrets) {
        if (!secret.isEmpty())
            hidden << secret << QString::fromLatin1(QUrl::toPercentEncoding(secret));
    }
    std::sort(hidden.begin(), hidden.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &secret : std::as_const(hidden))
        line.replace(secret, QStringLiteral("***"));
    for (QChar &c : line) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    line = line.simplified();
    if (line.size() > maxChars) {
        int cut = maxChars - 1;
        if (line.at(cut - 1).isHighSurrogate())
            --cut;
        line = line.left(cut) + QChar(0x2026);
    }
    return line;
}

} // namespace Net
