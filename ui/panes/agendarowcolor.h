#pragma once

#include <QHash>
#include <QString>

class AppState;

// The colour of an agenda row: the item's own, else its calendar's, else
// the default blue. Given the calendars' colours, no store is read.
namespace AgendaRowColor {

QString resolve(const QString &itemColor, const QString &calendarId, const QHash<QString, QString> &calendarColors);
QString resolve(AppState *state, const QString &itemColor, const QString &calendarId);

} // namespace AgendaRowColor
