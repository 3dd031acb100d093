#include "views/area/elidinglabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

ElidingLabel::ElidingLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void ElidingLabel::setFullText(const QString &text)
{
    if (text == m_fullText)
        return;
    m_fullText = text;
    updateGeometry();
    elide();
}

QSize ElidingLabel::sizeHint() const
{
    // The hint follows the whole text, not the shortened one, so the row
    // gives the text its room back as soon as it has it; rounded up, as a
    // width rounded down would cut the last letter off.
    return withMargins(int(std::ceil(QFontMetricsF(font()).horizontalAdvance(m_fullText))));
}

QSize ElidingLabel::minimumSizeHint() const
{
    return withMargins(fontMetrics().horizontalAdvance(QStringLiteral("…")));
}

QSize ElidingLabel::withMargins(int textWidth) const
{
    const QMargins margins = contentsMargins();
    return QSize(textWidth + margins.left() + margins.right() + 2 * margin(),
                 fontMetrics().height() + margins.top() + margins.bottom() + 2 * margin());
}

void ElidingLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        elide();
    }
}

void ElidingLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidingLabel::elide()
{
    const int room = contentsRect().width() - 2 * margin();
    const QString shown = fontMetrics().elidedText(m_fullText, Qt::ElideRight, std::max(room, 0));
    if (shown != text())
        setText(shown);
    const QString tip = shown == m_fullText ? QString() : m_fullText;
    if (tip != toolTip())
        setToolTip(tip);
}
