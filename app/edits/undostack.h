#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

// The last few reversible edits of events made in the views. Undo only, no
// redo, and nothing survives a restart.
class UndoStack : public QObject
{
    Q_OBJECT
public:
    // What an undo function did.
    enum class Outcome {
        // It wrote the earlier state back.
        Undone,
        // It wrote back a meeting whose cancellation went to its guests:
        // they are invited again.
        Reinvited,
        // It wrote nothing: what it would give back was changed or removed
        // since (a change with no entry of its own, or another device's).
        ChangedSince,
        // The store refused the write; nothing was changed.
        Failed,
    };
    Q_ENUM(Outcome)

    struct Entry
    {
        // Shown after undoing: the action and the event's title.
        QString label;
        // Restores the previous state from what it captured by value.
        std::function<Outcome()> undo;
        // What the undo writes back, as keys markChanged() is given.
        QStringList items = {};
        // One of the items was changed since by a change with no entry:
        // undoing it would write back a copy older than that change.
        bool outdated = false;
    };

    static constexpr int kMaxEntries = 20;

    explicit UndoStack(QObject *parent = nullptr);

    // An entry without a function is dropped. Past the cap the oldest goes.
    void push(Entry entry);
    // Takes the newest entry off the stack and runs its function, unless a
    // change since made it outdated: then nothing is written.
    void undo();
    int count() const;

    // A change that has no entry of its own (a whole series moved, split,
    // saved from the form or sent to another calendar) was made to item:
    // the entries held now that write it back are outdated. Entries stay
    // where they are; the next undo reaching one writes nothing and says so.
    void markChanged(const QString &item);

Q_SIGNALS:
    void changed();
    // After an undo that wrote the earlier state back: how (Undone or
    // Reinvited).
    void undone(const QString &summary, UndoStack::Outcome how);
    // After an undo that wrote nothing, and why (ChangedSince or Failed).
    void notUndone(const QString &summary, UndoStack::Outcome why);

private:
    QList<Entry> m_entries;
};
