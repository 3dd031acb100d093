#include "ui/popovers/popoverplacement.h"

#include <QApplication>
#include <QWidget>

namespace {

constexpr int Margin = 8;

QWidget *hostOf(QWidget *popover)
{
    if (QWidget *parent = popover->parentWidget())
        return parent;
    return QApplication::activeWindow();
}

void showAt(QWidget *popover, const QPoint &topLeft)
{
    popover->move(topLeft);
    popover->show();
    popover->raise();
    popover->setFocus(Qt::OtherFocusReason);
}

} // namespace

void positionPopoverNear(QWidget *popover, const QRect &anchor)
{
    QWidget *host = popover ? hostOf(popover) : nullptr;
    if (!host)
        return;
    popover->adjustSize();
    const int w = popover->width();
    const int h = popover->height();
    const QRect a(host->mapFromGlobal(anchor.topLeft()), anchor.size());
    const QRect b = host->rect();

    int y = a.top();
    if (y + h + Margin > b.bottom())
        y = b.bottom() - Margin - h;
    if (y < b.top() + Margin)
        y = b.top() + Margin;

    int x;
    if (a.right() + Margin + w <= b.right()) {
        x = a.right() + Margin;
    } else if (a.left() - Margin - w >= b.left()) {
        x = a.left() - Margin - w;
    } else {
        x = a.center().x() - w / 2;
        if (x < b.left() + Margin)
            x = b.left() + Margin;
        if (x + w > b.right() - Margin)
            x = b.right() - Margin - w;
        y = a.bottom() + Margin;
        if (y + h > b.bottom())
            y = a.top() - Margin - h;
    }
    showAt(popover, QPoint(x, y));
}

void showPopoverCentered(QWidget *popover)
{
    QWidget *host = popover ? hostOf(popover) : nullptr;
    if (!host)
        return;
    popover->adjustSize();
    const QRect b = host->rect();
    showAt(popover, QPoint(b.left() + (b.width() - popover->width()) / 2, b.top() + (b.height() - popover->height()) / 2));
}
