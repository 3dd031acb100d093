#pragma once

#include <QLoggingCategory>

// "calendar.configsync": warnings and above unless logging rules say otherwise.
Q_DECLARE_LOGGING_CATEGORY(configSyncLog)
