#include "sync/oauth/movedcopywait.h"

#include <QDebug>
#include <QSet>

#include "store/eventrepository.h"
#include "sync/core/movedcopy.h"

#include <algorithm>

namespace OAuth {

namespace {

bool deletesProviderCopy(const Event &row)
{
    return row.deleted_at && !row.provider_event_id.isEmpty();
}

// The names a row's series goes by: a series' uid and provider id, or the
// one an occurrence names its series by (either, once a pull named it).
QStringList seriesNames(const Event &row)
{
    if (!row.recurrence_id.isEmpty())
        return {row.master_event_uid};
    return {row.uid, row.provider_event_id};
}

} // namespace

QList<Event> withoutWaitingDeletions(const Sync::Repositories &store, const QList<Event> &pending,
                                     const QString &logTag)
{
    QSet<QString> waiting;
    for (const Event &row : pending) {
        const auto awaitsUpload = [&store](const Event &copy) { return MovedCopy::eventAwaitsUpload(store, copy); };
        if (!deletesProviderCopy(row) || !MovedCopy::keptForCopy<Event>(store.events, row.id, awaitsUpload))
            continue;
        qInfo().noquote() << logTag << "event" << row.id
                          << "stays on the provider until its moved copy is on its own";
        for (const QString &name : seriesNames(row)) {
            if (!name.isEmpty())
                waiting.insert(name);
        }
    }
    if (waiting.isEmpty())
        return pending;
    QList<Event> sent;
    for (const Event &row : pending) {
        const QStringList names = seriesNames(row);
        const bool held = deletesProviderCopy(row)
            && std::any_of(names.cbegin(), names.cend(),
                           [&waiting](const QString &name) { return waiting.contains(name); });
        if (!held)
            sent.append(row);
    }
    return sent;
}

} // namespace OAuth
