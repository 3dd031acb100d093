#pragma once

#include <QString>

// What an edit answers: done, or refused with the words the user reads,
// translated, which the caller shows as they are. The store's own reason
// goes to the log, not here.
struct EditResult
{
    bool ok = true;
    QString error;
    // The store could not write: nothing the user chose was refused, and a
    // caller may say so in its own words.
    bool storeFailed = false;

    static EditResult done() { return {}; }
    static EditResult failed(const QString &why) { return {false, why}; }
    explicit operator bool() const { return ok; }
};
