#include "views/common/eventcellswidget.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

EventCellsWidget::EventCellsWidget(QWidget *parent)
    : QWidget(parent)
{
}

bool EventCellsWidget::selectEventAt(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const int hit = lastHitAt(m_eventHits, pos);
    if (hit < 0)
        return false;
    const QString id = m_eventHits.at(hit).eventId;
    if (const EventHitRect *piece = eventPieceAt(m_eventHits, id, pos)) {
        event->accept();
        Q_EMIT eventSelected(id, piece->occurrenceStart, QRect(mapToGlobal(piece->rect.topLeft()), piece->rect.size()));
    }
    return true;
}

void EventCellsWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int hit = event->button() == Qt::LeftButton ? lastHitAt(m_eventHits, event->position().toPoint()) : -1;
    if (hit < 0) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    Q_EMIT eventActivated(m_eventHits.at(hit).eventId);
}

void EventCellsWidget::contextMenuEvent(QContextMenuEvent *event)
{
    const int hit = lastHitAt(m_eventHits, event->pos());
    if (hit < 0) {
        QWidget::contextMenuEvent(event);
        return;
    }
    event->accept();
    Q_EMIT eventContextRequested(m_eventHits.at(hit).eventId, event->globalPos());
}
