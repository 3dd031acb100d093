#include "update/updateversion.h"

#include <QStringList>

UpdateVersion UpdateVersion::parse(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.isEmpty() || parts.size() > 3)
        return {};
    int numbers[3] = {0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        numbers[i] = parts.at(i).toInt(&ok, 10);
        if (!ok)
            return {};
    }
    return {numbers[0], numbers[1], numbers[2]};
}

bool UpdateVersion::lessThan(const UpdateVersion &a, const UpdateVersion &b)
{
    if (a.major != b.major)
        return a.major < b.major;
    if (a.minor != b.minor)
        return a.minor < b.minor;
    return a.patch < b.patch;
}
