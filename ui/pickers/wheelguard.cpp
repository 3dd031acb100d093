#include "ui/pickers/wheelguard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

WheelGuard::WheelGuard(QObject *parent)
    : QObject(parent)
{
}

void WheelGuard::protect(QWidget *root)
{
    auto *guard = new WheelGuard(root);
    QList<QWidget *> fields;
    for (QComboBox *combo : root->findChildren<QComboBox *>())
        fields.append(combo);
    for (QAbstractSpinBox *spin : root->findChildren<QAbstractSpinBox *>())
        fields.append(spin);
    for (QWidget *field : fields) {
        // Not focused by the wheel itself, or the first turn would take it.
        field->setFocusPolicy(Qt::StrongFocus);
        field->installEventFilter(guard);
    }
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        const auto *field = qobject_cast<QWidget *>(watched);
        if (field && !field->hasFocus()) {
            // Ignored and stopped here: the application passes it on to the
            // parents, up to the scroll area.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
