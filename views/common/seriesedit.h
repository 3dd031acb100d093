#pragma once

#include "store/event.h"

#include <QDateTime>
#include <QString>

#include <optional>

class EventRepository;
class QWidget;

// The least the views need to change a repeating series after a drag, until
// the recurring-edit scope dialog with its three choices exists: the user may
// move or resize the whole series, or cancel. Scopes are numbered as the
// dialog will number them (0 cancel, 3 all events in the series).
namespace SeriesEdit {

inline constexpr int CancelScope = 0;
inline constexpr int AllEventsScope = 3;

int askScope(const QString &eventTitle, QWidget *parent);

// Shifts the master so that the dragged occurrence lands on the new times:
// its start by the occurrence's shift, its end so that it takes the dragged
// duration. The iCalendar text follows, so the change is pushed as it is
// shown. Any scope other than "all events" changes nothing.
bool apply(EventRepository *events, const Event &master, const QDateTime &occurrenceStart,
           const QDateTime &newStart, const std::optional<QDateTime> &newEnd, int scope);

} // namespace SeriesEdit
