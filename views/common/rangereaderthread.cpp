#include "views/common/rangereaderthread.h"

#include <QAtomicInteger>
#include <QDebug>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include "store/storereader.h"

namespace {

QMutex registryMutex;

QHash<QString, std::weak_ptr<RangeReaderThread>> &registry()
{
    static QHash<QString, std::weak_ptr<RangeReaderThread>> threads;
    return threads;
}

// Each connection needs a name of its own in the process.
QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("view_range_reader_%1").arg(++counter);
}

} // namespace

std::shared_ptr<RangeReaderThread> RangeReaderThread::forPath(const QString &path)
{
    QMutexLocker lock(&registryMutex);
    std::weak_ptr<RangeReaderThread> &slot = registry()[path];
    std::shared_ptr<RangeReaderThread> thread = slot.lock();
    if (!thread) {
        thread.reset(new RangeReaderThread(path));
        slot = thread;
    }
    return thread;
}

RangeReaderThread::RangeReaderThread(const QString &path)
    : m_path(path)
    , m_connectionName(nextConnectionName())
    , m_thread(new QThread)
{
    m_thread->setObjectName(QStringLiteral("ViewRangeLoader"));
    // The connection belongs to the thread: it is closed there as it ends.
    QObject::connect(
        m_thread, &QThread::finished, m_thread,
        [this] {
            QMutexLocker lock(&m_connectionMutex);
            m_interrupter = StatementInterrupter();
            m_reader.reset();
        },
        Qt::DirectConnection);
    m_thread->start();
}

RangeReaderThread::~RangeReaderThread()
{
    {
        QMutexLocker lock(&registryMutex);
        const auto found = registry().constFind(m_path);
        // A new thread for the same file may already stand in this one's place.
        if (found != registry().constEnd() && found->expired())
            registry().erase(found);
    }
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

StoreReader *RangeReaderThread::reader()
{
    Q_ASSERT(QThread::currentThread() == m_thread);
    if (!m_reader) {
        auto reader = std::make_unique<StoreReader>(m_path, m_connectionName);
        if (!reader->isOpen())
            qWarning().noquote() << "RangeReaderThread::reader failed: the store could not be opened for reading";
        QMutexLocker lock(&m_connectionMutex);
        m_interrupter = StatementInterrupter(reader->database());
        m_reader = std::move(reader);
    }
    return m_reader.get();
}

void RangeReaderThread::close()
{
    m_closing.store(true);
    {
        QMutexLocker lock(&registryMutex);
        const auto found = registry().constFind(m_path);
        if (found != registry().constEnd() && found->lock().get() == this)
            registry().erase(found);
    }
    // After the flag: the statement running now fails, and the read gives up
    // at its next check of the flag.
    QMutexLocker lock(&m_connectionMutex);
    m_interrupter.interrupt();
}

void RangeReaderThread::closeAll()
{
    QList<std::shared_ptr<RangeReaderThread>> open;
    {
        QMutexLocker lock(&registryMutex);
        for (const std::weak_ptr<RangeReaderThread> &slot : std::as_const(registry())) {
            if (std::shared_ptr<RangeReaderThread> thread = slot.lock())
                open.append(thread);
        }
    }
    for (const std::shared_ptr<RangeReaderThread> &thread : std::as_const(open))
        thread->close();
}
