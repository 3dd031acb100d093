#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class CredentialStore;
class SecretServiceWorker;

// The desktop keyring as the token store sees it: every entry of ours read
// once, in the background, and answered from memory; changes are kept in
// memory at once and written to the keyring in the background, in order.
// The keyring's calls (up to 10 s each, 2 minutes while an unlock prompt is
// open) run on a thread of their own, so the GUI thread never waits on them.
// Where no Secret Service answers, a fallback store (the private file) takes
// the entries instead, the changes made meanwhile included.
class SecretServiceCache : public QObject
{
    Q_OBJECT
public:
    enum class State { Loading, Ready, Unavailable };

    // Over `bus`; `fallback` (may be null) serves when no keyring answers.
    // An unlock prompt is given up after `promptTimeoutMs`.
    SecretServiceCache(const QDBusConnection &bus, std::unique_ptr<CredentialStore> fallback,
                       QObject *parent = nullptr, int promptTimeoutMs = 120000);
    // Waits for the background writes, up to the keyring's own call limits.
    ~SecretServiceCache() override;

    // The process's cache over the session bus, loading from its first use;
    // the file store of the data directory is its fallback unless the
    // keyring was asked for by name.
    static SecretServiceCache *instance();

    State state() const { return m_state; }
    // Runs `done` once the entries are loaded or the keyring is known to be
    // missing, or after `boundMs` at the latest; at once when that is so
    // already. Nothing runs once `context` is gone.
    void whenSettled(QObject *context, std::function<void()> done, int boundMs = 5000);

    std::optional<QByteArray> read(const QString &target) const;
    // True once the value is kept; the keyring write follows and a failure
    // is reported by writeFailed.
    bool write(const QString &target, const QByteArray &value);
    // True when there was an entry to remove.
    bool remove(const QString &target);

Q_SIGNALS:
    void settled();
    // A background write did not reach the keyring; the value stays in
    // memory for this session only. The message names no secret.
    void writeFailed(const QString &message);
    // With no keyring answering, a value was just written to the fallback
    // store, unencrypted.
    void keptUnencrypted();

private:
    void onLoaded(bool available, const QHash<QString, QByteArray> &entries);
    void onWritten(bool ok);
    void settle(State state);

    QThread *m_thread;
    SecretServiceWorker *m_worker = nullptr;
    std::unique_ptr<CredentialStore> m_fallback;
    State m_state = State::Loading;
    QHash<QString, QByteArray> m_entries;
    // Targets changed before the load ended: their loaded values are stale.
    QHash<QString, std::optional<QByteArray>> m_early;
};
