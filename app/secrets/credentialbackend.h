#pragma once

#include <QString>

#include "app/secrets/credentialstore.h"

#include <memory>

// Which credential store keeps this process's secrets. The choice is made
// once, on first use, and holds for the life of the process:
// - "CALENDAR_SECRET_STORE" set to "file" or "secret-service" forces one
//   (tests use "file" so they never reach the user's keyring);
// - otherwise the desktop keyring, through SecretServiceCache, which turns
//   to the private file store in the data directory when no Secret Service
//   answers on the session bus. Nothing here waits on the bus.
namespace CredentialBackend {

enum class Kind { SecretService, File };

Kind selected();
// The decision itself, made afresh; `selected` caches its first result.
Kind detect();
// Starts reading the keyring in the background when it is the choice, so
// that its entries are there by the time they are asked for.
void prepare();
QString kindName(Kind kind);

// A store of the selected kind; the file store lives in
// `fileStoreDirectory` of the current data directory.
std::unique_ptr<CredentialStore> create();
std::unique_ptr<CredentialStore> create(Kind kind);
QString fileStoreDirectory();

} // namespace CredentialBackend
