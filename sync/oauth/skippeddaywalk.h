#pragma once

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace OAuth {

// The days a series skips here that its provider still shows, taken off
// there one at a time once the series is up: each day's instances are
// listed around it and the one on that day deleted. A day already gone (a
// run before lost its answer) counts as done; the series gone ends the
// walk. One walk per pending row, by its local id.
class SkippedDayWalk
{
public:
    // Lists the series' instances around `day`, a recurrence id (answered
    // through `listed`); deletes one instance (answered through `next`, or
    // `refused`).
    using List = std::function<void(const QString &localId, const QString &seriesId, const QString &day)>;
    using Delete = std::function<void(const QString &localId, const QString &instanceId)>;
    // Whether a listed instance is the live one on `day` (a recurrence id).
    using OnDay = std::function<bool(const QJsonObject &instance, const QString &day)>;

    SkippedDayWalk(List list, Delete remove, OnDay onDay);

    // Starts a walk over `days`; `then` runs once every day is done. False,
    // starting nothing, without days or with a walk already under way.
    bool start(const QString &localId, const QString &seriesId, const QStringList &days, std::function<void()> then);
    bool walking(const QString &localId) const { return m_walks.contains(localId); }
    // The next day, or `then` when none is left.
    void next(const QString &localId);
    void listed(const QString &localId, const QList<QJsonObject> &instances);
    // A refused request of the walk: true when the walk goes on (404/410);
    // else it ends, leaving the row pending for a later run.
    bool refused(const QString &localId, int status);

private:
    struct Walk
    {
        QString seriesId;
        QStringList days;
        std::function<void()> then;
        // A deletion, not a listing, is out.
        bool deleting = false;
    };
    List m_list;
    Delete m_delete;
    OnDay m_onDay;
    QHash<QString, Walk> m_walks;
};

} // namespace OAuth
