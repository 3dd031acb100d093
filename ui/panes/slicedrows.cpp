#include "ui/panes/slicedrows.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/panes/paneparts.h"
#include "ui/panes/rowblock.h"

#include <algorithm>

namespace {

// One turn of the event loop, making a block of rows and laying it out, at
// most about this long. Laying a block out on the screen takes about twice as
// long as making its rows; the time for making is shortened to match.
constexpr qint64 TurnNs = 5 * 1000 * 1000;
constexpr qint64 MinMakeNs = 500 * 1000;
constexpr qint64 MaxMakeNs = 4 * 1000 * 1000;
// Rows made for a pane never shown yet go into blocks this long in the
// making, each shown in a turn of its own when the pane is: laying a block
// out takes about twice its making, and more on a busy machine.
constexpr qint64 HiddenBlockNs = 1500 * 1000;

} // namespace

SlicedRows::SlicedRows(QVBoxLayout *column, QObject *parent)
    : QObject(parent)
    , m_column(column)
    , m_turn(new QTimer(this))
{
    // A timer rather than a posted call: the turns then take their place
    // among the window's other timers instead of running ahead of them.
    m_turn->setSingleShot(true);
    m_turn->setInterval(0);
    connect(m_turn, &QTimer::timeout, this, &SlicedRows::slice);
    m_pane = qobject_cast<QWidget *>(parent);
    if (!m_pane)
        m_pane = m_column->parentWidget();
    m_pane->installEventFilter(this);
}

bool SlicedRows::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pane && event->type() == QEvent::Show) {
        m_everShown = true;
        if (!m_revealing && hasHiddenBlocks()) {
            m_revealing = true;
            m_turn->start();
        }
        if (m_waitingForShow) {
            m_waitingForShow = false;
            m_turn->start();
        }
    }
    return QObject::eventFilter(watched, event);
}

void SlicedRows::start(const Next &next)
{
    // The column ends in a stretch that stays. The old blocks leave the
    // column and are moved out of sight above it: hiding them would send
    // every row and label of the list an event now, a pause as long as
    // laying out a block; they are hidden as they are released. A block not
    // on the screen is hidden at once, which costs nothing.
    while (m_column->count() > 1) {
        QLayoutItem *item = m_column->takeAt(0);
        if (QWidget *block = item->widget()) {
            if (block->isVisible())
                block->move(0, -block->height());
            else
                block->hide();
            m_retired.append(block);
        }
        delete item;
    }
    m_next = next;
    m_complete = false;
    m_building = true;
    m_waitingForShow = false;
    m_revealing = false;
    slice();
}

QList<QWidget *> SlicedRows::rows() const
{
    QList<QWidget *> out;
    for (int i = 0; i < m_column->count(); ++i) {
        if (auto *block = qobject_cast<RowBlock *>(m_column->itemAt(i)->widget()))
            out.append(block->rows());
    }
    return out;
}

bool SlicedRows::hasHiddenBlocks() const
{
    for (int i = 0; i < m_column->count(); ++i) {
        if (QWidget *block = m_column->itemAt(i)->widget(); block && block->isHidden())
            return true;
    }
    return false;
}

bool SlicedRows::revealNext()
{
    QWidget *content = m_column->parentWidget();
    int top = m_column->contentsMargins().top();
    for (int i = 0; i < m_column->count(); ++i) {
        QWidget *block = m_column->itemAt(i)->widget();
        if (!block)
            continue;
        if (block->isHidden()) {
            // As a block made on the screen: laid out at the column's width
            // below the one before, so the column's pass only finds it there.
            const int width = content->width();
            block->setGeometry(0, top, width, block->heightForWidth(width));
            block->show();
            return true;
        }
        top = block->geometry().bottom() + 1;
    }
    return false;
}

int SlicedRows::columnBottom() const
{
    const int blocks = m_column->count() - 1;
    if (blocks > 0) {
        if (QWidget *last = m_column->itemAt(blocks - 1)->widget())
            return last->geometry().bottom() + 1;
    }
    return m_column->contentsMargins().top();
}

void SlicedRows::slice()
{
    if (m_everShown && !m_pane->isVisible()) {
        // The pane was put away: its rows are made when it is shown again,
        // a block at a time, rather than laid out all at once then.
        m_waitingForShow = true;
        return;
    }
    const bool shown = m_column->parentWidget()->isVisible();
    // The blocks made while the pane was not on the screen come first, a
    // block a turn: shown together they would be laid out in one long turn.
    if (shown && (m_revealing || hasHiddenBlocks()) && revealNext()) {
        m_revealing = true;
        m_turn->start();
        return;
    }
    m_revealing = false;
    if (!m_building)
        return;
    QElapsedTimer clock;
    clock.start();
    if (!m_retired.isEmpty()) {
        if (QWidget *old = m_retired.takeLast())
            old->deleteLater();
    }
    // Rows of a pane never shown yet are laid out when it is shown, not in
    // the turn.
    const qint64 budget = shown ? m_makeNs : HiddenBlockNs;
    RowBlock *block = nullptr;
    while (!m_complete && clock.nsecsElapsed() < budget) {
        if (!block)
            block = new RowBlock(m_column->parentWidget());
        QWidget *row = m_next(block);
        if (!row) {
            m_complete = true;
            break;
        }
        // Styled now, inside the slice, rather than all together later.
        row->ensurePolished();
        block->addRow(row);
    }
    if (block && block->rows().isEmpty()) {
        delete block;
        block = nullptr;
    }
    const qint64 made = clock.nsecsElapsed();
    if (block) {
        QWidget *content = m_column->parentWidget();
        if (shown) {
            // Laid out and shown here, at the column's width and below the
            // last block, before it joins the column: the column's own pass
            // in the next turn then only finds it in place. Joining first
            // would lay the column out at once, at its old height, squeezing
            // the blocks for a frame.
            const int width = content->width();
            block->setGeometry(0, columnBottom(), width, block->heightForWidth(width));
            block->show();
            // What making took of the whole turn sets the next turn's share.
            const qint64 spent = std::max<qint64>(clock.nsecsElapsed(), 1);
            m_makeNs = std::clamp(TurnNs * made / spent, MinMakeNs, MaxMakeNs);
        } else if (m_column->count() > 1) {
            // The first block is laid out with the pane's first show, as a
            // turn would lay it out; the others are kept out of that pass
            // and shown in turns of their own.
            block->hide();
        }
        PaneParts::appendRow(m_column, block);
    }
    // A turn that added a block is followed by one more, so the rows count
    // as in place once the column has been laid out with them.
    if (!m_complete || !m_retired.isEmpty() || block) {
        m_turn->start();
        return;
    }
    m_building = false;
    m_next = nullptr;
    Q_EMIT finished();
}
