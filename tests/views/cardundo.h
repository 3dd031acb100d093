#pragma once

#include "app/edits/undostack.h"
#include "tests/support/modalanswerer.h"
#include "ui/popovers/eventdetailspopover.h"
#include "views/day/dayview.h"

#include <QDateTime>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QTest>

// The occurrence's card opened from `view`, and its Delete answered Yes.
// refused: the store refuses the delete, and the box saying so is closed.
inline void deleteFromCard(DayView *view, ModalAnswerer *answerer, const QString &id, const QDateTime &occurrence,
                           bool refused = false)
{
    view->onEventSelected(id, occurrence, QRect());
    EventDetailsPopover *card = EventDetailsPopover::current();
    QVERIFY(card);
    QCOMPARE(card->event().start_time, occurrence);
    answerer->pressButton(QMessageBox::Yes);
    if (refused)
        answerer->pressButton(QMessageBox::Ok);
    card->findChild<QPushButton *>(QStringLiteral("delete"))->click();
    QCOMPARE(answerer->pending(), 0);
}

// Ctrl+Z on `undo`, and what the status bar is told of it.
inline QString pressUndo(UndoStack *undo)
{
    QString said;
    QObject context;
    QObject::connect(undo, &UndoStack::undone, &context, [&said](const QString &label, UndoStack::Outcome how) {
        said = "Undid " + label + (how == UndoStack::Outcome::Reinvited ? ", its guests invited again" : "");
    });
    QObject::connect(undo, &UndoStack::notUndone, &context, [&said](const QString &label, UndoStack::Outcome why) {
        said = (why == UndoStack::Outcome::ChangedSince ? "Changed since: " : "Failed: ") + label;
    });
    undo->undo();
    return said;
}
