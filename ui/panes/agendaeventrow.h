#pragma once

#include "store/event.h"

#include <QRect>
#include <QString>
#include <QWidget>

class AppState;

// One event occurrence in the agenda: its times, a colour bar, the title
// with its marks, and the location.
class AgendaEventRow : public QWidget
{
    Q_OBJECT
public:
    // An empty colour is resolved from the event and its calendar.
    AgendaEventRow(AppState *app, const Event &event, QWidget *parent = nullptr, const QString &color = QString(),
                   bool pendingMark = false);

    const Event &event() const { return m_event; }
    QString color() const { return m_color; }

Q_SIGNALS:
    void rowSelected(const QString &eventId, const QRect &screenRect);
    void rowActivated(const QString &eventId);
    void rowContextRequested(const QString &eventId, const QPoint &globalPos);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QWidget *buildTimeColumn();
    void buildTextColumn(QLayout *row, bool pendingMark);

    AppState *m_app;
    Event m_event;
    QString m_color;
    bool m_hovered = false;
};
