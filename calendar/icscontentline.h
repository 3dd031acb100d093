#pragma once

#include <QHash>
#include <QString>

// One logical iCalendar line split into its parts. Parameter names are
// upper-cased; parameter values are kept as written, quotes included.
struct ContentLine
{
    QString name;
    QHash<QString, QString> params;
    QString value;
};
