#pragma once

#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "cloud/configsynccontext.h"
#include "store/calendar.h"

namespace Tindlebrook {

// Turns pulled calendar preferences, calendar groups, filter rules,
// templates and the week start into local rows. A row is written only when
// its content differs and the incoming one is newer, and it keeps the
// sender's time, so that two devices settle instead of echoing each other.
class ConfigSettingsApplier
{
public:
    explicit ConfigSettingsApplier(const ConfigSyncContext &context, const QSet<QString> &freshCalendarIds = {});

    void applyCalendarPreference(const QJsonObject &data);
    void applyCalendarView(const QJsonObject &data);
    void applyFilterRule(const QJsonObject &data);
    void applyEventTemplate(const QJsonObject &data);
    void applySetting(const QJsonObject &data);

private:
    // Local ids for the keys, plus the ids of `localIdsJson` that no key can
    // name (calendars without a key, or unknown here): those stay.
    QStringList resolveKeepingLocal(const QStringList &keys, const QString &localIdsJson,
                                    QStringList *unresolved) const;
    void insertStub(const QJsonObject &data, const QString &key) const;
    // A cloud calendar another device has and this one not yet.
    void insertCloudCalendar(const QJsonObject &data, const QString &key) const;

    const ConfigSyncContext &m_context;
    QSet<QString> m_freshCalendarIds;
};

} // namespace Tindlebrook
