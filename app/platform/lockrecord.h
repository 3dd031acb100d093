#pragma once

#include <QByteArray>
#include <QString>

// What a lock file written by QLockFile says about the process that holds
// it: process id, program, host name, machine id and boot id, one a line.
// The file lies in a folder that may have been copied, shared or crashed
// into, so it is read as untrusted input: bounded, never through a link.
class LockRecord
{
public:
    enum class Holder {
        // A process of this computer; QLockFile tells whether it still runs.
        ThisComputer,
        // A process of another computer, which cannot be checked from here.
        OtherComputer,
        // Empty, cut short or not a lock record at all: it names no process.
        NoOne,
        // Gone, not a regular file, or not readable by this user.
        Unreadable,
    };

    enum class Removal {
        Removed,
        // Names no process, but was written too recently to tell it from a
        // lock whose maker has not written its record yet.
        Young,
        // Names a process, is held by one, changed meanwhile, or cannot go.
        Kept,
        // Names no process, but its folder cannot be written: it cannot go.
        Unwritable,
    };

    // The lock file at `path` as it is now.
    static LockRecord read(const QString &path);
    // The record in a lock file's whole contents.
    static LockRecord parse(const QByteArray &contents);

    // Removes the lock file at `path` when it names no process, no process
    // holds a lock on it, and it was written at least `minimumAgeMs` ago. A
    // start that creates the file locks it and writes its record right
    // after: only age tells its empty file from an abandoned one before the
    // lock is on.
    static Removal removeAbandoned(const QString &path, qint64 minimumAgeMs);

    // Whether the lock file at `path` names a program of this computer that
    // no longer holds it (one that crashed), in a folder that cannot be
    // written: QLockFile would take such a lock over, but cannot remove it.
    static bool strandedInUnwritableFolder(const QString &path);

    Holder holder() const { return m_holder; }
    // The host the record names, as one line without control characters,
    // cut to a host name's length; empty when it names no process.
    QString hostName() const { return m_hostName; }

private:
    Holder m_holder = Holder::NoOne;
    QString m_hostName;
};
