#include "views/common/wordfit.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

QFont fitWordsToWidth(QFont font, const QString &text, int width, qreal floorPointSize)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    auto widest = [&words](const QFont &candidate) {
        const QFontMetrics metrics(candidate);
        int widest = 0;
        for (const QString &word : words)
            widest = std::max(widest, metrics.horizontalAdvance(word));
        return widest;
    };
    while (widest(font) > width && font.pointSizeF() > floorPointSize)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}
