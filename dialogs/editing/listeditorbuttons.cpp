#include "dialogs/editing/listeditorbuttons.h"

#include <QPushButton>
#include <QToolButton>

#include "app/theme/theme.h"

QPushButton *createListAddButton(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    // Drawn as a link: the application's button frame would box it in.
    button->setStyleSheet(QStringLiteral("QPushButton { color: %1; text-align: left; padding: 4px 0; "
                                         "border: none; background: transparent; }")
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
    // The application's tool-button padding would leave no room for the glyph.
    button->setStyleSheet(QStringLiteral("QToolButton { padding: 0; }"));
    return button;
}
