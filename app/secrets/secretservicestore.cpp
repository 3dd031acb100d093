#include "app/secrets/secretservicestore.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QMap>

#include "app/secrets/secretserviceprompt.h"
#include "app/secrets/secretservicesecret.h"

namespace {

const QString secretsService = QStringLiteral("org.freedesktop.secrets");
const QString servicePath = QStringLiteral("/org/freedesktop/secrets");
const QString serviceInterface = QStringLiteral("org.freedesktop.Secret.Service");
const QString collectionInterface = QStringLiteral("org.freedesktop.Secret.Collection");
const QString itemInterface = QStringLiteral("org.freedesktop.Secret.Item");
const QString sessionInterface = QStringLiteral("org.freedesktop.Secret.Session");
const QString schemaName = QStringLiteral("com.tindlebrook.calendar.Credential");
constexpr int callTimeoutMs = 10000;

QMap<QString, QString> attributesFor(const QString &target)
{
    return {{QStringLiteral("xdg:schema"), schemaName}, {QStringLiteral("target"), target}};
}

bool isNoObject(const QDBusObjectPath &path)
{
    return path.path().isEmpty() || path.path() == QLatin1String("/");
}

QList<QDBusObjectPath> pathList(const QVariant &argument)
{
    return qdbus_cast<QList<QDBusObjectPath>>(argument);
}

QDBusObjectPath pathOf(const QVariant &argument)
{
    return qdbus_cast<QDBusObjectPath>(argument);
}

} // namespace

SecretServiceStore::SecretServiceStore(const QDBusConnection &bus)
    : m_bus(bus)
{
    SecretServiceSecret::registerTypes();
}

SecretServiceStore::~SecretServiceStore()
{
    if (!isNoObject(m_session)) {
        m_bus.call(QDBusMessage::createMethodCall(secretsService, m_session.path(), sessionInterface,
                                                  QStringLiteral("Close")),
                   QDBus::NoBlock);
    }
}

bool SecretServiceStore::isAvailable(const QDBusConnection &bus, int timeoutMs)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage message = QDBusMessage::createMethodCall(secretsService, servicePath,
                                                          serviceInterface, QStringLiteral("ReadAlias"));
    message << QStringLiteral("default");
    const QDBusMessage reply = bus.call(message, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return false;
    return !isNoObject(pathOf(reply.arguments().at(0)));
}

void SecretServiceStore::setPromptTimeout(int timeoutMs)
{
    m_promptTimeoutMs = timeoutMs;
}

QDBusMessage SecretServiceStore::call(const QString &path, const QString &interface,
                                      const QString &method, const QList<QVariant> &arguments) const
{
    QDBusMessage message = QDBusMessage::createMethodCall(secretsService, path, interface, method);
    message.setArguments(arguments);
    return m_bus.call(message, QDBus::Block, callTimeoutMs);
}

bool SecretServiceStore::openSession()
{
    if (!isNoObject(m_session))
        return true;
    const QDBusMessage reply =
        call(servicePath, serviceInterface, QStringLiteral("OpenSession"),
             {QStringLiteral("plain"), QVariant::fromValue(QDBusVariant(QString()))});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
        return false;
    m_session = pathOf(reply.arguments().at(1));
    return !isNoObject(m_session);
}

bool SecretServiceStore::runPrompt(const QDBusObjectPath &prompt)
{
    SecretServicePrompt runner(m_bus, prompt);
    return runner.run(m_promptTimeoutMs);
}

bool SecretServiceStore::unlock(const QList<QDBusObjectPath> &objects)
{
    if (objects.isEmpty())
        return true;
    const QDBusMessage reply = call(servicePath, serviceInterface, QStringLiteral("Unlock"),
                                    {QVariant::fromValue(objects)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
        return false;
    if (pathList(reply.arguments().at(0)).size() == objects.size())
        return true;
    return runPrompt(pathOf(reply.arguments().at(1)));
}

QList<QDBusObjectPath> SecretServiceStore::findItems(const QString &target)
{
    const QDBusMessage reply = call(servicePath, serviceInterface, QStringLiteral("SearchItems"),
                                    {QVariant::fromValue(attributesFor(target))});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
        return {};
    QList<QDBusObjectPath> items = pathList(reply.arguments().at(0));
    const QList<QDBusObjectPath> locked = pathList(reply.arguments().at(1));
    if (!locked.isEmpty() && unlock(locked))
        items += locked;
    return items;
}

QVariant SecretServiceStore::secretArgument(const QByteArray &value) const
{
    SecretServiceSecret secret;
    secret.session = m_session;
    secret.value = value;
    secret.contentType = QStringLiteral("text/plain; charset=utf8");
    return QVariant::fromValue(secret);
}

bool SecretServiceStore::deleteItem(const QDBusObjectPath &item)
{
    const QDBusMessage reply = call(item.path(), itemInterface, QStringLiteral("Delete"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return false;
    return runPrompt(pathOf(reply.arguments().at(0)));
}

std::optional<QByteArray> SecretServiceStore::read(const QString &target)
{
    const QList<QDBusObjectPath> items = findItems(target);
    if (items.isEmpty() || !openSession())
        return std::nullopt;
    const QDBusMessage reply = call(items.first().path(), itemInterface, QStringLiteral("GetSecret"),
                                    {QVariant::fromValue(m_session)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return std::nullopt;
    return qdbus_cast<SecretServiceSecret>(reply.arguments().at(0)).value;
}

bool SecretServiceStore::write(const QString &target, const QByteArray &value)
{
    if (!openSession())
        return false;

    const QList<QDBusObjectPath> items = findItems(target);
    if (!items.isEmpty()) {
        const QDBusMessage reply = call(items.first().path(), itemInterface,
                                        QStringLiteral("SetSecret"), {secretArgument(value)});
        if (reply.type() != QDBusMessage::ReplyMessage)
            return false;
        // One entry per target: a copy left in another collection would
        // shadow this value on the next read.
        for (int i = 1; i < items.size(); ++i)
            deleteItem(items.at(i));
        return true;
    }

    const QDBusMessage aliasReply = call(servicePath, serviceInterface, QStringLiteral("ReadAlias"),
                                         {QStringLiteral("default")});
    if (aliasReply.type() != QDBusMessage::ReplyMessage || aliasReply.arguments().size() != 1)
        return false;
    const QDBusObjectPath collection = pathOf(aliasReply.arguments().at(0));
    if (isNoObject(collection) || !unlock({collection}))
        return false;

    QVariantMap properties;
    properties.insert(QStringLiteral("org.freedesktop.Secret.Item.Label"),
                      QStringLiteral("Tindlebrook Calendar: %1").arg(target));
    properties.insert(QStringLiteral("org.freedesktop.Secret.Item.Attributes"),
                      QVariant::fromValue(attributesFor(target)));
    const QDBusMessage reply = call(collection.path(), collectionInterface,
                                    QStringLiteral("CreateItem"),
                                    {properties, secretArgument(value), true});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
        return false;
    if (!isNoObject(pathOf(reply.arguments().at(0))))
        return true;
    return runPrompt(pathOf(reply.arguments().at(1))) && !findItems(target).isEmpty();
}

bool SecretServiceStore::remove(const QString &target)
{
    bool removed = false;
    const QList<QDBusObjectPath> items = findItems(target);
    for (const QDBusObjectPath &item : items)
        removed = deleteItem(item) || removed;
    return removed;
}

std::optional<QHash<QString, QByteArray>> SecretServiceStore::readAll()
{
    const QDBusMessage search = call(servicePath, serviceInterface, QStringLiteral("SearchItems"),
                                     {QVariant::fromValue(QMap<QString, QString>{
                                         {QStringLiteral("xdg:schema"), schemaName}})});
    if (search.type() != QDBusMessage::ReplyMessage || search.arguments().size() != 2 || !openSession())
        return std::nullopt;
    QList<QDBusObjectPath> items = pathList(search.arguments().at(0));
    const QList<QDBusObjectPath> locked = pathList(search.arguments().at(1));
    if (!locked.isEmpty()) {
        if (!unlock(locked))
            return std::nullopt;
        items += locked;
    }

    QHash<QString, QByteArray> entries;
    for (const QDBusObjectPath &item : std::as_const(items)) {
        const QDBusMessage attributes =
            call(item.path(), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                 {itemInterface, QStringLiteral("Attributes")});
        if (attributes.type() != QDBusMessage::ReplyMessage || attributes.arguments().size() != 1)
            return std::nullopt;
        const QVariant inner = qvariant_cast<QDBusVariant>(attributes.arguments().at(0)).variant();
        const QString target = qdbus_cast<QMap<QString, QString>>(inner).value(QStringLiteral("target"));
        if (target.isEmpty() || entries.contains(target))
            continue;
        const QDBusMessage secret =
            call(item.path(), itemInterface, QStringLiteral("GetSecret"), {QVariant::fromValue(m_session)});
        if (secret.type() != QDBusMessage::ReplyMessage || secret.arguments().size() != 1)
            return std::nullopt;
        entries.insert(target, qdbus_cast<SecretServiceSecret>(secret.arguments().at(0)).value);
    }
    return entries;
}
