#include "cloud/conflictresolutionservice.h"

#include <QUuid>

namespace Sync {

ConflictResolutionService::ConflictResolutionService(AppState *appState, QObject *parent)
    : QObject(parent)
    , m_appState(appState)
{
}

void ConflictResolutionService::recordConflict(const Event &local, const Event &remote)
{
    for (const Conflict &conflict : std::as_const(m_conflicts)) {
        if (conflict.local.id == local.id)
            return;
    }
    Conflict conflict;
    conflict.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    conflict.local = local;
    conflict.remote = remote;
    conflict.detectedAt = QDateTime::currentDateTimeUtc();
    m_conflicts.append(conflict);
    Q_EMIT conflictsChanged();
}

} // namespace Sync
