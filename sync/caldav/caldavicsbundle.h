#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Shapes the iCalendar text of one CalDAV resource for a PUT.
namespace CalDavIcsBundle {

// One VCALENDAR holding every VEVENT and VTODO of the given calendar texts,
// with each VTIMEZONE once, so a series and its overrides (one UID, one
// resource) travel in one request. The first text's header lines are kept,
// with those of the others it lacks (each name from the first text that has
// it).
QString combine(const QStringList &calendars);

// The text as a CalDAV body: CRLF line ends, a final CRLF, and a VCALENDAR
// wrapper added when the text has none. *wrapped tells whether one was added.
QByteArray toBody(const QString &text, bool *wrapped = nullptr);

} // namespace CalDavIcsBundle
