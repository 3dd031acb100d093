#include "sync/caldav/caldavlog.h"

Q_LOGGING_CATEGORY(caldavLog, "calendar.caldav", QtWarningMsg)
