#pragma once

#include <QList>
#include <QWidget>

// A run of a list's rows stacked top to bottom, each at its height for the
// block's width. The heights are remembered for the last few widths asked:
// a scroll area asks its content for two widths in turn (with and without
// its scroll bar), and a column of plain layouts would work every row's
// height out anew at each question, so a long list's layout pass grew with
// the list. A column of blocks only stacks the blocks.
class RowBlock : public QWidget
{
    Q_OBJECT
public:
    explicit RowBlock(QWidget *parent = nullptr);

    // Adds a row (a child of this block) at the bottom.
    void addRow(QWidget *row);
    const QList<QWidget *> &rows() const { return m_rows; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Heights
    {
        int width = -1;
        QList<int> rows;
        int total = 0;
    };

    const Heights &heightsFor(int width) const;
    void placeRows();
    void forgetHeights();

    QList<QWidget *> m_rows;
    // The last widths asked, newest first.
    mutable QList<Heights> m_heights;
};
