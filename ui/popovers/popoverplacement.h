#pragma once

#include <QRect>

class QWidget;

// Where the details popovers appear. The host is the popover's parent widget,
// else the active window; without a host nothing is shown.

// Beside the anchor (a rectangle in screen coordinates): to its right, else
// to its left, else centred below it, or above it when there is no room below.
void positionPopoverNear(QWidget *popover, const QRect &anchor);
// Centred over the host.
void showPopoverCentered(QWidget *popover);
