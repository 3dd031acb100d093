#include "cloud/configsynclog.h"

Q_LOGGING_CATEGORY(configSyncLog, "calendar.configsync", QtWarningMsg)
