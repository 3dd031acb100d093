#pragma once

#include "app/appstate.h"
#include "calendar/recurrence.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/caldav/caldavsyncclient.h"
#include "tests/support/davfaultproxy.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/xandikosserver.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <memory>

// "Walk club": Tuesdays at 09:00 in Berlin from 3 March 2026, eight times,
// kept on a real CalDAV server and written there by another client, for
// the tests that change it through the views of a device synced with that
// server. The other client changed two days, each with a line of its own
// this program does not model.
namespace WalkClub {

inline const QByteArray Zone = "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\n"
                               "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
                               "END:DAYLIGHT\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
                               "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
                               "END:STANDARD\r\nEND:VTIMEZONE\r\n";

// The Tuesday `day` of March 2026, changed to `from`–`to` with `title`.
inline QByteArray changedDay(int day, const QByteArray &from, const QByteArray &to, const QByteArray &title,
                             const QByteArray &note)
{
    const QByteArray date = "202603" + QByteArray::number(day).rightJustified(2, '0');
    return "BEGIN:VEVENT\r\nUID:walk-club\r\nDTSTAMP:20260101T000000Z\r\nRECURRENCE-ID;TZID=Europe/Berlin:" + date
        + "T090000\r\nDTSTART;TZID=Europe/Berlin:" + date + "T" + from + "\r\nDTEND;TZID=Europe/Berlin:" + date + "T"
        + to + "\r\nSUMMARY:" + title + "\r\nX-OTHER-CLIENT-NOTE:" + note + "\r\nEND:VEVENT\r\n";
}

// The resource as the other client writes it: the series, 17 March moved
// to 11:00 by the river, 24 March made short.
inline QByteArray resource()
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\nBEGIN:VEVENT\r\nUID:walk-club\r\n"
           "DTSTAMP:20260101T000000Z\r\nDTSTART;TZID=Europe/Berlin:20260303T090000\r\n"
           "DTEND;TZID=Europe/Berlin:20260303T100000\r\nRRULE:FREQ=WEEKLY;COUNT=8\r\nSUMMARY:Walk club\r\n"
           "END:VEVENT\r\n"
        + changedDay(17, "110000", "120000", "Walk club by the river", "river")
        + changedDay(24, "090000", "093000", "Walk club (short)", "short") + Zone + "END:VCALENDAR\r\n";
}

// The occurrences of the rows over March and April: each one's start on
// the Berlin wall clock and its title.
inline QStringList shown(const QList<Event> &rows)
{
    const QTimeZone berlin("Europe/Berlin");
    const QDateTime from(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to = from.addDays(61);
    QStringList out;
    for (const Occurrence &occurrence : Recurrence::occurrences(rows, from, to))
        out.append(occurrence.start.toTimeZone(berlin).toString(QStringLiteral("MM-dd HH:mm ")) +
                   rows.at(occurrence.eventIndex).title);
    out.sort();
    return out;
}

// What a reader makes of each row, with the other client's note where the
// row's text still carries it.
inline QStringList described(const QList<Event> &rows)
{
    QStringList out;
    for (const Event &row : rows) {
        static const QRegularExpression note(QStringLiteral("X-OTHER-CLIENT-NOTE:[^\r\n]*"));
        out.append(QStringList{row.title, row.recurrence_rule, row.recurrence_id,
                               QString::number(Recurrence::parseExceptionDates(row.exception_dates).size()),
                               note.match(row.raw_icalendar).captured()}
                       .join(QLatin1String(" | ")));
    }
    out.sort();
    return out;
}

// A started server of `kind` ("radicale" or "xandikos") with the calendar
// "walks", and a calendar of the application state synced with it through
// a front that passes every request on unless its hook answers (`front()`).
class Server
{
public:
    Server(const QString &kind, AppState *state)
        : m_state(state)
    {
        if (kind == QLatin1String("radicale"))
            m_server = std::make_unique<RadicaleServer>();
        else
            m_server = std::make_unique<XandikosServer>();
        m_front = std::make_unique<DavFaultProxy>(m_server.get());
        m_ready = m_server->start() && m_front->listen()
            && m_server->createCalendar(QStringLiteral("walks"), QStringLiteral("Walks"))
            && addCalendar(state->accounts(), state->calendars(), m_front->url(url()));
        m_client = std::make_unique<CalDavSyncClient>(CalDavRepositories{
            state->database(), state->events(), state->tasks(), state->calendars(), state->accounts()});
    }

    bool isReady() const { return m_ready; }
    QString errorText() const { return m_server->errorText(); }
    static QString calendarId() { return QStringLiteral("walks"); }
    QStringList hrefs() const { return m_server->itemHrefs(url()); }
    // What stands between this device and the server.
    DavFaultProxy &front() { return *m_front; }

    // Another client stores the resource.
    bool write(const QByteArray &text) const
    {
        return m_server->putIcs(url().resolved(QUrl(QStringLiteral("walk-club.ics"))), text).status / 100 == 2;
    }
    // Another client changes the first `from` of the resource's text to `to`.
    bool change(const QByteArray &from, const QByteArray &to) const
    {
        const QStringList held = hrefs();
        if (held.size() != 1)
            return false;
        const QUrl item = url().resolved(QUrl(held.first()));
        QByteArray text = m_server->get(item).body;
        const qsizetype at = text.indexOf(from);
        return at >= 0 && m_server->putIcs(item, text.replace(at, from.size(), to)).status / 100 == 2;
    }

    // Another client deletes the resource.
    bool remove() const
    {
        const QStringList held = hrefs();
        return held.size() == 1 && m_server->request("DELETE", url().resolved(QUrl(held.first()))).status / 100 == 2;
    }

    // One run of the state's sync for the calendar: empty when it completed,
    // else why not.
    QString sync() { return sync(m_client.get(), m_state->calendars()); }

    // What a second device reads from the server: a fresh store, synced once.
    QList<Event> readElsewhere(QString *failure)
    {
        // A connection of its own: the state's stays open beside it.
        QTemporaryDir dir;
        Database db;
        if (!dir.isValid() || !db.open(dir.filePath(QStringLiteral("elsewhere.db")), QStringLiteral("elsewhere"))
            || !db.migrate()) {
            *failure = QStringLiteral("no store");
            return {};
        }
        EventRepository events(&db);
        TaskRepository tasks(&db);
        CalendarRepository calendars(&db);
        AccountRepository accounts(&db);
        CalDavSyncClient client(CalDavRepositories{&db, &events, &tasks, &calendars, &accounts});
        *failure = addCalendar(&accounts, &calendars, url()) ? sync(&client, &calendars) : QStringLiteral("no calendar");
        return events.getByCalendar(calendarId());
    }

private:
    QUrl url() const { return m_server->calendarUrl(QStringLiteral("walks")); }

    bool addCalendar(AccountRepository *accounts, CalendarRepository *calendars, const QUrl &reached) const
    {
        Account account;
        account.id = QStringLiteral("walk-server");
        account.name = m_server->name();
        account.type = AccountType::CalDav;
        account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
        Calendar calendar;
        calendar.id = calendarId();
        calendar.account_id = account.id;
        calendar.url = reached.toString();
        calendar.name = QStringLiteral("Walks");
        calendar.sync_enabled = true;
        calendar.supported_components = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
        return accounts->insert(account) && calendars->insert(calendar);
    }

    QString sync(CalDavSyncClient *client, CalendarRepository *calendars) const
    {
        QSignalSpy completed(client, &CalDavSyncClient::calendarSyncCompleted);
        QSignalSpy failed(client, &CalDavSyncClient::calendarSyncFailed);
        client->syncCalendar(calendars->getById(calendarId()).value(), QString(), m_server->user(),
                             m_server->password(), QString());
        if (!QTest::qWaitFor([&] { return !completed.isEmpty() || !failed.isEmpty(); }, 120000))
            return QStringLiteral("no answer");
        return failed.isEmpty() ? QString() : failed.first().at(1).toString();
    }

    AppState *m_state;
    std::unique_ptr<DavServerProcess> m_server;
    std::unique_ptr<DavFaultProxy> m_front;
    std::unique_ptr<CalDavSyncClient> m_client;
    bool m_ready = false;
};

} // namespace WalkClub
