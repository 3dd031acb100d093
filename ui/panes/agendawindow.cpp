#include "ui/panes/agendawindow.h"

AgendaWindow AgendaWindow::take(QList<AgendaDays::Day> &&days)
{
    AgendaWindow window;
    window.days.reserve(days.size());
    for (AgendaDays::Day &day : days) {
        Day kept{day.date, window.events.size(), day.events.size(), std::move(day.tasks)};
        for (const Event &event : std::as_const(day.events))
            window.events.append(event);
        day.events = {};
        window.days.append(std::move(kept));
    }
    days = {};
    return window;
}
