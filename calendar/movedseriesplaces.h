#pragma once

#include "calendar/seriesshift.h"
#include "calendar/seriesstarts.h"
#include "store/event.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <utility>

// Where a change made elsewhere lands in a series this device moved in
// time ("All events") or split ("This and following") since its server
// last had it: `base` as the server had it, `local` as it stands here.
// Another device, changing the series on the server meanwhile, names its
// occurrences by their old starts, or, where it moved the series itself,
// by their starts in its copy (`server`, when given). Each stands here
// moved as the series' start moved (SeriesShift::between), the same move
// the change gave its skipped days and changed occurrences; past the end a
// split gave the series, in the new series that continues it (one of
// `splits`, the series the splits made here recorded), moved as that
// series' start moved from the occurrence it replaced. The way back names
// what the server held at an old start for a place here. Whether an
// occurrence is one of a series is read off its rule at that instant
// (SeriesStarts), however far on it is. Pure: no store, no server.
class MovedSeriesPlaces
{
public:
    // A series that moved in time; none when it stands where it stood, or
    // was made all-day or timed (its occurrences have no place to name
    // alike).
    static std::optional<MovedSeriesPlaces> between(const Event &base, const Event &local);
    // Any series with its sync base: one that stands as it stood keeps its
    // occurrences where they are, but past a split.
    MovedSeriesPlaces(const Event &base, const Event &local, const QList<Event> &splits = {},
                      const std::optional<Event> &server = std::nullopt);

    // The recurrence id here of the occurrence the server names
    // `recurrenceId`, in the series itself; empty for a text that names no
    // start.
    QString placeOf(const QString &recurrenceId) const;
    // The recurrence id the server gave the occurrence that stands here at
    // `recurrenceId`; empty where no old start moves there.
    QString originalOf(const QString &recurrenceId) const;
    // Skipped days (a JSON list) of the server's series, each where its
    // occurrence stands here, in the form it was written in.
    QString placesOfSkipped(const QString &json) const;
    // Skipped days here, each at the start the server gave its occurrence,
    // where one moves there.
    QString originalsOfSkipped(const QString &json) const;
    // The days the series skips here (`localSkipped`) once the server's
    // copy skips `serverSkipped`: a day the server skips that it did not
    // when this device moved the series is skipped where its occurrence
    // stands here, and one it gives back is given back there; the rest as
    // they are.
    QString skippedDaysWith(const QString &serverSkipped, const QString &localSkipped) const;

    // Where the occurrence the server names `recurrenceId` stands once the
    // pull has merged the series: the series that holds it (the series
    // itself or a split's new series, as this object holds it, so valid
    // while it lives) and its recurrence id there. None where it stands as the server names it.
    struct Place
    {
        const Event *series = nullptr;
        QString recurrenceId;
    };
    std::optional<Place> whereNow(const QString &recurrenceId) const;
    // `day`, a day the server skips as it writes it, skipped at `place`
    // (where whereNow() puts its occurrence): in the form it was written
    // in, a date for an all-day series.
    static QString skippedAt(const Place &place, const QString &day);
    // The same with the days the server's series skips: `skipped` holds
    // what each series (by its id: the series itself and the splits' new
    // series) skips now; returned, the days of each whose days change, and
    // of the series itself with them. The series itself is named as the
    // merge names it: at the server's times where it takes them
    // (EventConflictMerge).
    QHash<QString, QString> skippedDaysWith(const QString &serverSkipped,
                                            const QHash<QString, QString> &skipped) const;
    // The rule of a series a split here ended, where the server's copy moved
    // the series in time and changed its rule no other way: its end, the
    // split, moved alike. None otherwise.
    std::optional<QString> splitRuleMoved() const;
    // `series`, the new series of one of the splits as stored, with what the
    // server's copy changed on the series since the base where the split
    // kept the base's: its title, notes, place and the like, and its time
    // where the split kept the time of the occurrence it replaced (moved as
    // the server's copy moved, at the length the server gives it). As it is
    // where nothing reaches it.
    Event continuedWith(const Event &series) const;

private:
    // The start the server gave the occurrence starting here at `start`;
    // invalid where none moves there.
    QDateTime original(const QDateTime &start) const;
    // The occurrence the server names `recurrenceId`, as the base names it;
    // invalid where its copy names none.
    QDateTime baseStartOf(const QString &recurrenceId) const;
    // The new series a split left the occurrence `start` (of the base) to,
    // and how far it moved them; none when the series here ends otherwise,
    // or when no split made here recorded a series that continues it there.
    struct Continuation
    {
        const Event *series = nullptr;
        SeriesShift shift;
    };
    std::optional<Continuation> continuation(const QDateTime &start) const;
    // Where the occurrence the base starts at `start` stands once the pull
    // has merged the series: the series that holds it and its start there.
    std::pair<const Event *, QDateTime> placeAt(const QDateTime &start) const;
    // The first occurrence the base had and the series here has no more,
    // up to `start`; invalid where there is none.
    QDateTime splitBefore(const QDateTime &start) const;
    bool startsAt(const Event &series, const QDateTime &start) const;
    // Whether the series here takes the server's times as the merge does:
    // this device kept the base's.
    bool takesServerTimes() const;
    // Whether `series`, a split's new series, keeps the time of the
    // occurrence of the base it replaced.
    bool keepsReplacedTime(const Event &series) const;

    Event m_base;
    Event m_local;
    QList<Event> m_splits;
    std::optional<Event> m_server;
    SeriesShift m_forward;
    SeriesShift m_back;
    // How the server's copy moved the series, and back.
    std::optional<SeriesShift> m_serverForward;
    std::optional<SeriesShift> m_serverBack;
    // The first occurrence the series had and has no more, once found.
    mutable QDateTime m_split;
    // Shared by copies: what the rules asked about give, as far as read.
    std::shared_ptr<SeriesStarts> m_starts;
    // By a split's new series: whether its rule goes on as the base's from
    // the split, once asked.
    std::shared_ptr<QHash<QString, bool>> m_continues;
};
