#include "store/eventitemkey.h"

QString eventItemKey(const QString &uid, const QString &recurrenceId)
{
    return uid + QLatin1Char('\n') + recurrenceId;
}
