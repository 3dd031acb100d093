#pragma once

#include <QString>

// A release number of up to three dot-separated parts; anything else reads
// as 0.0.0.
struct UpdateVersion
{
    int major = 0;
    int minor = 0;
    int patch = 0;

    static UpdateVersion parse(const QString &text);
    static bool lessThan(const UpdateVersion &a, const UpdateVersion &b);
};
