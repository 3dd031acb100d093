#include "app/calendarchoice.h"

#include "app/accountname.h"
#include "store/preferencesrepository.h"
#include "store/preferencekeys.h"

#include <algorithm>

QHash<QString, QString> shownAccountNames(const QList<Account> &accounts)
{
    QHash<QString, QString> names;
    for (const Account &account : accounts)
        names.insert(account.id, AccountName::shown(account));
    return names;
}

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

QList<Calendar> writableCalendars(const QList<Calendar> &all, const QHash<QString, QString> &accountNames,
                                  const CalendarPick &pick)
{
    QList<Calendar> offered;
    for (const Calendar &calendar : all) {
        const bool kept = !pick.keepId.isEmpty() && calendar.id == pick.keepId;
        const bool shown = pick.withHidden || calendar.is_visible || kept;
        const bool kind = !pick.forTasks || holdsTasks(calendar) || kept;
        if (isWritableCalendar(calendar) && shown && kind)
            offered.append(calendar);
    }
    std::stable_sort(offered.begin(), offered.end(), [&accountNames](const Calendar &a, const Calendar &b) {
        return QString::localeAwareCompare(calendarLabel(accountNames, a), calendarLabel(accountNames, b)) < 0;
    });
    return offered;
}
