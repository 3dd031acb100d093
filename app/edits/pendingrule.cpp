#include "app/edits/pendingrule.h"

bool becomesPending(const Calendar &calendar)
{
    // Every kind of calendar: a local calendar's rows wait for the cloud
    // sync, an account's for its provider, and a read-only or subscribed
    // calendar's client simply never pushes them.
    Q_UNUSED(calendar);
    return true;
}
