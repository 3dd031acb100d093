#pragma once

#include <QObject>

class QWidget;

// Keeps a mouse wheel that scrolls a form from changing the fields it
// passes over: combo boxes and spin boxes under a widget take the wheel
// only once they have focus (a click or Tab), and otherwise hand it on to
// the scroll area around them.
class WheelGuard : public QObject
{
    Q_OBJECT
public:
    // Guards every combo box and spin box under root, as it is now; the
    // guard lives as long as root.
    static void protect(QWidget *root);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WheelGuard(QObject *parent);
};
