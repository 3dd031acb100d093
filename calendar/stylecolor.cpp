#include "calendar/stylecolor.h"

#include <QColor>

QString styleColor(const QString &text, const QString &fallback)
{
    const QString trimmed = text.trimmed();
    if (!QColor::isValidColorName(trimmed))
        return fallback;
    const QColor color = QColor::fromString(trimmed);
    return color.alpha() == 255 ? color.name(QColor::HexRgb) : color.name(QColor::HexArgb);
}
