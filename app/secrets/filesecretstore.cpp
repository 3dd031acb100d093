#include "app/secrets/filesecretstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLockFile>
#include <QSaveFile>

namespace {

constexpr QFileDevice::Permissions privateFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
const QString entriesMember = QStringLiteral("entries");
constexpr int lockTimeoutMs = 5000;

} // namespace

FileSecretStore::FileSecretStore(const QString &directory)
    : m_directory(directory)
{
}

QString FileSecretStore::directory() const
{
    return m_directory;
}

QString FileSecretStore::filePath() const
{
    return m_directory + QStringLiteral("/credentials.json");
}

bool FileSecretStore::ensureDirectory() const
{
    QDir folder(m_directory);
    if (!folder.exists()) {
        const QString parent = QFileInfo(m_directory).absolutePath();
        if (!QDir().mkpath(parent) || !QDir().mkdir(m_directory, privateFolder))
            return false;
    }
    // A folder made by hand or by an older build may be readable by others.
    if (QFile::permissions(m_directory) != privateFolder
        && !QFile::setPermissions(m_directory, privateFolder))
        return false;
    return true;
}

FileSecretStore::FileState FileSecretStore::load(QJsonObject *entries) const
{
    *entries = QJsonObject();
    QFile file(filePath());
    if (!file.exists())
        return FileState::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return FileState::Damaged;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()
        || !document.object().value(entriesMember).isObject())
        return FileState::Damaged;
    *entries = document.object().value(entriesMember).toObject();
    return FileState::Valid;
}

bool FileSecretStore::save(const QJsonObject &entries) const
{
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Tighten the temporary file before a single secret byte goes into it.
    if (!file.setPermissions(privateFile)) {
        file.cancelWriting();
        return false;
    }
    QJsonObject root;
    root.insert(QStringLiteral("version"), 1);
    root.insert(entriesMember, entries);
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void FileSecretStore::setAsideDamagedFile() const
{
    const QString aside = filePath() + QStringLiteral(".damaged");
    QFile::remove(aside);
    QFile::rename(filePath(), aside);
    qWarning().noquote() << "[Secrets] The credential file could not be read and was moved to"
                         << aside;
}

std::optional<QByteArray> FileSecretStore::read(const QString &target)
{
    QJsonObject entries;
    if (load(&entries) != FileState::Valid)
        return std::nullopt;
    const QJsonValue value = entries.value(target);
    if (!value.isString())
        return std::nullopt;
    return QByteArray::fromBase64(value.toString().toLatin1());
}

bool FileSecretStore::write(const QString &target, const QByteArray &value)
{
    if (!ensureDirectory())
        return false;
    QLockFile lock(m_directory + QStringLiteral("/credentials.lock"));
    if (!lock.tryLock(lockTimeoutMs))
        return false;
    QJsonObject entries;
    // A damaged file cannot be merged into; keep it for recovery and start
    // afresh rather than refuse every later write.
    if (load(&entries) == FileState::Damaged)
        setAsideDamagedFile();
    entries.insert(target, QString::fromLatin1(value.toBase64()));
    return save(entries);
}

bool FileSecretStore::remove(const QString &target)
{
    if (!QFile::exists(filePath()))
        return false;
    QLockFile lock(m_directory + QStringLiteral("/credentials.lock"));
    if (!lock.tryLock(lockTimeoutMs))
        return false;
    QJsonObject entries;
    if (load(&entries) != FileState::Valid || !entries.contains(target))
        return false;
    entries.remove(target);
    return save(entries);
}
