#include "dialogs/editing/listeditorbuttons.h"

#include <QPushButton>
#include <QToolButton>

#include "app/theme.h"

QPushButton *createListAddButton(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { color: %1; text-align: left; padding: 4px 0; }")
                              .arg(Theme::accent().name()));
    return button;
}

QToolButton *createRowRemoveButton(QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(QStringLiteral("×"));
    button->setAutoRaise(true);
    button->setFixedSize(24, 24);
    button->setCursor(Qt::PointingHandCursor);
    QFont font = button->font();
    font.setPointSize(font.pointSize() + 4);
    button->setFont(font);
    return button;
}
