#pragma once

#include "store/event.h"

#include <QDateTime>
#include <QString>

#include <functional>

class AppState;
class QWidget;

// The seams through which a calendar view reaches what lies outside it. A
// view works with the defaults; the main window and the tests replace them.

// The current local time. Views read "today" and the now-line through it.
using ViewClock = std::function<QDateTime()>;
ViewClock systemViewClock();

// Makes the details card of one event; the view places and shows it. The
// anchor is the view that asked.
using EventPopoverFactory = std::function<QWidget *(AppState *, const Event &, QWidget *anchor)>;
// The event details popover of the program.
EventPopoverFactory standardEventPopoverFactory();

// Imports one dropped .ics file. Called on a later turn of the event loop,
// after the drag has ended, once per file in drop order.
using IcsImportSink = std::function<void(const QString &path)>;
