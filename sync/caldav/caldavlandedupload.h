#pragma once

#include <QList>
#include <QString>

// Whether a resource a pull lists holds an upload of this device whose
// answer never came, judged from what this device recorded of that upload
// alone: what it sent of each row of the resource, and the copy each row's
// edit started from (its sync base). The rows are measured as one resource,
// so the server's text is read once however many rows it holds.
namespace CalDavLandedUpload {

struct Row
{
    // The row's own text as it went up; empty where the upload left the
    // row out (a changed occurrence deleted or withdrawn here).
    QString sent;
    // The server's copy the row's edit started from; empty for a row no
    // server held (new here, or the move of a change here put it there).
    QString base;
};

// True when `stored` holds what the upload of `rows` changed, whatever
// another client changed on it since (CalDavUploadMatch::holdsChange). A
// series the upload moved in time named each changed occurrence anew: each
// is measured against the occurrence it was before the move, by the shift
// between the series as it started (its base) and as it was sent. The
// upload that `created` the resource changed nothing a server held: it
// landed where the resource holds each of its events, under their UIDs and
// occurrences. Only a device that had the event could have written that
// there instead (one brought back here after its deletion went up), and
// then nothing this device sent is lost by taking it so.
bool landed(const QString &stored, const QList<Row> &rows, bool created);

} // namespace CalDavLandedUpload
