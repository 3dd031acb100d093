#pragma once

#include <QString>

// Walks the logical lines of iCalendar text one at a time: split at LF
// with the CRs before it (CR LF, a lone LF, the CR CR LF of a text whose
// line ends were converted twice), or in a text without any LF at a lone
// CR; continuation lines (a space or tab first) joined without that
// character. Reading line by line keeps large calendars from being held
// twice as a list of lines.
class IcsLineReader
{
public:
    explicit IcsLineReader(const QString &text);

    // The next logical line; false after the last one.
    bool next(QString *line);

private:
    // The raw piece starting at `from`, up to its line break.
    QStringView pieceAt(qsizetype from, qsizetype *after) const;

    const QString &m_text;
    qsizetype m_position = 0;
    char16_t m_lineEnd = u'\n';
};
