#include "app/calendarchoice.h"

#include "store/preferencesrepository.h"
#include "store/preferencekeys.h"

QString calendarLabel(const QHash<QString, QString> &accountNames, const Calendar &calendar)
{
    const QString account = accountNames.value(calendar.account_id);
    if (account.isEmpty())
        return calendar.name;
    return QStringLiteral("%1 / %2").arg(account, calendar.name);
}

QString defaultCalendarIdFor(const PreferencesRepository *preferences, bool forTask)
{
    if (!preferences)
        return QString();
    const QString key = forTask ? QLatin1String(PreferenceKeys::DefaultTaskCalendarId) : QLatin1String(PreferenceKeys::DefaultCalendarId);
    const QString value = preferences->getString(key);
    if (value == QLatin1String("__last_used__"))
        return preferences->getString(lastUsedCalendarKey(forTask));
    return value;
}

QString lastUsedCalendarKey(bool forTask)
{
    return forTask ? QLatin1String(PreferenceKeys::LastUsedTaskCalendarId) : QLatin1String(PreferenceKeys::LastUsedEventCalendarId);
}
