#include "ui/panes/slicedrows.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/panes/paneparts.h"

namespace {

// Rows made in one turn of the event loop, at most about this long.
constexpr qint64 SliceNs = 4 * 1000 * 1000;
// Old rows released in one turn.
constexpr int RetiredPerSlice = 40;

} // namespace

SlicedRows::SlicedRows(QVBoxLayout *column, QObject *parent)
    : QObject(parent)
    , m_column(column)
{
}

void SlicedRows::start(const Next &next)
{
    // The column ends in a stretch that stays.
    while (m_column->count() > 1) {
        QLayoutItem *item = m_column->takeAt(0);
        if (QWidget *widget = item->widget()) {
            widget->hide();
            m_retired.append(widget);
        }
        delete item;
    }
    m_next = next;
    m_complete = false;
    m_building = true;
    slice(++m_generation);
}

void SlicedRows::slice(quint64 generation)
{
    if (generation != m_generation)
        return;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < RetiredPerSlice && !m_retired.isEmpty(); ++i) {
        if (QWidget *widget = m_retired.takeLast())
            widget->deleteLater();
    }
    while (!m_complete && clock.nsecsElapsed() < SliceNs) {
        QWidget *row = m_next();
        if (!row) {
            m_complete = true;
            break;
        }
        // Styled now, inside the slice, rather than all together later.
        row->ensurePolished();
        PaneParts::appendRow(m_column, row);
    }
    if (!m_complete || !m_retired.isEmpty()) {
        QTimer::singleShot(0, this, [this, generation] { slice(generation); });
        return;
    }
    m_building = false;
    m_next = nullptr;
    Q_EMIT finished();
}
