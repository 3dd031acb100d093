#include "sync/caldav/caldavlandedupload.h"

#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "calendar/seriesshift.h"
#include "sync/caldav/caldavicsbundle.h"
#include "sync/caldav/caldavuploadmatch.h"

#include <QStringList>

#include <optional>

namespace CalDavLandedUpload {

namespace {

// The series a text holds (its event without a recurrence id); none when
// it holds no repeating one.
std::optional<Event> seriesIn(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (const Event &event : IcsCodec::parseEvents(text)) {
        if (event.recurrence_id.isEmpty())
            return Recurrence::isSeries(event) ? std::optional<Event>(event) : std::nullopt;
    }
    return std::nullopt;
}

// How the upload renamed the occurrences of the series it moved in time:
// each moved as the series' start moved from its base to what was sent.
// None where the series did not move (or the upload holds no series).
CalDavUploadMatch::Renaming renamingOf(const QList<Row> &rows)
{
    for (const Row &row : rows) {
        const std::optional<Event> before = seriesIn(row.base);
        const std::optional<Event> after = before ? seriesIn(row.sent) : std::nullopt;
        if (!after || after->uid != before->uid || after->is_all_day != before->is_all_day)
            continue;
        const SeriesShift shift = SeriesShift::between(*before, *after);
        if (shift.isNone())
            return nullptr;
        const Event series = *after;
        return [series, shift](const QString &uid, const QString &recurrenceId) {
            const QDateTime replaced = Recurrence::readRecurrenceId(recurrenceId);
            if (uid != series.uid || !replaced.isValid())
                return recurrenceId;
            return Recurrence::recurrenceIdOf(series, shift.moved(replaced));
        };
    }
    return nullptr;
}

} // namespace

bool landed(const QString &stored, const QList<Row> &rows, bool created)
{
    QStringList sent;
    QStringList bases;
    for (const Row &row : rows) {
        if (!row.sent.isEmpty())
            sent.append(row.sent);
        if (!row.base.isEmpty())
            bases.append(row.base);
    }
    if (sent.isEmpty())
        return false;
    const QString sentText = CalDavIcsBundle::combine(sent);
    // A create's change is the resource itself.
    if (created)
        return CalDavUploadMatch::holdsChange(stored, sentText, sentText);
    return CalDavUploadMatch::holdsChange(stored, sentText, CalDavIcsBundle::combine(bases), renamingOf(rows));
}

} // namespace CalDavLandedUpload
