#pragma once

#include <QString>

#include <functional>

// One row of the command palette's table: typed by its keyword, shown with
// its usage and description. The action returns true when it was carried
// out, which closes the palette.
struct PaletteCommand
{
    QString keyword;
    QString label;
    QString description;
    std::function<bool(const QString &argument)> action;
};
