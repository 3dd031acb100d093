#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QTimer;
class QVBoxLayout;
class QWidget;

// Puts a long list's rows into a pane's column a few milliseconds' worth per
// turn of the event loop, so the window keeps answering while they come.
// The rows of one turn go into a block of their own, laid out once at the
// column's width as it joins the column: the column then only stacks blocks,
// so adding the last rows costs no more than adding the first. The rows of
// the previous list are put out of sight at once and released a block per turn:
// releasing a thousand at once holds the window as long as making them.
// While a pane that has been on the screen is put away, its rows wait for it
// to come back: laying out a whole list at once then would hold the window.
// A pane never shown yet makes its rows at once but keeps their blocks after
// the first hidden; when it is first shown they are laid out and shown a
// block a turn.
class SlicedRows : public QObject
{
    Q_OBJECT
public:
    // Makes the next row as a child of `parent`, or returns null when the
    // list is complete.
    using Next = std::function<QWidget *(QWidget *parent)>;

    // column is a pane's scroll list (PaneParts::makeScrollList); parent is
    // the pane.
    SlicedRows(QVBoxLayout *column, QObject *parent);

    // Replaces the rows; a build still going is abandoned.
    void start(const Next &next);
    // Rows are being made, or the blocks made before the first show are
    // being laid out.
    bool isBuilding() const { return m_building || m_revealing; }
    // The rows of the current list made so far, in order.
    QList<QWidget *> rows() const;

Q_SIGNALS:
    // The rows of the last start() are all in place.
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void slice();
    // Where the next block goes: below the last one.
    int columnBottom() const;
    // Lays out and shows the first block still hidden; false when none is.
    bool revealNext();
    bool hasHiddenBlocks() const;

    QVBoxLayout *m_column;
    QWidget *m_pane = nullptr;
    QTimer *m_turn;
    Next m_next;
    QList<QPointer<QWidget>> m_retired;
    // How long a turn spends making rows before laying them out; the first
    // turn on the screen starts short and the next ones adjust.
    qint64 m_makeNs = 1500 * 1000;
    bool m_building = false;
    // The pane has been on the screen; while it is put away, the turns wait
    // for it to come back.
    bool m_everShown = false;
    bool m_waitingForShow = false;
    // Blocks made before the first show are being shown, one a turn.
    bool m_revealing = false;
    bool m_complete = true;
};
