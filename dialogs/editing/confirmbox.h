#pragma once

#include <QString>

class QWidget;

// Asks a yes/no question with "No" as the default, so that a stray Enter
// keeps what would be lost. The question is shown as plain text because it
// quotes names the user typed. True when the answer is "Yes".
bool confirmed(QWidget *parent, const QString &title, const QString &question);
