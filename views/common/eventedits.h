#pragma once

#include "store/event.h"
#include "views/common/viewhooks.h"

#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QString>

class AppState;
class QWidget;

// The texts of the edits and the event menu. Every view that offers them
// fills these with its own tr(), so each keeps its translation context.
struct EventEditTexts
{
    QString moved;            // Moved "%1"
    QString resized;          // Resized "%1"
    QString deleted;          // Deleted "%1"
    QString saveFailedTitle;
    QString saveFailedText;   // %1: the title
};

struct EventMenuTexts
{
    QString edit;
    QString remove;
    QString editFilter;       // Edit filter "%1"…
    QString createFilter;
    QString deleteTitle;
    QString deleteQuestion;   // %1: the title, %2: the undo key
};

// Moves, resizes and deletes of events from the calendar views, shared by
// every view. Single events go onto the undo stack once the store took the
// change; a repeating series first asks what to change and has no undo.
namespace EventEdits {

// Moves the occurrence that starts at instanceStart by whole days and
// minutes of the wall clock, keeping its duration: a block dropped on the
// 03:00 line starts at 03:00 also on a daylight-saving day. Nothing happens
// for an unknown or deleted event, a zero move or an invalid instance start.
void moveEvent(AppState *state, QWidget *view, const QString &eventId, const QDateTime &instanceStart,
               int dayDelta, int minuteOffset, const EventEditTexts &texts);
// Moves the occurrence's end by minuteDelta on the wall clock; at least 15
// minutes remain.
void resizeEvent(AppState *state, QWidget *view, const QString &eventId, const QDateTime &instanceStart,
                 int minuteDelta, const EventEditTexts &texts);

// Soft-deletes the stored event and offers the undo; a moved occurrence's
// series skips its day in the same write. The caller asked first.
bool deleteWithUndo(AppState *state, QWidget *view, const Event &stored, const EventEditTexts &texts);

// The event menu: edit, delete (after asking), and the filter entries.
void showContextMenu(AppState *state, QWidget *view, const QString &eventId, const QPoint &globalPos,
                     const EventMenuTexts &menuTexts, const EventEditTexts &editTexts);

// The event form on the stored event, modal over the view.
void openEditor(AppState *state, const Event &stored, QWidget *view);
// The event form on the stored event with that id; nothing for an unknown
// or deleted one.
void openEditorFor(AppState *state, const QString &eventId, QWidget *view);
// A new event starting at `start` for an hour; nothing without a calendar.
void openNewEventAt(AppState *state, const QDateTime &start, QWidget *view);

// Selects the event and shows its details card near anchorRect (centred
// when the rectangle is not valid). A repeating series is shown at the
// clicked occurrence with its duration kept. An empty id only clears the
// selection.
void showDetails(AppState *state, const EventPopoverFactory &factory, QWidget *view, const QString &eventId,
                 const QDateTime &occurrenceStart, const QRect &anchorRect);

} // namespace EventEdits
