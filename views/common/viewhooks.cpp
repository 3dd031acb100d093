#include "views/common/viewhooks.h"

#include "ui/popovers/eventdetailspopover.h"

ViewClock systemViewClock()
{
    return [] { return QDateTime::currentDateTime(); };
}

EventPopoverFactory standardEventPopoverFactory()
{
    return [](AppState *state, const Event &event, QWidget *anchor) -> QWidget * {
        return new EventDetailsPopover(state, event, anchor);
    };
}
