#pragma once

#include <QAtomicInteger>
#include <QSemaphore>
#include <QSqlQuery>
#include <QString>
#include <QThread>

#include "store/database.h"

#include <memory>

// Another writer of the store: a connection of its own, on a thread of its
// own, that takes the write lock at construction and keeps it for
// `holdMs`, as a pull written on a worker does. Whatever this thread writes
// meanwhile meets the lock.
class HeldWriteLock
{
public:
    HeldWriteLock(const QString &path, int holdMs)
    {
        static QAtomicInteger<int> serial;
        const QString name = QStringLiteral("held-write-lock-%1").arg(++serial);
        auto taken = std::make_shared<QSemaphore>();
        m_thread.reset(QThread::create([this, path, name, holdMs, taken] {
            Database db;
            if (db.open(path, name)) {
                QSqlQuery query(db.database());
                m_held = query.exec(QStringLiteral("BEGIN IMMEDIATE"));
                taken->release();
                QThread::msleep(holdMs);
                query.exec(QStringLiteral("COMMIT"));
            } else {
                taken->release();
            }
        }));
        m_thread->start();
        taken->acquire();
    }

    ~HeldWriteLock() { m_thread->wait(); }

    HeldWriteLock(const HeldWriteLock &) = delete;
    HeldWriteLock &operator=(const HeldWriteLock &) = delete;

    // Whether the lock was taken at all.
    bool held() const { return m_held; }

private:
    std::unique_ptr<QThread> m_thread;
    bool m_held = false;
};
