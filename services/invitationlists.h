#pragma once

#include "store/event.h"

#include <QList>

namespace Invitations {

// Invitations addressed to the user: those still to answer, soonest first,
// and every other one in the window, newest first.
struct Lists
{
    QList<Event> pending;
    QList<Event> past;
};

} // namespace Invitations
