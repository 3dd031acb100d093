#pragma once

#include "store/task.h"
#include "ui/panes/panerow.h"

#include <QPoint>
#include <QRect>
#include <QString>

class AppState;
class QLabel;
class QMimeData;
class QVBoxLayout;

// Where a dragged task would land against a row.
enum DropZone { DropNone = 0, DropAbove = 1, DropOnto = 2, DropBelow = 3 };

// One task of the tasks pane or one reminder of the reminders pane: a
// completion box, the title, dates, badges, notes and categories. A click
// on the box completes the task; other clicks, double clicks and the
// context menu go to the pane. A row carries its task when dragged and
// takes another task's row to reorder or nest it.
class TasksPaneRow : public PaneRow
{
    Q_OBJECT
public:
    static constexpr const char *UidMimeType = "application/x-tindlebrook-task-uid";
    static constexpr const char *IdMimeType = "application/x-tindlebrook-task-id";

    TasksPaneRow(AppState *appState, const Task &task, bool showNotes, bool showCategories,
                 const QString &calendarColor, int depth, QWidget *parent = nullptr);

    const Task &task() const { return m_task; }
    int depth() const { return m_depth; }
    void setDraggable(bool draggable) { m_draggable = draggable; }
    bool isDraggable() const { return m_draggable; }
    DropZone dropZone() const { return m_dropZone; }

    // The completion box's click area: the box grown by 2 on every side.
    QRect completionHitArea() const;
    // Whether a drag would start from a press at `press` now at `pos`.
    bool wouldStartDrag(const QPoint &press, const QPoint &pos) const;
    // True when a task of this uid may not be dropped here: the row's own
    // task or one of its ancestors.
    bool refusesDrop(const QString &uid) const;

    static DropZone dropZoneAt(int y, int height);
    // Both entries of the task drag format.
    static QMimeData *makeDragData(const Task &task);

Q_SIGNALS:
    void rowDropTargeted(const QString &sourceUid, const QString &targetUid, DropZone zone);

protected:
    QString itemId() const override { return m_task.id; }
    bool isOnControl(const QPoint &pos) const override { return completionHitArea().contains(pos); }
    void clickControl() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildTitle(QVBoxLayout *column);
    void buildMeta(QVBoxLayout *column);
    void buildExtras(QVBoxLayout *column, bool showNotes, bool showCategories);
    void paintDropZone(QPainter &painter);
    void paintCompletionBox(QPainter &painter);
    void startDrag();
    int boxLeft() const;

    AppState *m_appState;
    Task m_task;
    QString m_calendarColor;
    int m_depth = 0;
    bool m_draggable = true;
    QPoint m_pressPos;
    bool m_pressed = false;
    DropZone m_dropZone = DropNone;
};
