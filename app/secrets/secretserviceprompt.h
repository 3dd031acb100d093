#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>

// One Secret Service prompt (an unlock or confirmation dialog the keyring
// shows), run to its end. The token store's operations are synchronous, so
// the wait runs a local event loop, bounded by a timeout after which the
// prompt is dismissed.
class SecretServicePrompt : public QObject
{
    Q_OBJECT
public:
    SecretServicePrompt(const QDBusConnection &bus, const QDBusObjectPath &prompt);

    // True when the prompt completed without being dismissed. A path of "/"
    // means no prompt was needed and succeeds at once.
    bool run(int timeoutMs);

Q_SIGNALS:
    void finished();

private Q_SLOTS:
    void onCompleted(bool dismissed, const QDBusVariant &result);

private:
    QDBusConnection m_bus;
    QDBusObjectPath m_prompt;
    bool m_completed = false;
    bool m_dismissed = true;
};
