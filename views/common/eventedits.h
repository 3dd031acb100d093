#pragma once

#include "store/event.h"
#include "views/common/viewhooks.h"

#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QString>

class AppState;
class QWidget;

// What the calendar views do with an event, shared by every view: the
// changes go through the EventEditor (single events onto the undo stack
// once the store took them; a series first asks how far the change reaches)
// and the menu is the one EventActions offers everywhere.
namespace EventEdits {

// Moves the occurrence that starts at instanceStart by whole days and
// minutes of the wall clock, keeping its duration: a block dropped on the
// 03:00 line starts at 03:00 also on a daylight-saving day. Nothing happens
// for an unknown or deleted event, a zero move or an invalid instance start.
void moveEvent(AppState *state, QWidget *view, const QString &eventId, const QDateTime &instanceStart,
               int dayDelta, int minuteOffset);
// Moves the occurrence's end by minuteDelta on the wall clock; at least 15
// minutes remain.
void resizeEvent(AppState *state, QWidget *view, const QString &eventId, const QDateTime &instanceStart,
                 int minuteDelta);

// The event menu (EventActions) on the live event with that id, which
// becomes the selected one.
void showContextMenu(AppState *state, QWidget *view, const QString &eventId, const QPoint &globalPos);

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
