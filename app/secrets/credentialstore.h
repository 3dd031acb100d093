#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Generic credentials by target name: the operations the token store needs
// from the platform's keyring. A value is opaque bytes; an empty value is a
// stored value, distinct from no entry at all.
class CredentialStore
{
public:
    virtual ~CredentialStore() = default;

    // The stored bytes, or nothing when there is no entry or it can't be read.
    virtual std::optional<QByteArray> read(const QString &target) = 0;
    // Creates or replaces the entry; true once it is stored.
    virtual bool write(const QString &target, const QByteArray &value) = 0;
    // True when an entry was deleted; false also when there was none.
    virtual bool remove(const QString &target) = 0;
};
