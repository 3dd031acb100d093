#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QScrollArea>
#include <QTimer>
#include <QVector>

#include <functional>

// A scrolling column of rows that builds only the rows near the visible part
// and releases those scrolled far away, so a list of tens of thousands of
// items costs the widgets of a few screens. A row's height is measured when
// it is built (for the column's width); rows not yet built count with the
// height of the last built row of their kind, so the scroll bar is close and
// settles as rows are met. The row at the top of the view stays put while
// heights above it settle. While the list shows, rows in view are built
// first (a few milliseconds of them a turn of the event loop) and the rows
// beyond them in the turns after, so a long list never holds the window.
class WindowedRows : public QScrollArea
{
    Q_OBJECT
public:
    // Builds row `index` as a child of `parent`; called only for rows in or
    // near view. Rows are released with deferred deletion, so a row may
    // cause its own list to change from inside one of its signals.
    using Factory = std::function<QWidget *(int index, QWidget *parent)>;
    // Rows of one kind have similar heights (a day header, an event row).
    using KindOf = std::function<int(int index)>;

    explicit WindowedRows(QWidget *parent = nullptr);

    // Replaces every row; the view goes back to the top when `keepPosition`
    // is false.
    void setRows(int count, KindOf kindOf, Factory factory, bool keepPosition = true);
    int rowCount() const { return int(m_heights.size()); }
    // The built row at `index`, or nullptr when it is not built now.
    QWidget *builtRow(int index) const { return m_widgets.value(index); }
    int builtCount() const { return int(m_widgets.size()); }
    // Scrolls so that row `index` is at the top and builds what shows.
    void scrollToRow(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // How far from the view rows are built in one layout.
    enum class Reach { InView, WithMargin };
    void layoutRows();
    void layoutRows(Reach reach);
    bool buildAround(int top, int width, Reach reach, const QElapsedTimer &budget);
    // Builds and measures row `index` unless it is; whether it was built.
    bool buildRow(int index, int width);
    void releaseOutside(int first, int last);
    void computeOffsets();
    int heightOf(int index) const;
    int rowAt(int y) const;
    int measure(QWidget *row, int width) const;

    QWidget *m_content = nullptr;
    Factory m_factory;
    KindOf m_kindOf;
    QVector<int> m_heights;  // measured height, or -1
    QVector<int> m_offsets;  // top of each row; one more entry for the end
    QHash<int, QWidget *> m_widgets;
    QHash<int, int> m_kindHeights;
    int m_width = -1;
    bool m_inLayout = false;
    QTimer m_marginTimer;
};
