#include "dialogs/editing/screenfit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

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
    QPoint topLeft = window->pos();
    if (!window->testAttribute(Qt::WA_Moved)) {
        // Centred over the parent, as a dialog places itself.
        const QWidget *parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
        const QPoint centre = parent ? parent->frameGeometry().center() : available.center();
        topLeft = centre - QPoint(outer.width() / 2, outer.height() / 2);
    }
    // The whole frame inside the free area, not only its title bar.
    const int lastX = std::max(available.left(), available.right() + 1 - outer.width());
    const int lastY = std::max(available.top(), available.bottom() + 1 - outer.height());
    topLeft.setX(std::clamp(topLeft.x(), available.left(), lastX));
    topLeft.setY(std::clamp(topLeft.y(), available.top(), lastY));
    window->move(topLeft);
}

void keepOnScreen(QWidget *window)
{
    window->installEventFilter(new ShowFitter(window));
}

} // namespace ScreenFit
