#include "sync/core/syncerrorcode.h"

#include <QCoreApplication>

namespace SyncErrorCode {

namespace {

// Marks the codes for translation without translating the stored value.
const char *const KnownCodes[] = {
    QT_TRANSLATE_NOOP("SyncErrorCode", "Password missing"),
    QT_TRANSLATE_NOOP("SyncErrorCode", "Sign in required"),
};

} // namespace

bool is(const QString &stored, const char *code)
{
    return stored == QLatin1String(code);
}

QString displayText(const QString &stored)
{
    for (const char *code : KnownCodes) {
        if (is(stored, code))
            return QCoreApplication::translate("SyncErrorCode", code);
    }
    return stored;
}

} // namespace SyncErrorCode
