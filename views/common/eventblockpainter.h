#pragma once

#include "store/event.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

class QPainter;
class QWidget;

// Paints one timed event as a block of a timeline: the tinted body with its
// colour bar, the selection outline, the reminder and upload marks, the title
// and, where it fits, a detail line. Made once per paint; it holds the fonts
// and their metrics so the blocks of one paint share them.
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

    EventBlockPainter(const QWidget *widget, bool compact);

    // The font made `by` points smaller, but no smaller than `minimum`;
    // pixel-sized fonts shrink by pixels.
    static QFont smaller(QFont font, int by, int minimum);

    // A block is never shorter than one title line with its padding.
    int minimumHeight() const { return m_titleMetrics.height() + 2 * m_padding; }
    void paint(QPainter &painter, const Block &block) const;

private:
    QFont m_titleFont;
    QFont m_detailFont;
    QFont m_iconFont;
    QFontMetrics m_titleMetrics;
    QFontMetrics m_detailMetrics;
    QFontMetrics m_iconMetrics;
    QColor m_text;
    int m_padding;
};
