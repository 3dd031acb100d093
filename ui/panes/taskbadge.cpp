#include "ui/panes/taskbadge.h"

#include <QLabel>

#include <algorithm>

QLabel *makeTaskBadge(const QString &text, const QColor &color, bool filled, QWidget *parent)
{
    auto *badge = new QLabel(text, parent);
    badge->setTextFormat(Qt::PlainText);
    QFont font = badge->font();
    font.setPointSize(std::max(font.pointSize() - 3, 7));
    font.setWeight(QFont::Bold);
    badge->setFont(font);
    badge->setAlignment(Qt::AlignCenter);
    const QString name = color.name();
    if (filled) {
        QColor wash = color;
        wash.setAlpha(40);
        badge->setStyleSheet(QStringLiteral("QLabel { color: %1; background-color: %2; border: 1px solid %3; "
                                            "border-radius: %4px; padding: 0px 4px; }")
                                 .arg(name, wash.name(QColor::HexArgb), name)
                                 .arg(4));
    } else {
        badge->setStyleSheet(
            QStringLiteral("QLabel { color: %1; border: 1px solid %1; border-radius: %2px; padding: 0px 4px; }")
                .arg(name)
                .arg(4));
    }
    return badge;
}
