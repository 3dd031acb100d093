#pragma once

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"

#include <QStringList>

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
