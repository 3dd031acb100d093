#include "app/secrets/secretservicecache.h"

#include <QCoreApplication>
#include <QDebug>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include "app/secrets/credentialbackend.h"
#include "app/secrets/credentialstore.h"
#include "app/secrets/filesecretstore.h"
#include "app/secrets/secretserviceworker.h"

namespace {

// Longer than one keyring call may take, so a write under way still ends.
constexpr unsigned long ExitWaitMs = 12000;

} // namespace

SecretServiceCache::SecretServiceCache(const QDBusConnection &bus, std::unique_ptr<CredentialStore> fallback,
                                       QObject *parent, int promptTimeoutMs)
    : QObject(parent)
    , m_thread(new QThread)
    , m_worker(new SecretServiceWorker(bus, promptTimeoutMs))
    , m_fallback(std::move(fallback))
{
    qRegisterMetaType<QHash<QString, QByteArray>>();
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &SecretServiceWorker::loaded, this, &SecretServiceCache::onLoaded);
    connect(m_worker, &SecretServiceWorker::written, this, &SecretServiceCache::onWritten);
    m_thread->setObjectName(QStringLiteral("secret-service"));
    m_thread->start();
    QMetaObject::invokeMethod(m_worker, &SecretServiceWorker::load, Qt::QueuedConnection);
}

SecretServiceCache::~SecretServiceCache()
{
    m_thread->quit();
    if (m_thread->wait(ExitWaitMs)) {
        delete m_thread;
        return;
    }
    // Still inside a keyring call: the thread is left to end with the
    // process rather than destroyed while it runs.
    qWarning().noquote() << "[Secrets] the keyring did not finish its last write before the program ended";
}

SecretServiceCache *SecretServiceCache::instance()
{
    static QPointer<SecretServiceCache> cache;
    if (!cache) {
        const bool forced = qgetenv("CALENDAR_SECRET_STORE") == "secret-service";
        std::unique_ptr<CredentialStore> fallback;
        if (!forced)
            fallback = std::make_unique<FileSecretStore>(CredentialBackend::fileStoreDirectory());
        cache = new SecretServiceCache(QDBusConnection::sessionBus(), std::move(fallback),
                                       QCoreApplication::instance());
    }
    return cache;
}

void SecretServiceCache::whenSettled(QObject *context, std::function<void()> done, int boundMs)
{
    if (m_state != State::Loading) {
        done();
        return;
    }
    // Whichever comes first runs `done`; the other finds it spent.
    auto once = std::make_shared<std::function<void()>>(std::move(done));
    auto run = [once] {
        if (*once)
            std::exchange(*once, nullptr)();
    };
    connect(this, &SecretServiceCache::settled, context, run, Qt::SingleShotConnection);
    QTimer::singleShot(boundMs, context, run);
}

std::optional<QByteArray> SecretServiceCache::read(const QString &target) const
{
    if (m_state == State::Unavailable)
        return m_fallback ? m_fallback->read(target) : std::nullopt;
    const auto it = m_entries.constFind(target);
    if (it == m_entries.cend())
        return std::nullopt;
    return *it;
}

bool SecretServiceCache::write(const QString &target, const QByteArray &value)
{
    if (m_state == State::Unavailable) {
        if (!m_fallback || !m_fallback->write(target, value))
            return false;
        Q_EMIT keptUnencrypted();
        return true;
    }
    m_entries.insert(target, value);
    if (m_state == State::Loading)
        m_early.insert(target, value);
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, target, value] { worker->write(target, value); },
                              Qt::QueuedConnection);
    return true;
}

bool SecretServiceCache::remove(const QString &target)
{
    if (m_state == State::Unavailable)
        return m_fallback && m_fallback->remove(target);
    const bool existed = m_entries.remove(target) > 0;
    if (m_state == State::Loading)
        m_early.insert(target, std::nullopt);
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, target] { worker->remove(target); },
                              Qt::QueuedConnection);
    return existed;
}

void SecretServiceCache::onLoaded(bool available, const QHash<QString, QByteArray> &entries)
{
    if (!available) {
        // The changes made meanwhile go where the secrets are kept now.
        if (m_fallback) {
            for (auto it = m_early.cbegin(); it != m_early.cend(); ++it) {
                const bool kept = it.value() ? m_fallback->write(it.key(), *it.value()) : m_fallback->remove(it.key());
                if (!kept && it.value())
                    Q_EMIT writeFailed(tr("A password or sign-in could not be saved."));
            }
        } else if (!m_early.isEmpty()) {
            Q_EMIT writeFailed(tr("No keyring is available; passwords and sign-ins are not saved."));
        }
        m_entries.clear();
        m_early.clear();
        settle(State::Unavailable);
        return;
    }
    QHash<QString, QByteArray> merged = entries;
    for (auto it = m_early.cbegin(); it != m_early.cend(); ++it) {
        if (it.value())
            merged.insert(it.key(), *it.value());
        else
            merged.remove(it.key());
    }
    m_entries = merged;
    m_early.clear();
    settle(State::Ready);
}

void SecretServiceCache::onWritten(bool ok)
{
    // Without a keyring the changes went to the fallback when the load ended.
    if (ok || m_state == State::Unavailable)
        return;
    qWarning().noquote() << "[Secrets] a change could not be written to the keyring; it holds for this session only";
    Q_EMIT writeFailed(tr("A password or sign-in could not be saved to the keyring; it is kept until the "
                          "program ends."));
}

void SecretServiceCache::settle(State state)
{
    m_state = state;
    qInfo().noquote() << "[Secrets] Keeping secrets in"
                      << (state == State::Ready ? QStringLiteral("the desktop keyring (Secret Service)")
                                                : m_fallback ? QStringLiteral("the private file store")
                                                             : QStringLiteral("nothing (no keyring answers)"));
    Q_EMIT settled();
}
