#include "app/secrets/secretserviceprompt.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QEventLoop>
#include <QTimer>

namespace {

const QString secretsService = QStringLiteral("org.freedesktop.secrets");
const QString promptInterface = QStringLiteral("org.freedesktop.Secret.Prompt");

} // namespace

SecretServicePrompt::SecretServicePrompt(const QDBusConnection &bus, const QDBusObjectPath &prompt)
    : m_bus(bus)
    , m_prompt(prompt)
{
}

bool SecretServicePrompt::run(int timeoutMs)
{
    if (m_prompt.path().isEmpty() || m_prompt.path() == QLatin1String("/"))
        return true;

    QEventLoop loop;
    connect(this, &SecretServicePrompt::finished, &loop, &QEventLoop::quit);
    if (!m_bus.connect(secretsService, m_prompt.path(), promptInterface, QStringLiteral("Completed"),
                       this, SLOT(onCompleted(bool, QDBusVariant))))
        return false;

    QDBusMessage call = QDBusMessage::createMethodCall(secretsService, m_prompt.path(),
                                                       promptInterface, QStringLiteral("Prompt"));
    call << QString(); // no parent window id
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        m_bus.disconnect(secretsService, m_prompt.path(), promptInterface,
                         QStringLiteral("Completed"), this, SLOT(onCompleted(bool, QDBusVariant)));
        return false;
    }

    if (!m_completed) {
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    m_bus.disconnect(secretsService, m_prompt.path(), promptInterface, QStringLiteral("Completed"),
                     this, SLOT(onCompleted(bool, QDBusVariant)));
    if (!m_completed) {
        m_bus.call(QDBusMessage::createMethodCall(secretsService, m_prompt.path(), promptInterface,
                                                  QStringLiteral("Dismiss")),
                   QDBus::NoBlock);
        return false;
    }
    return !m_dismissed;
}

void SecretServicePrompt::onCompleted(bool dismissed, const QDBusVariant &result)
{
    Q_UNUSED(result);
    m_completed = true;
    m_dismissed = dismissed;
    Q_EMIT finished();
}
