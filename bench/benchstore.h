#pragma once

#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"

#include <QDateTime>
#include <QStringList>
#include <QTimeZone>

// One account with `count` local calendars, the set-up the store benchmarks
// fill with events. The calendar ids, or none when a row could not be stored.
inline QStringList addBenchCalendars(Database *db, int count)
{
    AccountRepository accounts(db);
    Account account;
    account.id = QStringLiteral("acc");
    account.name = QStringLiteral("Bench");
    account.type = AccountType::Tindlebrook;
    if (!accounts.insert(account))
        return {};
    CalendarRepository calendars(db);
    QStringList ids;
    for (int i = 0; i < count; ++i) {
        Calendar c;
        c.id = QStringLiteral("cal-%1").arg(i);
        c.account_id = account.id;
        c.url = QStringLiteral("local://") + c.id;
        c.name = c.id;
        if (!calendars.insert(c))
            return {};
        ids.append(c.id);
    }
    return ids;
}

// The i-th of the hourly Berlin meetings the store benchmarks fill a calendar
// with: 20,000 distinct hours from 1 January 2024, repeating after that.
inline Event benchMeeting(int i, const QString &calendarId)
{
    const QDateTime origin(QDate(2024, 1, 1), QTime(9, 0), QTimeZone("Europe/Berlin"));
    Event e;
    e.id = e.uid = QStringLiteral("ev-%1").arg(i);
    e.calendar_id = calendarId;
    e.title = QStringLiteral("Meeting %1").arg(i);
    e.description = QStringLiteral("Notes for the team, item %1").arg(i);
    e.start_time = origin.addSecs(3600LL * (i % 20000));
    e.end_time = e.start_time.addSecs(3600);
    e.timezone = QStringLiteral("Europe/Berlin");
    return e;
}

// The k-th weekly Berlin walk of ten, its second and third weeks moved two
// hours later: a series whose move carries changed days along.
inline bool addBenchWalk(EventRepository &events, int k, const QString &calendarId)
{
    Event series;
    series.id = series.uid = QStringLiteral("walk-%1").arg(k);
    series.calendar_id = calendarId;
    series.title = QStringLiteral("Walk %1").arg(k);
    series.start_time = QDateTime(QDate(2026, 3, 2), QTime(9, 0), QTimeZone("Europe/Berlin")).addDays(k % 7);
    series.end_time = series.start_time.addSecs(3600);
    series.timezone = QStringLiteral("Europe/Berlin");
    series.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=10");
    series.raw_icalendar = IcsCodec::buildEventIcs(series);
    if (!events.insert(series))
        return false;
    for (int week = 1; week <= 2; ++week) {
        Event changed = series;
        changed.id = series.id + QStringLiteral("-%1").arg(week);
        changed.recurrence_rule.clear();
        changed.recurrence_id =
            series.start_time.addDays(7 * week).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
        changed.start_time = series.start_time.addDays(7 * week).addSecs(7200);
        changed.end_time = changed.start_time.addSecs(3600);
        changed.title = QStringLiteral("Walk later");
        changed.raw_icalendar = IcsCodec::buildEventIcs(changed);
        if (!events.insert(changed))
            return false;
    }
    return true;
}
