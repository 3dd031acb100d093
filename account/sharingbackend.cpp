#include "account/sharingbackend.h"

namespace TindAccount {

SharingBackend::SharingBackend(QObject *parent)
    : QObject(parent)
{
}

SharingBackend::~SharingBackend() = default;

QString SharingBackend::resolveMemberId(const QString &accountId)
{
    return accountId;
}

} // namespace TindAccount
