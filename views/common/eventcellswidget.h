#pragma once

#include "views/common/eventhitrect.h"

#include <QDateTime>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

class QMouseEvent;

// A painted grid of day cells (the month, the week cards) whose event lines
// answer the mouse: a click selects the line's event, a double click opens
// it, the context menu asks for its actions. The painting records the lines
// in m_eventHits, topmost last.
class EventCellsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit EventCellsWidget(QWidget *parent = nullptr);

Q_SIGNALS:
    void eventSelected(const QString &eventId, const QDateTime &occurrenceStart, const QRect &screenRect);
    void eventActivated(const QString &eventId);
    void eventContextRequested(const QString &eventId, const QPoint &globalPos);

protected:
    // Selects the event whose line is under the release; false when none is.
    bool selectEventAt(QMouseEvent *event);
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

    QList<EventHitRect> m_eventHits;
};
