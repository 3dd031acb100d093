#include "dialogs/editing/screenfit.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// The frame of a window not yet shown is unknown; a title bar and borders
// take about this much (the allowance QDialog also makes when it places
// itself).
constexpr int FrameWidthAllowance = 20;
constexpr int FrameHeightAllowance = 40;

QSize frameAllowance(const QWidget *window)
{
    const QSize frame = window->frameGeometry().size() - window->size();
    return QSize(std::max(frame.width(), FrameWidthAllowance), std::max(frame.height(), FrameHeightAllowance));
}

// How far a window's contents lie inside its frame, while a window manager
// has not framed it yet: as far as in another framed window of the program.
QPoint contentsOffset(const QWidget *window)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *other : windows) {
        if (other != window && other->isVisible() && other->frameGeometry() != other->geometry())
            return other->geometry().topLeft() - other->frameGeometry().topLeft();
    }
    return QPoint();
}

class ShowFitter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous() && watched == parent())
            ScreenFit::place(static_cast<QWidget *>(watched));
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

namespace ScreenFit {

QRect availableArea(const QWidget *window)
{
    const QWidget *parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    const QScreen *screen = parent ? parent->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QSize bounded(const QWidget *window, const QSize &wanted)
{
    const QRect available = availableArea(window);
    if (available.isEmpty())
        return wanted;
    return wanted.boundedTo(available.size() - frameAllowance(window)).expandedTo(window->minimumSize());
}

void place(QWidget *window)
{
    const QRect available = availableArea(window);
    if (available.isEmpty())
        return;
    window->resize(bounded(window, window->size()));
    const QSize outer = window->size() + frameAllowance(window);
    // Until a window manager has framed a window Qt knows no frame, and the
    // window's position is that of its contents.
    const bool framed = window->frameGeometry() != window->geometry();
    const bool moved = window->testAttribute(Qt::WA_Moved);
    QPoint wanted = window->pos() - (framed ? QPoint() : contentsOffset(window));
    if (!moved) {
        // Centred over the parent, as a dialog places itself.
        const QWidget *parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
        const QPoint centre = parent ? parent->frameGeometry().center() : available.center();
        wanted = centre - QPoint(outer.width() / 2, outer.height() / 2);
    }
    // The whole frame inside the free area, not only its title bar.
    const int lastX = std::max(available.left(), available.right() + 1 - outer.width());
    const int lastY = std::max(available.top(), available.bottom() + 1 - outer.height());
    const QPoint topLeft(std::clamp(wanted.x(), available.left(), lastX),
                         std::clamp(wanted.y(), available.top(), lastY));
    if (!framed) {
        // Where it fits, an unframed window stays where it was put, frame
        // and all; otherwise the window system is told the frame's corner
        // first, which the move that follows keeps to.
        if (moved && topLeft == wanted)
            return;
        if (QWindow *handle = window->windowHandle())
            handle->setFramePosition(topLeft);
    }
    window->move(topLeft);
}

void keepOnScreen(QWidget *window)
{
    window->installEventFilter(new ShowFitter(window));
}

} // namespace ScreenFit
