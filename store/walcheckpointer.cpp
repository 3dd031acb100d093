#include "store/walcheckpointer.h"

#include <QAtomicInteger>
#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <memory>

namespace {

QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("wal_checkpoint_%1").arg(++counter);
}

// A passive checkpoint: it copies what no reader still needs and never
// blocks the program's connection from writing meanwhile.
bool checkpoint(const QString &path, const QString &connectionName)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (db.open()) {
            QSqlQuery query(db);
            ok = query.exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
            if (!ok)
                qWarning().noquote() << "WalCheckpointer::checkpoint failed:" << query.lastError().text();
        } else {
            qWarning().noquote() << "WalCheckpointer::checkpoint failed:" << db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    return ok;
}

} // namespace

WalCheckpointer::WalCheckpointer(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
}

WalCheckpointer::~WalCheckpointer()
{
    m_again = false;
    waitForDone();
}

void WalCheckpointer::request()
{
    if (m_path.isEmpty() || m_path == QLatin1String(":memory:"))
        return;
    if (m_thread) {
        m_again = true;
        return;
    }
    auto ok = std::make_shared<bool>(false);
    m_thread = QThread::create([ok, path = m_path, name = nextConnectionName()] { *ok = checkpoint(path, name); });
    m_thread->setObjectName(QStringLiteral("WalCheckpointer"));
    connect(m_thread, &QThread::finished, this, [this, ok] { onFinished(*ok); }, Qt::QueuedConnection);
    m_thread->start(QThread::LowPriority);
}

void WalCheckpointer::onFinished(bool ok)
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    Q_EMIT checkpointed(ok);
    if (m_again) {
        m_again = false;
        request();
    }
}

void WalCheckpointer::waitForDone()
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}
