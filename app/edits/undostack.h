#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// The last few reversible edits of events made in the views. Undo only, no
// redo, and nothing survives a restart.
class UndoStack : public QObject
{
    Q_OBJECT
public:
    struct Entry
    {
        // Shown after undoing: the action and the event's title.
        QString label;
        // Restores the previous state from what it captured by value.
        std::function<void()> undo;
    };

    static constexpr int kMaxEntries = 20;

    explicit UndoStack(QObject *parent = nullptr);

    // An entry without a function is dropped. Past the cap the oldest goes.
    void push(Entry entry);
    // Runs the newest entry's function after taking it off the stack.
    void undo();
    int count() const;

Q_SIGNALS:
    void changed();
    void undone(const QString &summary);

private:
    QList<Entry> m_entries;
};
