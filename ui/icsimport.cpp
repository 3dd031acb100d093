#include "ui/icsimport.h"

#include <QCoreApplication>
#include <QUuid>

#include "app/appstate.h"
#include "store/eventrepository.h"

namespace IcsImport {

Result importEvents(AppState *state, const QList<Event> &events, const QString &calendarId)
{
    Result result;
    for (const Event &parsed : events) {
        Event copy = parsed;
        copy.calendar_id = calendarId;
        copy.sync_status = QStringLiteral("pending");
        if (const std::optional<Event> existing = state->events()->getByUid(copy.uid, calendarId)) {
            copy.id = existing->id;
            copy.provider_event_id = existing->provider_event_id;
            copy.etag = existing->etag;
            copy.href = existing->href;
            copy.created = existing->created;
            copy.deleted_at.reset();
            if (state->events()->update(copy))
                ++result.updated;
        } else {
            copy.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
            if (state->events()->insert(copy))
                ++result.imported;
        }
    }
    return result;
}

QString reportText(const Result &result, const QString &calendarLabel)
{
    if (result.imported >= 1 && result.updated >= 1)
        return QCoreApplication::translate("MainWindow", "Imported %1 and updated %2 in %3.").arg(result.imported).arg(result.updated).arg(calendarLabel);
    if (result.imported == 0 && result.updated == 1)
        return QCoreApplication::translate("MainWindow", "Updated 1 existing event in %1.").arg(calendarLabel);
    if (result.imported == 0 && result.updated >= 2)
        return QCoreApplication::translate("MainWindow", "Updated %1 existing events in %2.").arg(result.updated).arg(calendarLabel);
    if (result.imported == 1)
        return QCoreApplication::translate("MainWindow", "Imported 1 event into %1.").arg(calendarLabel);
    return QCoreApplication::translate("MainWindow", "Imported %1 events into %2.").arg(result.imported).arg(calendarLabel);
}

} // namespace IcsImport
