#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class QLabel;
class QPainter;

// A row of the task, reminder and agenda lists: it lights up under the
// mouse and hands a click, a double click and the context menu to its list
// with the id of the item it shows. A row with a control of its own (a
// completion box) acts on a click there instead.
class PaneRow : public QWidget
{
    Q_OBJECT
public:
    // A row named for tests, with the pointing hand, as wide as its list.
    PaneRow(const QString &objectName, QWidget *parent);

Q_SIGNALS:
    void rowSelected(const QString &itemId, const QRect &screenRect);
    void rowActivated(const QString &itemId);
    void rowContextRequested(const QString &itemId, const QPoint &globalPos);

protected:
    // The id the signals carry.
    virtual QString itemId() const = 0;
    // Whether the point lies on the row's own control.
    virtual bool isOnControl(const QPoint &) const { return false; }
    // A click released on the row's own control.
    virtual void clickControl() {}

    bool isHovered() const { return m_hovered; }
    // The muted "›" at the row's end that says a click opens more.
    QLabel *makeChevron();
    // The row's title: stored text shown as plain text, so that markup
    // from a server does not render; wrapping, bold when asked.
    QLabel *makeTitle(const QString &text, const char *objectName, bool bold);
    // The light fill under the mouse.
    void paintHover(QPainter &painter);
    // The thin rule along the bottom edge.
    void paintRule(QPainter &painter);

    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    bool m_hovered = false;
};
