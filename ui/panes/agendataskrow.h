#pragma once

#include "store/task.h"

#include "ui/panes/panerow.h"

#include <QRect>
#include <QString>

class AppState;

// One task in the agenda: a painted check box, the title and an overdue
// mark. A click on the box completes the task.
class AgendaTaskRow : public PaneRow
{
    Q_OBJECT
public:
    AgendaTaskRow(AppState *app, const Task &task, QWidget *parent = nullptr, const QString &color = QString());

    const Task &task() const { return m_task; }
    // The check box's click area: the box grown by 2 on every side.
    QRect checkHitArea() const;

protected:
    QString itemId() const override { return m_task.id; }
    bool isOnControl(const QPoint &pos) const override { return checkHitArea().contains(pos); }
    void clickControl() override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect checkBox() const;

    AppState *m_app;
    Task m_task;
    QString m_color;
};
