#include "views/common/eventcolors.h"

namespace EventColors {

QColor colorOf(const Event &event, const QHash<QString, QString> &calendarColors)
{
    QString text = event.color;
    if (text.isEmpty())
        text = calendarColors.value(event.calendar_id);
    QColor color(text.isEmpty() ? QString::fromLatin1(Fallback) : text);
    if (!color.isValid())
        color = QColor(QString::fromLatin1(Fallback));
    return color;
}

} // namespace EventColors
