#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "sync/caldav/caldavclient.h"

#include <functional>


// The calls made to a CalDAV server about a calendar itself, outside a sync:
// creating one (MKCALENDAR, then a check that it can be reached), renaming
// and recolouring one (PROPPATCH, confirmed property by property), and the
// live test whether a calendar takes tasks (a throw-away to-do written and
// deleted). Every call goes out with the account's credentials and, for a
// server whose certificate the user trusted, that pin. Each call answers
// once, and never after this object is gone.
class CalDavCalendarCalls : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        Done,
        // No answer: `error` says why.
        NetworkError,
        // Refused with `status`.
        Refused,
        // A calendar created but not reachable, or an answer to a property
        // change that could not be read: nothing is known to have changed.
        Unconfirmed,
    };
    struct Result
    {
        Outcome outcome = Outcome::Done;
        int status = 0;
        QString error;
    };
    using Callback = std::function<void(const Result &result)>;

    CalDavCalendarCalls(const QString &username, const QString &password, const QString &pinnedFingerprint,
                        QObject *parent = nullptr);

    void createCalendar(const QUrl &url, const QString &name, const QString &color, Callback done);
    // An empty name or colour is left as it is on the server.
    void changeProperties(const QUrl &url, const QString &newName, const QString &newColor, Callback done);
    // Done when the calendar stored a to-do; that to-do is then removed in
    // the background, even if this object goes first.
    void probeTasks(const QUrl &calendarUrl, Callback done);

private:
    void onCreated(const CalDavClient::Response &response, const QUrl &url, const Callback &done);
    void onProbeWritten(const CalDavClient::Response &response, const QUrl &probeUrl, const Callback &done);

    QPointer<CalDavClient> m_client;
};
