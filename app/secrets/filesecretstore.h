#pragma once

#include <QJsonObject>
#include <QString>

#include "app/secrets/credentialstore.h"

// Credentials in one JSON file inside a private folder of the data
// directory, for desktops without a keyring. The folder is 0700 and the file
// 0600; every change is written to a new file and renamed over the old one
// under a lock file, so a crash or a second instance never leaves a
// half-written or lost entry. Nothing is cached: every read sees the file.
class FileSecretStore : public CredentialStore
{
public:
    explicit FileSecretStore(const QString &directory);

    QString directory() const;
    QString filePath() const;

    std::optional<QByteArray> read(const QString &target) override;
    bool write(const QString &target, const QByteArray &value) override;
    bool remove(const QString &target) override;

private:
    enum class FileState { Missing, Valid, Damaged };

    bool ensureDirectory() const;
    FileState load(QJsonObject *entries) const;
    bool save(const QJsonObject &entries) const;
    void setAsideDamagedFile() const;

    QString m_directory;
};
