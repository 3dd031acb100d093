#pragma once

#include "calendar/icscodec.h"
#include "store/task.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// One server resource holding several tasks, as a server that keeps several
// UIDs in one resource (Xandikos) holds them, for the tests of tasks that
// share one.
namespace SharedTaskResource {

// Tasks "t0", "t1", ... titled as given (none for an empty title), each a
// weekly series with an occurrence "Once <i>" changed elsewhere.
inline QByteArray sharedTasks(const QStringList &titles)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Server//EN\r\n";
    for (qsizetype i = 0; i < titles.size(); ++i) {
        const QByteArray uid = "UID:t" + QByteArray::number(i) + "\r\nDTSTAMP:20260101T000000Z\r\n";
        if (!titles.at(i).isEmpty())
            text += "BEGIN:VTODO\r\n" + uid + "SUMMARY:" + titles.at(i).toUtf8()
                + "\r\nDTSTART:20260302T080000Z\r\nRRULE:FREQ=WEEKLY\r\nEND:VTODO\r\nBEGIN:VTODO\r\n" + uid
                + "RECURRENCE-ID:20260309T080000Z\r\nSUMMARY:Once " + QByteArray::number(i) + "\r\nEND:VTODO\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

// Every VTODO of a text as its UID and title, sorted.
inline QStringList todosIn(const QByteArray &text)
{
    QStringList out;
    for (const Task &todo : IcsCodec::parseTodos(IcsCodec::decodeText(text)))
        out.append(todo.uid + QLatin1String(": ") + todo.title);
    out.sort();
    return out;
}

} // namespace SharedTaskResource
