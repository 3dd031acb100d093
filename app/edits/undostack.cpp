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
    const Outcome outcome = entry.outdated ? Outcome::ChangedSince : entry.undo();
    switch (outcome) {
    case Outcome::Undone:
        qInfo().noquote() << "[Undo]" << entry.label;
        break;
    case Outcome::Reinvited:
        qInfo().noquote() << "[Undo]" << entry.label << "and its guests are invited again";
        break;
    case Outcome::ChangedSince:
        qInfo().noquote() << "[Undo]" << entry.label << "not undone: changed since";
        break;
    case Outcome::Failed:
        qWarning().noquote() << "[Undo]" << entry.label << "not undone: the store refused it";
        break;
    }
    Q_EMIT changed();
    if (outcome == Outcome::Undone || outcome == Outcome::Reinvited)
        Q_EMIT undone(entry.label, outcome);
    else
        Q_EMIT notUndone(entry.label, outcome);
}

int UndoStack::count() const
{
    return int(m_entries.size());
}

void UndoStack::markChanged(const QString &item)
{
    if (item.isEmpty())
        return;
    for (Entry &entry : m_entries) {
        if (entry.items.contains(item))
            entry.outdated = true;
    }
}
