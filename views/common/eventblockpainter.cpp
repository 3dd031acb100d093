#include "views/common/eventblockpainter.h"

#include <QPainter>
#include <QWidget>

#include "app/theme/theme.h"
#include "views/common/timelinegeometry.h"

namespace {

constexpr char16_t BellGlyph = 0xE7F4;
constexpr char16_t UploadGlyph = 0xE2C3;

QFont boldFont(const QWidget *widget)
{
    QFont font = widget->font();
    font.setWeight(QFont::Bold);
    return font;
}

QFont iconFont()
{
    QFont font(Theme::fontFamily());
    font.setPixelSize(13);
    return font;
}

} // namespace

EventBlockPainter::EventBlockPainter(const QWidget *widget, bool compact, const Style &style)
    : m_titleFont(boldFont(widget))
    , m_detailFont(smaller(widget->font(), 1, 1))
    , m_iconFont(iconFont())
    , m_titleMetrics(m_titleFont)
    , m_detailMetrics(m_detailFont)
    , m_iconMetrics(m_iconFont)
    , m_text(widget->palette().color(QPalette::WindowText))
    , m_style(style)
    , m_padding(compact ? style.compactPadding : style.padding)
{
}

QFont EventBlockPainter::smaller(QFont font, int by, int minimum)
{
    if (font.pointSize() > 0)
        font.setPointSize(std::max(font.pointSize() - by, minimum));
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(font.pixelSize() - by, minimum));
    return font;
}

void EventBlockPainter::paint(QPainter &painter, const Block &block) const
{
    using namespace TimelineGeometry;
    const QRect &r = block.rect;
    QColor fill = block.colour;
    fill.setAlpha(block.dimmed ? 28 : 96);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(r, Radius, Radius);
    QColor bar = block.colour;
    if (block.dimmed)
        bar.setAlpha(80);
    painter.setBrush(bar);
    painter.drawRoundedRect(QRect(r.left(), r.top(), m_style.barWidth, r.height()), Radius, Radius);

    if (block.selected) {
        painter.setPen(QPen(block.colour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(r.adjusted(-m_style.selectionOutset, -m_style.selectionOutset, m_style.selectionOutset,
                                           m_style.selectionOutset), Radius, Radius);
    }

    const QRect text(r.left() + m_style.textLeft, r.top() + m_padding, r.width() - m_style.textNarrowing,
                     r.height() - 2 * m_padding);
    QColor textColour = m_text;
    if (block.dimmed)
        textColour.setAlpha(140);

    int marksWidth = 0;
    if (block.hasReminders || block.pendingUpload) {
        QColor markColour = textColour;
        markColour.setAlpha(170);
        painter.setFont(m_iconFont);
        painter.setPen(markColour);
        const int baseline = r.top() + m_padding + m_iconMetrics.ascent();
        int right = r.right() - m_style.marksRight;
        for (const auto &[shown, glyph] : {std::pair{block.hasReminders, BellGlyph},
                                           std::pair{block.pendingUpload, UploadGlyph}}) {
            if (!shown)
                continue;
            const QString mark(QChar{glyph});
            const int advance = m_iconMetrics.horizontalAdvance(mark);
            painter.drawText(right - advance, baseline, mark);
            right -= advance + 4;
            marksWidth += advance + 4;
        }
    }

    painter.save();
    painter.setClipRect(r);
    painter.setPen(textColour);
    painter.setFont(m_titleFont);
    const int titleWidth = text.width() - marksWidth;
    painter.drawText(QRect(text.left(), text.top(), titleWidth, m_titleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     m_titleMetrics.elidedText(block.title, Qt::ElideRight, titleWidth));
    if (!block.detail.isEmpty()
        && r.height() >= m_detailMetrics.height() + 2 * m_padding + m_titleMetrics.height() + 1) {
        painter.setFont(m_detailFont);
        painter.drawText(QRect(text.left(), text.top() + m_titleMetrics.height(), text.width(),
                               m_detailMetrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         m_detailMetrics.elidedText(block.detail, Qt::ElideRight, text.width()));
    }
    painter.restore();
}
