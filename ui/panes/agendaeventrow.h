#pragma once

#include "store/event.h"

#include "ui/panes/panerow.h"

#include <QString>

class AppState;

// One event occurrence in the agenda: its times, a colour bar, the title
// with its marks, and the location.
class AgendaEventRow : public PaneRow
{
    Q_OBJECT
public:
    // An empty colour is resolved from the event and its calendar.
    AgendaEventRow(AppState *app, const Event &event, QWidget *parent = nullptr, const QString &color = QString(),
                   bool pendingMark = false);

    const Event &event() const { return m_event; }
    QString color() const { return m_color; }

protected:
    QString itemId() const override { return m_event.id; }
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *buildTimeColumn();
    void buildTextColumn(QLayout *row, bool pendingMark);

    AppState *m_app;
    Event m_event;
    QString m_color;
};
