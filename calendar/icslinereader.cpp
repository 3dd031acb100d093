#include "calendar/icslinereader.h"

IcsLineReader::IcsLineReader(const QString &text)
    : m_text(text)
{
    if (!text.contains(QLatin1Char('\n')) && text.contains(QLatin1Char('\r')))
        m_lineEnd = u'\r';
}

QStringView IcsLineReader::pieceAt(qsizetype from, qsizetype *after) const
{
    const qsizetype size = m_text.size();
    const QChar *data = m_text.constData();
    qsizetype end = from;
    while (end < size && data[end].unicode() != m_lineEnd)
        ++end;
    *after = end + 1; // past the line end, or past the end of the text
    // CR LF ends a line; so does CR CR LF, written by a program that turned
    // each LF of a CR LF text into CR LF once more: no CR stays in a value.
    if (m_lineEnd == u'\n' && end < size) {
        while (end > from && data[end - 1] == QLatin1Char('\r'))
            --end;
    }
    return QStringView(data + from, end - from);
}

bool IcsLineReader::next(QString *line)
{
    if (m_position > m_text.size())
        return false;
    qsizetype after = 0;
    *line = pieceAt(m_position, &after).toString();
    m_position = after;
    while (m_position <= m_text.size()) {
        qsizetype following = 0;
        const QStringView piece = pieceAt(m_position, &following);
        if (piece.isEmpty() || (piece.at(0) != QLatin1Char(' ') && piece.at(0) != QLatin1Char('\t')))
            break;
        line->append(piece.mid(1));
        m_position = following;
    }
    return true;
}
