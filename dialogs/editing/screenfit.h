#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Keeps windows inside the free area of the screen they open on, so that a
// laptop screen with a panel never hides a dialog's buttons.
namespace ScreenFit {

// The free area of the screen the window opens on: its parent's screen,
// else its own, else the primary one.
QRect availableArea(const QWidget *window);
// The wanted size, no larger than that free area less the window frame.
QSize bounded(const QWidget *window, const QSize &wanted);
// Bounds the window's size to the free area and places its whole frame
// inside it: centred over its parent unless it was moved already.
void place(QWidget *window);
// Places the window so every time it is shown.
void keepOnScreen(QWidget *window);

} // namespace ScreenFit
