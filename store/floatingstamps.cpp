#include "store/floatingstamps.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>

#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/preferencekeys.h"
#include "store/sqlquery.h"
#include "store/storetransaction.h"

#include <algorithm>

namespace FloatingStamps {

namespace {

const char kClass[] = "FloatingStamps";

// The live floating series.
const char kSeries[] = "SELECT id FROM events WHERE deleted_at IS NULL AND is_all_day = 0 AND timezone = '' "
                       "AND coalesce(recurrence_id, '') = '' AND (coalesce(recurrence_rule, '') <> '' "
                       "OR coalesce(recurrence_dates, '') NOT IN ('', '[]'))";

std::optional<QDateTime> stampInstant(const QString &stamp)
{
    QDate day;
    QTime time;
    if (!stamp.endsWith(QLatin1Char('Z')) || !IcsText::readDateTime(QStringView(stamp).chopped(1), &day, &time))
        return std::nullopt;
    return QDateTime(day, time, Qt::UTC);
}

// A series' starts up to `until` as it steps now (on the wall clock) and
// as it stepped before (in UTC), in milliseconds since the epoch.
class Steppings
{
public:
    Steppings(const Event &series, const QDateTime &until)
    {
        Event plain = series;
        plain.exception_dates.clear();
        Event before = plain;
        before.timezone = QStringLiteral("UTC");
        const QDateTime from = series.start_time.addDays(-1);
        for (const Occurrence &occurrence : Recurrence::occurrencesOf(plain, from, until))
            m_wall.append(occurrence.start.toMSecsSinceEpoch());
        for (const Occurrence &occurrence : Recurrence::occurrencesOf(before, from, until))
            m_utc.append(occurrence.start.toMSecsSinceEpoch());
    }

    QString renamed(const QString &stamp) const
    {
        const std::optional<QDateTime> instant = stampInstant(stamp);
        if (!instant)
            return QString();
        const qint64 at = instant->toMSecsSinceEpoch();
        if (std::binary_search(m_wall.cbegin(), m_wall.cend(), at))
            return QString();
        const qsizetype k = m_utc.indexOf(at);
        if (k < 0 || k >= m_wall.size())
            return QString();
        return IcsText::utcText(QDateTime::fromMSecsSinceEpoch(m_wall.at(k), Qt::UTC));
    }

private:
    QList<qint64> m_wall;
    QList<qint64> m_utc;
};

// Enough of the steppings for the latest stamp: the k-th start of one
// lies within a day of the other's.
QDateTime untilAfter(const QStringList &stamps)
{
    QDateTime latest;
    for (const QString &stamp : stamps) {
        const std::optional<QDateTime> instant = stampInstant(stamp);
        if (instant && (!latest.isValid() || *instant > latest))
            latest = *instant;
    }
    return latest.isValid() ? latest.addDays(2) : latest;
}

// What an edit does to a row's bookkeeping (EventStamp, which the store
// cannot reach): SEQUENCE up, pending, its text written from the record
// but for a provider's own JSON.
void stampChanged(Event &row)
{
    row.last_modified = QDateTime::currentDateTimeUtc();
    ++row.sequence;
    row.sync_status = SyncStatus::Pending;
    const bool providerCopy = !row.provider_event_id.isEmpty()
                              && row.raw_icalendar.trimmed().startsWith(QLatin1Char('{'));
    if (!providerCopy)
        row.raw_icalendar = IcsCodec::buildEventIcs(row);
}

// The series and its changed occurrences renamed; false when a write
// failed.
bool renameSeries(EventRepository &events, Event series, int *changed)
{
    const QList<Event> overrides = events.getOccurrencesOf(series.uid, series.calendar_id);
    QJsonArray skipped = QJsonDocument::fromJson(series.exception_dates.toUtf8()).array();
    QStringList stamps;
    for (const QJsonValue &entry : std::as_const(skipped))
        stamps.append(entry.toString());
    for (const Event &row : overrides)
        stamps.append(row.recurrence_id);
    const QDateTime until = untilAfter(stamps);
    if (!until.isValid())
        return true;
    const Steppings steppings(series, until);
    bool skipsChanged = false;
    for (qsizetype i = 0; i < skipped.size(); ++i) {
        const QString name = steppings.renamed(skipped.at(i).toString());
        if (name.isEmpty())
            continue;
        skipped[i] = name;
        skipsChanged = true;
    }
    if (skipsChanged) {
        series.exception_dates = QString::fromUtf8(QJsonDocument(skipped).toJson(QJsonDocument::Compact));
        stampChanged(series);
        if (!events.update(series))
            return false;
        ++*changed;
    }
    for (Event row : overrides) {
        const QString name = steppings.renamed(row.recurrence_id);
        if (name.isEmpty())
            continue;
        row.recurrence_id = name;
        stampChanged(row);
        if (!events.update(row))
            return false;
        ++*changed;
    }
    return true;
}

} // namespace

QString renamed(const Event &series, const QString &stamp)
{
    const QDateTime until = untilAfter({stamp});
    return until.isValid() ? Steppings(series, until).renamed(stamp) : QString();
}

bool runIfDue(Database *db)
{
    const QString mark = QLatin1String(PreferenceKeys::FloatingStampsRenameDue);
    if (!SqlQuery::firstValue(db->database(), QStringLiteral("SELECT 1 FROM settings WHERE key = ?"), {mark}).isValid())
        return true;
    StoreTransaction work(db, QStringLiteral("floating_stamps"));
    const int changed = work.isActive() ? rename(db) : -1;
    if (changed < 0
        || !SqlQuery::exec(db->database(), kClass, "runIfDue", QStringLiteral("DELETE FROM settings WHERE key = ?"),
                           {mark})
        || !work.commit()) {
        qWarning().noquote() << "FloatingStamps::runIfDue failed; the next start tries again" << work.errorText();
        return false;
    }
    if (changed > 0)
        qInfo() << "Renamed the skipped or changed days of" << changed << "floating row(s)";
    return true;
}

int rename(Database *db)
{
    QSqlQuery query(db->database());
    query.setForwardOnly(true);
    if (!SqlQuery::run(query, QString::fromLatin1(kSeries), {})) {
        qWarning().noquote() << "FloatingStamps::rename failed:" << query.lastError().text();
        return -1;
    }
    QStringList ids;
    while (query.next())
        ids.append(query.value(0).toString());
    EventRepository events(db);
    int changed = 0;
    for (const QString &id : std::as_const(ids)) {
        const std::optional<Event> series = events.getById(id);
        if (series && !renameSeries(events, *series, &changed))
            return -1;
    }
    return changed;
}

} // namespace FloatingStamps
