#include "ui/panes/windowedrows.h"

#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

// Rows are built this far beyond the visible part, so a scroll step finds
// its rows ready; a list never shown builds at least this much.
constexpr int BuildMargin = 600;
// Height of a row of a kind not met yet.
constexpr int DefaultRowHeight = 44;
// Heights settle within a few passes; a row growing without end stops here.
constexpr int MaxPasses = 6;
// In one turn of the event loop, rows in view are built for at most this
// long and rows beyond it for at most MarginBudgetMs; the rest follow in
// the next turns, so a slow row never holds the window for a whole screen.
constexpr int ViewBudgetMs = 4;
constexpr int MarginBudgetMs = 3;

} // namespace

WindowedRows::WindowedRows(QWidget *parent)
    : QScrollArea(parent)
{
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("windowedRowsContent"));
    m_content->resize(0, 0);
    setWidget(m_content);
    // A timer, not a posted call: the loop reads input and paints first.
    m_marginTimer.setSingleShot(true);
    m_marginTimer.setTimerType(Qt::PreciseTimer);
    m_marginTimer.setInterval(1);
    connect(&m_marginTimer, &QTimer::timeout, this, [this] { layoutRows(Reach::WithMargin); });
}

void WindowedRows::setRows(int count, KindOf kindOf, Factory factory, bool keepPosition)
{
    releaseOutside(0, -1);
    m_kindOf = std::move(kindOf);
    m_factory = std::move(factory);
    m_heights = QVector<int>(std::max(count, 0), -1);
    m_offsets.clear();
    if (!keepPosition)
        verticalScrollBar()->setValue(0);
    layoutRows();
}

void WindowedRows::scrollToRow(int index)
{
    if (index < 0 || index >= rowCount())
        return;
    computeOffsets();
    verticalScrollBar()->setValue(m_offsets.at(index));
    layoutRows();
}

void WindowedRows::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    layoutRows();
}

void WindowedRows::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    layoutRows();
}

int WindowedRows::heightOf(int index) const
{
    const int measured = m_heights.at(index);
    if (measured >= 0)
        return measured;
    const int kind = m_kindOf ? m_kindOf(index) : 0;
    return m_kindHeights.value(kind, DefaultRowHeight);
}

void WindowedRows::computeOffsets()
{
    const int count = rowCount();
    m_offsets.resize(count + 1);
    int y = 0;
    for (int i = 0; i < count; ++i) {
        m_offsets[i] = y;
        y += heightOf(i);
    }
    m_offsets[count] = y;
}

int WindowedRows::rowAt(int y) const
{
    // The last row whose top is at or above y.
    const auto it = std::upper_bound(m_offsets.cbegin(), m_offsets.cend() - 1, y);
    return std::max(0, int(it - m_offsets.cbegin()) - 1);
}

int WindowedRows::measure(QWidget *row, int width) const
{
    row->ensurePolished();
    const int height = row->hasHeightForWidth() ? row->heightForWidth(width) : row->sizeHint().height();
    return std::max({height, row->minimumSizeHint().height(), row->minimumHeight(), 1});
}

void WindowedRows::layoutRows()
{
    // A list out of sight has nobody waiting for it: all at once. One in
    // sight builds what shows now and the rows beyond it in the next turns.
    layoutRows(isVisible() ? Reach::InView : Reach::WithMargin);
}

void WindowedRows::layoutRows(Reach reach)
{
    if (m_inLayout)
        return;
    m_inLayout = true;
    const int width = viewport()->width();
    if (width != m_width) {
        // Word-wrapped rows change height with the width.
        m_width = width;
        m_heights.fill(-1);
    }
    computeOffsets();
    const int count = rowCount();
    if (count == 0) {
        m_content->resize(width, 0);
        m_inLayout = false;
        return;
    }

    // Keep the row at the top where it is while heights above it settle.
    QScrollBar *bar = verticalScrollBar();
    const int anchor = rowAt(bar->value());
    const int anchorShift = bar->value() - m_offsets.at(anchor);
    int top = bar->value();
    QElapsedTimer budget;
    budget.start();
    for (int pass = 0; pass < MaxPasses; ++pass) {
        const bool changed = buildAround(top, width, reach, budget);
        computeOffsets();
        top = m_offsets.at(anchor) + anchorShift;
        if (!changed)
            break;
    }
    m_content->resize(width, m_offsets.at(count));
    for (auto it = m_widgets.cbegin(); it != m_widgets.cend(); ++it)
        it.value()->setGeometry(0, m_offsets.at(it.key()), width, heightOf(it.key()));
    if (bar->value() != top)
        bar->setValue(top);
    m_inLayout = false;
}

bool WindowedRows::buildAround(int top, int width, Reach reach, const QElapsedTimer &budget)
{
    const int height = viewport()->height();
    const int margin = std::max(BuildMargin, height);
    const int first = rowAt(std::max(0, top - margin));
    const int last = rowAt(top + height + margin);
    releaseOutside(first, last);
    const int firstInView = rowAt(top);
    const int lastInView = rowAt(top + height);
    bool changed = false;
    // What is in view first, top down; then the rows beyond it, nearest
    // first. What the turn's budget leaves waits for the next turn.
    const bool visible = isVisible();
    const auto build = [&](int index, int budgetMs) {
        if (m_heights.at(index) >= 0 && m_widgets.contains(index))
            return true;
        if (visible && budget.hasExpired(budgetMs)) {
            m_marginTimer.start();
            return false;
        }
        changed |= buildRow(index, width);
        return true;
    };
    for (int i = firstInView; i <= lastInView; ++i) {
        if (!build(i, ViewBudgetMs))
            return changed;
    }
    if (reach == Reach::InView) {
        if (visible)
            m_marginTimer.start();
        return changed;
    }
    for (int step = 1; lastInView + step <= last || firstInView - step >= first; ++step) {
        if (lastInView + step <= last && !build(lastInView + step, MarginBudgetMs))
            break;
        if (firstInView - step >= first && !build(firstInView - step, MarginBudgetMs))
            break;
    }
    return changed;
}

bool WindowedRows::buildRow(int index, int width)
{
    QWidget *row = m_widgets.value(index);
    if (!row && m_factory) {
        row = m_factory(index, m_content);
        if (!row)
            return false;
        m_widgets.insert(index, row);
    }
    if (!row || m_heights.at(index) >= 0)
        return false;
    const int height = measure(row, width);
    m_heights[index] = height;
    m_kindHeights.insert(m_kindOf ? m_kindOf(index) : 0, height);
    row->setGeometry(0, 0, width, height);
    row->show();
    return true;
}

void WindowedRows::releaseOutside(int first, int last)
{
    for (auto it = m_widgets.begin(); it != m_widgets.end();) {
        if (it.key() < first || it.key() > last) {
            it.value()->hide();
            it.value()->deleteLater();
            it = m_widgets.erase(it);
        } else {
            ++it;
        }
    }
}
