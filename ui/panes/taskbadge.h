#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QWidget;

// A small bold label framed in its colour ("IN PROGRESS", "High"); filled
// badges carry a light wash of the colour behind the text.
QLabel *makeTaskBadge(const QString &text, const QColor &color, bool filled, QWidget *parent = nullptr);
