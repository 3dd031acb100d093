#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QPoint>
#include <QString>

#include "app/edits/editresult.h"
#include "app/edits/eventeditor.h"
#include "store/event.h"

#include <functional>

class AppState;
class QWidget;

// What every place that shows an event offers on it: the event menu, the
// delete after asking, the duplicate, a drag's change of times (asking how
// far a change to a series reaches) and the message when the store refused
// one of them. The edits themselves are the EventEditor's.
class EventActions
{
    Q_DECLARE_TR_FUNCTIONS(EventActions)
public:
    using OpenEditor = std::function<void(const Event &stored)>;

    // The event menu on the stored event: edit (through openEditor), delete
    // after asking, and the filter entries.
    static void showMenu(AppState *state, QWidget *parent, const Event &stored, const QPoint &globalPos,
                         const OpenEditor &openEditor);
    // Asks, then deletes the live event with that id with its undo. True
    // once it is deleted.
    static bool confirmAndDelete(AppState *state, QWidget *parent, const QString &eventId);
    // Stores "<title> (copy)" as a new event of its own.
    static bool duplicate(AppState *state, QWidget *parent, const Event &source);
    // Gives an occurrence new times; a series first asks how far the change
    // reaches.
    static void changeTimes(AppState *state, QWidget *parent, const Event &stored, const QDateTime &occurrenceStart,
                            const EventEditor::Times &times, EventEditor::TimeEdit edit);

    // The box every caller shows when the store refused a change, with the
    // result's own words.
    static void showSaveFailure(QWidget *parent, const EditResult &result);

private:
    static void showDeleteFailure(QWidget *parent, const EditResult &result);
};
