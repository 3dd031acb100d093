#include "store/remindersettler.h"

#include <QAtomicInteger>
#include <QDebug>
#include <QDeadlineTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <utility>

#include "store/database.h"

namespace {

// Each wait for the write lock is this short, so that stop() is answered
// quickly; the waits go on until the lock is free or the write gives up.
constexpr int LockWaitMs = 20;
// A write that cannot begin for this long is handed back to the caller.
constexpr int GiveUpMs = 60000;

QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("reminder_settle_%1").arg(++counter);
}

} // namespace

struct ReminderSettler::Outcome
{
    Work work;
    bool written = false;
    bool ok = false;
};

namespace {

// Begins a write transaction once the program's connection lets go of the
// lock; false when stopped, refused or given up.
bool beginWrite(QSqlDatabase &db, const std::atomic_bool &stop)
{
    QSqlQuery begin(db);
    QDeadlineTimer deadline(GiveUpMs);
    while (!stop.load()) {
        if (begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return true;
        // SQLITE_BUSY (5) and SQLITE_LOCKED (6), extended or not: another
        // connection writes.
        const int code = begin.lastError().nativeErrorCode().toInt() & 0xff;
        if ((code != 5 && code != 6) || deadline.hasExpired()) {
            qWarning().noquote() << "ReminderSettler::settle failed:" << begin.lastError().text();
            return false;
        }
    }
    return false;
}

} // namespace

ReminderSettler::ReminderSettler(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
}

ReminderSettler::~ReminderSettler()
{
    stop();
}

bool ReminderSettler::canWrite(const QString &path)
{
    return !path.isEmpty() && path != QLatin1String(":memory:");
}

bool ReminderSettler::settle(const Work &work)
{
    if (m_thread)
        return false;
    m_outcome = std::make_shared<Outcome>();
    m_outcome->work = work;
    m_stop = std::make_shared<std::atomic_bool>(false);
    m_thread = QThread::create([outcome = m_outcome, stop = m_stop, path = m_path, name = nextConnectionName()] {
        Database db;
        if (!db.open(path, name))
            return;
        QSqlQuery(db.database()).exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(LockWaitMs));
        if (!beginWrite(db.database(), *stop))
            return;
        ReminderRepository reminders(&db);
        const Work &work = outcome->work;
        const bool ok = reminders.settle(work.eventAcks, work.taskAcks, work.moves);
        QSqlQuery commit(db.database());
        if (commit.exec(QStringLiteral("COMMIT"))) {
            outcome->written = true;
            outcome->ok = ok;
            return;
        }
        qWarning().noquote() << "ReminderSettler::settle failed:" << commit.lastError().text();
        QSqlQuery(db.database()).exec(QStringLiteral("ROLLBACK"));
    });
    m_thread->setObjectName(QStringLiteral("ReminderSettler"));
    connect(m_thread, &QThread::finished, this, &ReminderSettler::onFinished, Qt::QueuedConnection);
    m_thread->start();
    return true;
}

void ReminderSettler::onFinished()
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    const std::shared_ptr<Outcome> outcome = std::exchange(m_outcome, nullptr);
    Q_EMIT settled(outcome->written && outcome->ok, outcome->written ? Work() : outcome->work);
}

ReminderSettler::Work ReminderSettler::stop()
{
    if (!m_thread)
        return {};
    m_stop->store(true);
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    const std::shared_ptr<Outcome> outcome = std::exchange(m_outcome, nullptr);
    return outcome->written ? Work() : outcome->work;
}
