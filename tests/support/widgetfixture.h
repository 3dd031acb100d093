#pragma once

#include "store/calendar.h"
#include "store/event.h"
#include "store/task.h"
#include "tests/support/tempdatadir.h"

#include <QByteArray>
#include <QDateTime>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class AppState;
class Database;
class QMimeData;
class QWidget;

// Ground for the tests of views, panes, popovers and dialogs: an application
// state over a fresh store in a temporary data folder (past its first
// launch), a fixed clock, and helpers that store the rows a case needs.
// Widgets are driven offscreen by grab() and QTest mouse events; cases
// assert on signals, hit rectangles and store rows.
class WidgetFixture
{
public:
    WidgetFixture();
    ~WidgetFixture();

    // Pins the process to one zone; call before anything reads the time
    // (initTestCase). A test program is written for the zone it pins.
    static void pinTimeZone(const QByteArray &zone);

    bool isReady() const { return m_ready; }
    AppState *state() const { return m_state.get(); }
    Database *db() const;
    QString dataPath() const { return m_dir.dataPath(); }

    // The fixed "now" that views given clock() see; 2026-03-10 09:30 local
    // until set.
    void setNow(const QDateTime &now) { m_now = now; }
    QDateTime now() const { return m_now; }
    std::function<QDateTime()> clock() const;

    // Stores an account of the given type ("caldav", "google", ...); its id.
    QString addAccount(const QString &type);
    // Stores a calendar of the local account (or of the given account).
    Calendar addCalendar(const QString &id, const QString &name, const QString &color = QStringLiteral("#4285F4"),
                         bool visible = true, const QString &accountId = QString());
    // A timed event in the local calendar, not yet stored.
    static Event timedEvent(const QString &title, const QDateTime &start, const std::optional<QDateTime> &end,
                            const QString &calendarId = QString());
    static Event allDayEvent(const QString &title, const QDate &first, const QDate &endExclusive,
                             const QString &calendarId = QString());
    // Stores the event with an id, a uid and iCalendar text when it has
    // none; returns it as read back.
    Event addEvent(Event event);
    Event storedEvent(const QString &id) const;
    Task addTask(const QString &title, const QString &calendarId = QString());

    // Drags the data onto the widget and drops it at pos; true when the
    // widget accepted both.
    static bool drop(QWidget *target, const QPoint &pos, const QMimeData *mime);
    // Waits for the repository's coalesced change signal.
    bool waitForEventsChanged();
    // Makes every further write to `events` fail, as a full disk would.
    bool failEventWrites();
    // Makes every further insert into and update of the table fail.
    bool failWritesTo(const QString &table);
    // Lets inserts into the table succeed again (updates still fail).
    bool allowInsertsInto(const QString &table);

private:
    TempDataDir m_dir;
    std::unique_ptr<AppState> m_state;
    bool m_ready = false;
    QDateTime m_now;
};
