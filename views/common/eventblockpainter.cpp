#include "views/common/eventblockpainter.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "app/theme/theme.h"
#include "views/common/elidedtextcache.h"
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

// Turns smoothing off while it lives. A smoothed fill of a whole-pixel
// rectangle runs through the rasterizer and paints the same pixels as the
// unsmoothed one, at many times the cost.
class Unsmoothed
{
public:
    explicit Unsmoothed(QPainter &painter)
        : m_painter(painter)
        , m_smooth(painter.testRenderHint(QPainter::Antialiasing))
    {
        if (m_smooth)
            m_painter.setRenderHint(QPainter::Antialiasing, false);
    }
    ~Unsmoothed()
    {
        if (m_smooth)
            m_painter.setRenderHint(QPainter::Antialiasing, true);
    }
    Unsmoothed(const Unsmoothed &) = delete;
    Unsmoothed &operator=(const Unsmoothed &) = delete;

private:
    QPainter &m_painter;
    bool m_smooth;
};

// Fills a whole-pixel rectangle a band of rows at a time: the raster engine
// hands a fill of more rows than this to its thread pool, and for a
// rectangle a few pixels wide starting and waiting for the threads costs far
// more than the fill. The painter must not smooth (see Unsmoothed).
void fillInBands(QPainter &painter, const QRect &rect, const QColor &colour)
{
    constexpr int BandRows = 64;
    for (int top = rect.top(); top <= rect.bottom(); top += BandRows)
        painter.fillRect(QRect(rect.left(), top, rect.width(), std::min(BandRows, rect.bottom() + 1 - top)), colour);
}

constexpr int EndRows = 8;

// One end of a smoothed rounded rectangle `width` wide: its top or bottom
// EndRows rows with the corners. Drawn once per width and colour and kept,
// as a busy week has hundreds of blocks in a few colours and widths.
const QImage &roundedEnd(int width, const QColor &colour, bool top)
{
    using TimelineGeometry::Radius;
    static QHash<quint64, QImage> ends;
    const quint64 key = (quint64(colour.rgba()) << 32) | (quint64(width) << 1) | (top ? 1 : 0);
    const auto found = ends.constFind(key);
    if (found != ends.constEnd())
        return found.value();
    if (ends.size() >= 512)
        ends.clear();
    QImage image(width, EndRows, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRect(0, top ? 0 : -EndRows, width, 2 * EndRows), Radius, Radius);
    painter.end();
    return *ends.insert(key, image);
}

// A smoothed rounded rectangle. One at least two ends tall is drawn as its
// two ends, each with its corners, and the straight part between them
// unsmoothed and in bands: smoothing costs most there and gains nothing, and
// bands keep each fill under the rows the raster engine hands to its threads.
// Where the painter scales (a high-density screen) it is drawn whole.
void fillRounded(QPainter &painter, const QRect &rect, const QColor &colour)
{
    using TimelineGeometry::Radius;
    if (rect.height() < 2 * EndRows || painter.deviceTransform().type() > QTransform::TxTranslate) {
        painter.setBrush(colour);
        painter.drawRoundedRect(rect, Radius, Radius);
        return;
    }
    painter.drawImage(rect.topLeft(), roundedEnd(rect.width(), colour, true));
    painter.drawImage(QPoint(rect.left(), rect.bottom() + 1 - EndRows), roundedEnd(rect.width(), colour, false));
    const Unsmoothed unsmoothed(painter);
    fillInBands(painter, rect.adjusted(0, EndRows, 0, -EndRows), colour);
}

} // namespace

EventBlockPainter::EventBlockPainter(const QWidget *widget, bool compact, const Style &style,
                                     ElidedTextCache *titleTexts, ElidedTextCache *detailTexts)
    : m_titleFont(boldFont(widget))
    , m_detailFont(smaller(widget->font(), 1, 1))
    , m_iconFont(iconFont())
    , m_titleMetrics(m_titleFont)
    , m_detailMetrics(m_detailFont)
    , m_iconMetrics(m_iconFont)
    , m_text(widget->palette().color(QPalette::WindowText))
    , m_style(style)
    , m_padding(compact ? style.compactPadding : style.padding)
    , m_ellipsisWidth(m_titleMetrics.horizontalAdvance(QChar(0x2026)))
    , m_titleTexts(titleTexts)
    , m_detailTexts(detailTexts)
{
    if (m_titleTexts)
        m_titleTexts->useFont(m_titleFont);
    if (m_detailTexts)
        m_detailTexts->useFont(m_detailFont);
}

QFont EventBlockPainter::smaller(QFont font, int by, int minimum)
{
    if (font.pointSize() > 0)
        font.setPointSize(std::max(font.pointSize() - by, minimum));
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(font.pixelSize() - by, minimum));
    return font;
}

bool EventBlockPainter::showsDetail(const QRect &rect) const
{
    return showsText(rect) && rect.height() >= m_detailMetrics.height() + 2 * m_padding + m_titleMetrics.height() + 1;
}

const QString &EventBlockPainter::elided(ElidedTextCache *cache, const QFontMetrics &metrics, const QString &text,
                                         int width) const
{
    if (cache)
        return cache->elided(metrics, text, width);
    m_lastElided = metrics.elidedText(text, Qt::ElideRight, width);
    return m_lastElided;
}

void EventBlockPainter::paint(QPainter &painter, const Block &block) const
{
    using namespace TimelineGeometry;
    const QRect &r = block.rect;
    QColor fill = block.colour;
    fill.setAlpha(block.dimmed ? 28 : 96);
    QColor bar = block.colour;
    if (block.dimmed)
        bar.setAlpha(80);
    const bool withText = showsText(r);
    if (withText) {
        painter.setPen(Qt::NoPen);
        fillRounded(painter, r, fill);
        fillRounded(painter, QRect(r.left(), r.top(), m_style.barWidth, r.height()), bar);
    } else {
        // Hundreds of overlapping events leave blocks a few pixels wide, where
        // rounded corners do not show; plain rectangles cost a fraction of them.
        // An opaque bar hides the body beneath it, so only the rest is blended;
        // an opaque fill needs no blending at all.
        const int barWidth = std::min(m_style.barWidth, r.width());
        const Unsmoothed unsmoothed(painter);
        if (bar.alpha() < 255)
            fillInBands(painter, r, fill);
        else if (r.width() > barWidth)
            fillInBands(painter, r.adjusted(barWidth, 0, 0, 0), fill);
        fillInBands(painter, QRect(r.left(), r.top(), barWidth, r.height()), bar);
    }

    if (block.selected) {
        painter.setPen(QPen(block.colour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(r.adjusted(-m_style.selectionOutset, -m_style.selectionOutset, m_style.selectionOutset,
                                           m_style.selectionOutset), Radius, Radius);
    }
    if (!withText)
        return;

    const QRect text(r.left() + m_style.textLeft, r.top() + m_padding, r.width() - m_style.textNarrowing,
                     r.height() - 2 * m_padding);
    QColor textColour = m_text;
    if (block.dimmed)
        textColour.setAlpha(140);
    const int marksWidth = paintMarks(painter, block, textColour);

    // Blocks are at least a title line tall and the texts are cut to the
    // width, so they stay inside the block without clipping.
    // Below the width of an ellipsis no text would show.
    painter.setPen(textColour);
    const int titleWidth = text.width() - marksWidth;
    if (titleWidth >= m_ellipsisWidth) {
        painter.setFont(m_titleFont);
        painter.drawText(QPoint(text.left(), text.top() + m_titleMetrics.ascent()),
                         elided(m_titleTexts, m_titleMetrics, block.title, titleWidth));
    }
    if (!block.detail.isEmpty() && text.width() >= m_ellipsisWidth && showsDetail(r)) {
        painter.setFont(m_detailFont);
        painter.drawText(QPoint(text.left(), text.top() + m_titleMetrics.height() + m_detailMetrics.ascent()),
                         elided(m_detailTexts, m_detailMetrics, block.detail, text.width()));
    }
}

int EventBlockPainter::paintMarks(QPainter &painter, const Block &block, const QColor &textColour) const
{
    if (!block.hasReminders && !block.pendingUpload)
        return 0;
    QColor markColour = textColour;
    markColour.setAlpha(170);
    painter.setFont(m_iconFont);
    painter.setPen(markColour);
    const QRect &r = block.rect;
    const int baseline = r.top() + m_padding + m_iconMetrics.ascent();
    int right = r.right() - m_style.marksRight;
    int marksWidth = 0;
    for (const auto &[shown, glyph] : {std::pair{block.hasReminders, BellGlyph},
                                       std::pair{block.pendingUpload, UploadGlyph}}) {
        if (!shown)
            continue;
        const QString mark(QChar{glyph});
        const int advance = m_iconMetrics.horizontalAdvance(mark);
        // A mark that would cover the colour bar or leave the block is left out.
        if (right - advance < r.left() + m_style.barWidth)
            break;
        painter.drawText(right - advance, baseline, mark);
        right -= advance + 4;
        marksWidth += advance + 4;
    }
    return marksWidth;
}
