#pragma once

#include "store/task.h"

#include <QRect>
#include <QString>
#include <QWidget>

class AppState;

// One task in the agenda: a painted check box, the title and an overdue
// mark. A click on the box completes the task.
class AgendaTaskRow : public QWidget
{
    Q_OBJECT
public:
    AgendaTaskRow(AppState *app, const Task &task, QWidget *parent = nullptr, const QString &color = QString());

    const Task &task() const { return m_task; }
    // The check box's click area: the box grown by 2 on every side.
    QRect checkHitArea() const;

Q_SIGNALS:
    void rowSelected(const QString &taskId, const QRect &screenRect);
    void rowActivated(const QString &taskId);
    void rowContextRequested(const QString &taskId, const QPoint &globalPos);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QRect checkBox() const;

    AppState *m_app;
    Task m_task;
    QString m_color;
    bool m_hovered = false;
};
