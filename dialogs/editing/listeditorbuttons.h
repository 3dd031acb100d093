#pragma once

#include <QString>

class QPushButton;
class QToolButton;
class QWidget;

// The buttons the event form's reminder and attendee lists share.

// The flat accent-coloured "+ Add …" button under a list.
QPushButton *createListAddButton(const QString &text, QWidget *parent);
// The "×" that removes one row.
QToolButton *createRowRemoveButton(QWidget *parent);
