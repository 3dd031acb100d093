#include "app/edits/pendingrule.h"

bool becomesPending(const Calendar &calendar)
{
    Q_UNUSED(calendar);
    return true;
}
