#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

namespace CalDavParse {

// One calendar collection found on a server by discovery.
struct DiscoveredCalendar
{
    QString url;
    QString displayName;
    QString color;
    QString description;
    QString ctag;
    QString syncToken;
    QStringList supportedComponents;
};

} // namespace CalDavParse

Q_DECLARE_METATYPE(CalDavParse::DiscoveredCalendar)
