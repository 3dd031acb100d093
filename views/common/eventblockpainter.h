#pragma once

#include "store/event.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

class ElidedTextCache;
class QPainter;
class QWidget;

// Paints one timed event as a block of a timeline: the tinted body with its
// colour bar, the selection outline, the reminder and upload marks, the title
// and, where it fits, a detail line. Made once per paint; it holds the fonts
// and their metrics so the blocks of one paint share them. A block too
// narrow for any text (hundreds of overlapping events) is drawn as plain
// rectangles without text or marks.
class EventBlockPainter
{
public:
    struct Block
    {
        QRect rect;
        QColor colour;
        bool dimmed = false;
        bool selected = false;
        bool hasReminders = false;
        bool pendingUpload = false;
        QString title;
        QString detail;
    };

    // Where a timeline puts the parts of a block; the day and the week
    // timelines differ only in these.
    struct Style
    {
        int padding = 4;
        int compactPadding = 1;
        int barWidth = 4;
        // The text area starts this far from the left edge and is this much
        // narrower than the block.
        int textLeft = 12;
        int textNarrowing = 20;
        // The selection outline lies this far outside the block (negative:
        // inside).
        int selectionOutset = 1;
        // Gap between the block's right edge and the last mark.
        int marksRight = 4;

        static Style day() { return Style(); }
        static Style week() { return Style{3, 1, 3, 9, 15, -1, 2}; }
    };

    // The caches, when given, keep the cut titles and detail lines from one
    // paint to the next; they must outlive the painter.
    EventBlockPainter(const QWidget *widget, bool compact, const Style &style = Style::day(),
                      ElidedTextCache *titleTexts = nullptr, ElidedTextCache *detailTexts = nullptr);

    // The font made `by` points smaller, but no smaller than `minimum`;
    // pixel-sized fonts shrink by pixels.
    static QFont smaller(QFont font, int by, int minimum);

    // A block is never shorter than one title line with its padding.
    int minimumHeight() const { return m_titleMetrics.height() + 2 * m_padding; }
    // Whether a block of this size shows its detail line, so that a caller
    // makes the line only for blocks that show it.
    bool showsDetail(const QRect &rect) const;
    void paint(QPainter &painter, const Block &block) const;

private:
    bool showsText(const QRect &rect) const { return rect.width() >= m_style.textNarrowing; }
    int paintMarks(QPainter &painter, const Block &block, const QColor &textColour) const;
    const QString &elided(ElidedTextCache *cache, const QFontMetrics &metrics, const QString &text,
                          int width) const;

    QFont m_titleFont;
    QFont m_detailFont;
    QFont m_iconFont;
    QFontMetrics m_titleMetrics;
    QFontMetrics m_detailMetrics;
    QFontMetrics m_iconMetrics;
    QColor m_text;
    Style m_style;
    int m_padding;
    int m_ellipsisWidth;
    ElidedTextCache *m_titleTexts;
    ElidedTextCache *m_detailTexts;
    // Holds a text cut without a cache until the next one is cut.
    mutable QString m_lastElided;
};
