#pragma once

#include "cloud/conflict.h"

#include <QList>
#include <QObject>

class AppState;

namespace Sync {

// The in-memory record of sync conflicts found by the cloud calendar sync.
// It only collects; the local version stays in the store and is pushed.
class ConflictResolutionService : public QObject
{
    Q_OBJECT
public:
    ConflictResolutionService(AppState *appState, QObject *parent = nullptr);

    // Keeps the first conflict recorded for a local event; later ones for
    // the same event id are dropped without a signal.
    void recordConflict(const Event &local, const Event &remote);
    const QList<Conflict> &conflicts() const { return m_conflicts; }

Q_SIGNALS:
    void conflictsChanged();

private:
    AppState *m_appState;
    QList<Conflict> m_conflicts;
};

} // namespace Sync
