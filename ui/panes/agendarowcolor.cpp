#include "ui/panes/agendarowcolor.h"

#include "app/appstate.h"
#include "store/calendarrepository.h"

namespace AgendaRowColor {

QString resolve(const QString &itemColor, const QString &calendarId, const QHash<QString, QString> &calendarColors)
{
    if (!itemColor.isEmpty())
        return itemColor;
    const auto it = calendarColors.constFind(calendarId);
    return it != calendarColors.constEnd() ? *it : QStringLiteral("#4285F4");
}

QString resolve(AppState *state, const QString &itemColor, const QString &calendarId)
{
    if (!itemColor.isEmpty())
        return itemColor;
    const std::optional<Calendar> calendar = state->calendars()->getById(calendarId);
    return calendar ? calendar->color : QStringLiteral("#4285F4");
}

} // namespace AgendaRowColor
