#pragma once

#include <QString>

// Where this installation keeps its data and under which names it identifies
// itself. Every call reads the environment afresh so that a separate instance
// ("CALENDAR_INSTANCE") or a moved data folder ("CALENDAR_DATA_DIR") takes
// effect without a restart of the caller.

// The data folder, created when missing; returned even when creation fails,
// so the failure surfaces where the database is opened.
QString dataDirectory();
QString databasePath();

bool isDevInstance();
QString instanceName();

// "com.tindlebrook.calendar" plus "." and the instance name.
QString applicationServiceId();
// "TindlebrookCalendar" plus "-" and the instance name.
QString autostartValueName();
