#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>

#include <memory>

class SecretServiceStore;

// The keyring's side of SecretServiceCache: lives on the cache's thread and
// makes the blocking Secret Service calls there, one request at a time.
class SecretServiceWorker : public QObject
{
    Q_OBJECT
public:
    SecretServiceWorker(const QDBusConnection &bus, int promptTimeoutMs);
    ~SecretServiceWorker() override;

public Q_SLOTS:
    void load();
    void write(const QString &target, const QByteArray &value);
    void remove(const QString &target);

Q_SIGNALS:
    void loaded(bool available, const QHash<QString, QByteArray> &entries);
    void written(bool ok);

private:
    QDBusConnection m_bus;
    int m_promptTimeoutMs;
    std::unique_ptr<SecretServiceStore> m_store;
};
