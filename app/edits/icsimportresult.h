#pragma once

#include <QMetaType>

namespace IcsImport {

// What an import did with the events of a file.
struct Result
{
    int imported = 0;
    int updated = 0;
    // Already stored as the file has it: nothing written.
    int unchanged = 0;
    // Could not be stored.
    int failed = 0;
};

} // namespace IcsImport

Q_DECLARE_METATYPE(IcsImport::Result)
