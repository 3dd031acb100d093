#pragma once

#include <QString>

// What an edit answers: done, or refused with the store's own words, which
// the caller shows as they are.
struct EditResult
{
    bool ok = true;
    QString error;

    static EditResult done() { return {}; }
    static EditResult failed(const QString &why) { return {false, why}; }
    explicit operator bool() const { return ok; }
};
