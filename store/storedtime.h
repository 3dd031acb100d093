#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

// The store's one time model (docs/time.md): instants are written as UTC
// ISO-8601 text with "Z", calendar dates (all-day events, date-only task
// values) as "yyyy-MM-dd". Text without a zone was written by SQLite's
// datetime('now') and is UTC.
namespace StoredTime {

// UTC text with "Z", or a null text for an invalid date-time.
QString instant(const QDateTime &value);
// "yyyy-MM-dd", or a null text for an invalid date.
QString date(const QDate &value);
// The current UTC instant as stored text.
QString now();
// The instant as stored text, or now() for an invalid one: records without
// stamps get "now" rather than failing the NOT NULL columns.
QString instantOrNow(const QDateTime &value);

// Reads any stored form. A date-only text reads as local midnight of that
// date, so its date() is the same in every time zone.
QDateTime parse(const QString &text);
std::optional<QDateTime> parseOptional(const QString &text);
// True when the stored text is a plain date.
bool isDateOnly(const QString &text);

// Binds a text column: a null text becomes SQL NULL.
QVariant text(const QString &value);
// Binds an optional instant column.
QVariant instantOrNull(const std::optional<QDateTime> &value);

} // namespace StoredTime
