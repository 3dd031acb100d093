#include "account/widgets/accountscreenparts.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/theme/plaintext.h"

#include <algorithm>

namespace TindAccount::ScreenParts {

QFont adjustedFont(const QFont &base, int delta, int weight)
{
    QFont font = base;
    if (delta != 0 && base.pointSize() > 0)
        font.setPointSize(std::max(7, base.pointSize() + delta));
    if (weight > 0)
        font.setWeight(QFont::Weight(weight));
    return font;
}

QLabel *label(const QString &text, QWidget *parent, int pointDelta, int weight)
{
    QLabel *result = PlainText::label(text, parent);
    result->setFont(adjustedFont(result->font(), pointDelta, weight));
    return result;
}

QLabel *mutedLabel(const QString &text, QWidget *parent)
{
    QLabel *result = PlainText::label(text, parent);
    QPalette palette = result->palette();
    const QColor muted = QApplication::palette().color(QPalette::PlaceholderText);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, muted);
    result->setPalette(palette);
    return result;
}

QWidget *section(const QString &title, const QString &description, QWidget *parent)
{
    auto *block = new QWidget(parent);
    auto *layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(label(title, block, 1, 500));
    if (!description.isEmpty()) {
        QLabel *text = mutedLabel(description, block);
        text->setWordWrap(true);
        text->setFont(adjustedFont(text->font(), -2));
        layout->addWidget(text);
    }
    return block;
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QPushButton *button(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *result = new QPushButton(text, parent);
    result->setObjectName(objectName);
    return result;
}

} // namespace TindAccount::ScreenParts
