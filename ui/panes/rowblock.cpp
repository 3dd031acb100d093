#include "ui/panes/rowblock.h"

#include <QEvent>

#include <algorithm>

namespace {

constexpr int RememberedWidths = 3;

int rowHeight(const QWidget *row, int width)
{
    const int wanted = row->hasHeightForWidth() ? row->heightForWidth(width) : row->sizeHint().height();
    return std::clamp(std::max(wanted, 0), row->minimumHeight(), row->maximumHeight());
}

} // namespace

RowBlock::RowBlock(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("rowBlock"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void RowBlock::addRow(QWidget *row)
{
    if (row->parentWidget() != this)
        row->setParent(this);
    m_rows.append(row);
    forgetHeights();
    updateGeometry();
}

QSize RowBlock::sizeHint() const
{
    // As a column layout of the rows would give it, without working out any
    // row's height for a width.
    QSize hint(0, 0);
    for (const QWidget *row : m_rows) {
        const QSize rowHint = row->sizeHint();
        hint.setWidth(std::max(hint.width(), rowHint.width()));
        hint.rheight() += std::max(rowHint.height(), 0);
    }
    return hint;
}

QSize RowBlock::minimumSizeHint() const
{
    QSize hint(0, 0);
    for (const QWidget *row : m_rows) {
        const QSize rowHint = row->minimumSizeHint();
        hint.setWidth(std::max(hint.width(), rowHint.width()));
        hint.rheight() += std::max(rowHint.height(), 0);
    }
    return hint;
}

bool RowBlock::hasHeightForWidth() const
{
    return true;
}

int RowBlock::heightForWidth(int width) const
{
    return heightsFor(width).total;
}

const RowBlock::Heights &RowBlock::heightsFor(int width) const
{
    for (int i = 0; i < m_heights.size(); ++i) {
        if (m_heights.at(i).width == width) {
            if (i > 0)
                m_heights.move(i, 0);
            return m_heights.first();
        }
    }
    Heights heights;
    heights.width = width;
    heights.rows.reserve(m_rows.size());
    for (const QWidget *row : m_rows) {
        const int height = rowHeight(row, width);
        heights.rows.append(height);
        heights.total += height;
    }
    m_heights.prepend(heights);
    while (m_heights.size() > RememberedWidths)
        m_heights.removeLast();
    return m_heights.first();
}

void RowBlock::placeRows()
{
    // A copy: placing a row must not pull the heights from under the loop.
    const Heights heights = heightsFor(width());
    int y = 0;
    for (int i = 0; i < m_rows.size(); ++i) {
        m_rows.at(i)->setGeometry(0, y, width(), heights.rows.at(i));
        y += heights.rows.at(i);
    }
}

void RowBlock::forgetHeights()
{
    m_heights.clear();
}

bool RowBlock::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::LayoutRequest:
        // A row's size changed (its text, font or style): every height is
        // asked anew.
        forgetHeights();
        updateGeometry();
        placeRows();
        return true;
    case QEvent::ChildRemoved:
        if (m_rows.removeOne(static_cast<QChildEvent *>(event)->child())) {
            forgetHeights();
            updateGeometry();
            placeRows();
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void RowBlock::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeRows();
}
