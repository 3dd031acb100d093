#include "ui/icsimport.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>

#include "app/appstate.h"
#include "store/database.h"
#include "store/eventrepository.h"

namespace IcsImport {

namespace {

// Writes one parsed event; counts it in result.
void importOne(EventRepository *events, const Event &parsed, const QString &calendarId,
               Result &result)
{
    Event copy = parsed;
    copy.calendar_id = calendarId;
    copy.sync_status = QStringLiteral("pending");
    const std::optional<Event> existing =
        events->getByUidAndRecurrenceId(copy.uid, calendarId, copy.recurrence_id);
    // The stored text is the event as the file had it when it was stored.
    if (existing && !existing->deleted_at && existing->raw_icalendar == copy.raw_icalendar) {
        ++result.unchanged;
        return;
    }
    if (existing) {
        copy.id = existing->id;
        copy.provider_event_id = existing->provider_event_id;
        copy.etag = existing->etag;
        copy.href = existing->href;
        copy.created = existing->created;
        copy.deleted_at.reset();
        ++(events->update(copy) ? result.updated : result.failed);
    } else {
        copy.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        ++(events->insert(copy) ? result.imported : result.failed);
    }
}

} // namespace

Result importEvents(AppState *state, const QList<Event> &events, const QString &calendarId)
{
    Result result;
    QSqlDatabase &db = state->database()->database();
    // One commit for the whole file; a failed event undoes only its own write.
    const bool inTransaction = db.transaction();
    for (const Event &parsed : events)
        importOne(state->events(), parsed, calendarId, result);
    if (inTransaction && !db.commit()) {
        qWarning().noquote() << "IcsImport::importEvents failed:" << db.lastError().text();
        db.rollback();
        result.failed += result.imported + result.updated;
        result.imported = 0;
        result.updated = 0;
    }
    return result;
}

QString reportText(const Result &result, const QString &calendarLabel)
{
    const int written = result.imported + result.updated;
    if (result.failed > 0 && written == 0) {
        return QCoreApplication::translate("MainWindow", "Couldn't store %n event(s) in %1.", nullptr,
                                           result.failed)
            .arg(calendarLabel);
    }
    if (written == 0 && result.unchanged > 0) {
        return QCoreApplication::translate("MainWindow", "Nothing to change: %n event(s) already in %1.",
                                           nullptr, result.unchanged)
            .arg(calendarLabel);
    }

    QString text;
    if (result.imported >= 1 && result.updated >= 1)
        text = QCoreApplication::translate("MainWindow", "Imported %1 and updated %2 in %3.").arg(result.imported).arg(result.updated).arg(calendarLabel);
    else if (result.imported == 0 && result.updated == 1)
        text = QCoreApplication::translate("MainWindow", "Updated 1 existing event in %1.").arg(calendarLabel);
    else if (result.imported == 0 && result.updated >= 2)
        text = QCoreApplication::translate("MainWindow", "Updated %1 existing events in %2.").arg(result.updated).arg(calendarLabel);
    else if (result.imported == 1)
        text = QCoreApplication::translate("MainWindow", "Imported 1 event into %1.").arg(calendarLabel);
    else
        text = QCoreApplication::translate("MainWindow", "Imported %1 events into %2.").arg(result.imported).arg(calendarLabel);
    if (result.failed > 0) {
        text += QLatin1Char(' ')
            + QCoreApplication::translate("MainWindow", "%n event(s) could not be stored.", nullptr,
                                          result.failed);
    }
    return text;
}

} // namespace IcsImport
