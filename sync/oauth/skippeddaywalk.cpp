#include "sync/oauth/skippeddaywalk.h"

namespace OAuth {

SkippedDayWalk::SkippedDayWalk(List list, Delete remove, OnDay onDay)
    : m_list(std::move(list))
    , m_delete(std::move(remove))
    , m_onDay(std::move(onDay))
{
}

bool SkippedDayWalk::start(const QString &localId, const QString &seriesId, const QStringList &days,
                           std::function<void()> then)
{
    if (days.isEmpty() || seriesId.isEmpty() || m_walks.contains(localId))
        return false;
    m_walks.insert(localId, Walk{seriesId, days, std::move(then)});
    next(localId);
    return true;
}

void SkippedDayWalk::next(const QString &localId)
{
    const auto walk = m_walks.find(localId);
    if (walk == m_walks.end())
        return;
    if (walk->days.isEmpty()) {
        const std::function<void()> then = m_walks.take(localId).then;
        then();
        return;
    }
    // One day at a time: a series' instances over years would come in
    // pages; around one day they are a few.
    walk->deleting = false;
    m_list(localId, walk->seriesId, walk->days.first());
}

void SkippedDayWalk::listed(const QString &localId, const QList<QJsonObject> &instances)
{
    const auto walk = m_walks.find(localId);
    if (walk == m_walks.end())
        return;
    const QString day = walk->days.takeFirst();
    for (const QJsonObject &instance : instances) {
        if (!m_onDay(instance, day))
            continue;
        walk->deleting = true;
        m_delete(localId, instance.value(QStringLiteral("id")).toString());
        return;
    }
    // Gone already, or no such day: the next one.
    next(localId);
}

bool SkippedDayWalk::refused(const QString &localId, int status)
{
    const auto walk = m_walks.find(localId);
    if (walk == m_walks.end())
        return false;
    // The instance gone already: the next day; the series gone: no day is
    // left to take off.
    if (status == 404 || status == 410) {
        if (!walk->deleting)
            walk->days.clear();
        next(localId);
        return true;
    }
    m_walks.erase(walk);
    return false;
}

} // namespace OAuth
