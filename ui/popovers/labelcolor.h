#pragma once

#include <QColor>

class QLabel;

// Gives a label its own text colour. The application stylesheet colours
// every label, which a palette alone cannot override, so the colour goes
// into the label's own style sheet as well as its palette.
void setLabelTextColor(QLabel *label, const QColor &color);
