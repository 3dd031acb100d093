#include "ui/pickers/timecombobox.h"

#include <QAbstractItemView>
#include <QFontMetrics>

#include <algorithm>

TimeComboBox::TimeComboBox(QWidget *parent)
    : QComboBox(parent)
{
}

void TimeComboBox::showPopup()
{
    QComboBox::showPopup();
    QAbstractItemView *list = view();
    if (!list || !model())
        return;
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int row = 0; row < count(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(row)));
    // The list sits in a container window that QComboBox sizes to itself.
    QWidget *container = list->window();
    if (container && container != window() && container->width() < widest + 48)
        container->resize(widest + 48, container->height());
    const QModelIndex current = model()->index(currentIndex(), modelColumn(), rootModelIndex());
    if (current.isValid())
        list->scrollTo(current, QAbstractItemView::PositionAtCenter);
}
