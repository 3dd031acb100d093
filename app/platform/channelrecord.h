#pragma once

#include <QString>

// The file in the data folder that names the socket of the instance using
// the folder. A folder that cannot be made private may be writable by other
// users, so the record is read and written only as this user's own regular
// file, and never through a link planted in its place.
class ChannelRecord
{
public:
    // Puts `socketPath` in the record at `path`: written to a new file beside
    // it and renamed over it, so whatever was there (a link included) is
    // replaced, never written through. False, with the reason in *error,
    // when that fails.
    static bool write(const QString &path, const QString &socketPath, QString *error = nullptr);

    // The absolute socket path the record at `path` names; empty when there
    // is no record, or when it is refused, with the reason in *refusal: a
    // link, not a regular file, another user's, writable by others, too
    // long, or naming a path that is not absolute (a bare name would be
    // looked up in the shared temporary folder).
    static QString read(const QString &path, QString *refusal = nullptr);
};
