#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QVBoxLayout;
class QWidget;

// Puts a long list's rows into a pane's column a few milliseconds' worth per
// turn of the event loop, so the window keeps answering while they come. The
// rows of the previous list are hidden at once and released a batch per
// turn: releasing a thousand at once holds the window as long as making them.
class SlicedRows : public QObject
{
    Q_OBJECT
public:
    // Makes the next row, or returns null when the list is complete.
    using Next = std::function<QWidget *()>;

    // column is a pane's scroll list (PaneParts::makeScrollList).
    SlicedRows(QVBoxLayout *column, QObject *parent);

    // Replaces the rows; a build still going is abandoned.
    void start(const Next &next);
    bool isBuilding() const { return m_building; }

Q_SIGNALS:
    // The rows of the last start() are all in place.
    void finished();

private:
    void slice(quint64 generation);

    QVBoxLayout *m_column;
    Next m_next;
    QList<QPointer<QWidget>> m_retired;
    quint64 m_generation = 0;
    bool m_building = false;
    bool m_complete = true;
};
