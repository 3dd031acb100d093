#include "app/edits/undostack.h"

#include <QDebug>

#include <utility>

UndoStack::UndoStack(QObject *parent)
    : QObject(parent)
{
}

void UndoStack::push(Entry entry)
{
    if (!entry.undo)
        return;
    m_entries.append(std::move(entry));
    while (m_entries.size() > kMaxEntries)
        m_entries.removeFirst();
    Q_EMIT changed();
}

void UndoStack::undo()
{
    if (m_entries.isEmpty())
        return;
    // Off the stack before it runs, so the function may push or undo again.
    const Entry entry = m_entries.takeLast();
    entry.undo();
    qInfo().noquote() << "[Undo]" << entry.label;
    Q_EMIT changed();
    Q_EMIT undone(entry.label);
}

int UndoStack::count() const
{
    return int(m_entries.size());
}
