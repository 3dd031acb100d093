#pragma once

#include "calendar/filterresult.h"

#include <QDate>
#include <QHash>
#include <QString>

class AppState;
class QPdfWriter;

// The agenda of a date range on A4 pages: title and summary on the first
// page, then one heading per day with events and one entry per event
// (colour dot, times, title, and a line with calendar and location).

// Paints every page and returns the number of kept events, which the
// summary shows too; -1 when nothing could be painted (the writer refused
// the painter or a new page).
int renderAgendaPdf(QPdfWriter *writer, const QString &title, const QDate &from, const QDate &to,
                    const FilterResult &filterResult, const QHash<QString, QString> &colourById,
                    const QHash<QString, QString> &nameById);

// What the calendar views would show for [from 00:00, the day after `to`
// 00:00) in local time: the active group's calendars, repeating events
// expanded, sorted by start, the enabled filter rules applied.
FilterResult agendaEvents(AppState *app, const QDate &from, const QDate &to);
