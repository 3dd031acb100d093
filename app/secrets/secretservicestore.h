#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QHash>
#include <QList>
#include <QString>

#include "app/secrets/credentialstore.h"

// Credentials in the desktop keyring through the freedesktop Secret Service
// (org.freedesktop.secrets). Each target is one item of the default
// collection, found by its attributes. Secrets travel in a "plain" session:
// the session bus is private to the user, and Qt offers no cipher for the
// encrypted session kinds. Every call blocks until the keyring answers, so
// the program makes them on a thread of their own (SecretServiceCache).
class SecretServiceStore : public CredentialStore
{
public:
    explicit SecretServiceStore(const QDBusConnection &bus);
    ~SecretServiceStore() override;

    // True when a Secret Service answers on `bus` and has a default
    // collection to store items in.
    static bool isAvailable(const QDBusConnection &bus, int timeoutMs = 3000);

    // How long an unlock prompt of the keyring may stay open.
    void setPromptTimeout(int timeoutMs);

    std::optional<QByteArray> read(const QString &target) override;
    bool write(const QString &target, const QByteArray &value) override;
    bool remove(const QString &target) override;

    // Every entry of ours, by target (unlocking the keyring, which may
    // prompt); nothing when the keyring could not be read.
    std::optional<QHash<QString, QByteArray>> readAll();

private:
    QDBusMessage call(const QString &path, const QString &interface, const QString &method,
                      const QList<QVariant> &arguments = {}) const;
    bool openSession();
    // Items whose attributes name `target`, unlocked first; locked ones are
    // unlocked (which may prompt) and dropped when that fails.
    QList<QDBusObjectPath> findItems(const QString &target);
    bool unlock(const QList<QDBusObjectPath> &objects);
    bool runPrompt(const QDBusObjectPath &prompt);
    bool deleteItem(const QDBusObjectPath &item);
    QVariant secretArgument(const QByteArray &value) const;

    QDBusConnection m_bus;
    QDBusObjectPath m_session;
    int m_promptTimeoutMs = 120000;
};
