#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

// Calendar files as the import tests read them.
namespace IcsTestFiles {

inline const QByteArray Head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Test//EN\r\n";
inline const QByteArray Tail = "END:VCALENDAR\r\n";

// `count` half-hour events an hour apart from 2026-01-01 09:00 UTC, uids
// plain-0, plain-1, …: the components alone, without the calendar around
// them.
inline QByteArray plainEvents(int count)
{
    QByteArray text;
    const QDateTime origin(QDate(2026, 1, 1), QTime(9, 0), Qt::UTC);
    for (int i = 0; i < count; ++i) {
        const QDateTime start = origin.addSecs(3600LL * i);
        text += "BEGIN:VEVENT\r\nUID:plain-" + QByteArray::number(i) + "\r\nSUMMARY:Plain " + QByteArray::number(i)
                + "\r\nDTSTART:" + start.toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1()
                + "\r\nDTEND:" + start.addSecs(1800).toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1()
                + "\r\nEND:VEVENT\r\n";
    }
    return text;
}

} // namespace IcsTestFiles
