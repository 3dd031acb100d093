#pragma once

#include <QScrollArea>

// Holds a dialog's form so that, on a screen too short for it, the form
// scrolls while the buttons below it stay in view. Unlike a plain scroll
// area it asks for the whole form's size, so the dialog opens as large as
// its form wherever the screen has the room.
class FormScrollArea : public QScrollArea
{
public:
    FormScrollArea(QWidget *body, QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int scrollBarWidth() const;
};
