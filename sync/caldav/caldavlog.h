#pragma once

#include <QLoggingCategory>

// "calendar.caldav": warnings and above unless logging rules say otherwise.
Q_DECLARE_LOGGING_CATEGORY(caldavLog)
