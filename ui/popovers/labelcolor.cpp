#include "ui/popovers/labelcolor.h"

#include <QLabel>

#include "app/theme/theme.h"

void setLabelTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, color);
    label->setPalette(palette);
    label->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(Theme::cssColor(color)));
}
