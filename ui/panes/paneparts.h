#pragma once

#include "store/calendar.h"

#include <QSet>
#include <QString>

#include <optional>

class AccountRepository;
class AppState;
class PaneReader;
class QLabel;
class QPushButton;
class QRect;
class QScrollArea;
class QVBoxLayout;
class QWidget;
class TasksPaneRow;
class ViewRepository;

// Pieces the task, reminder and agenda lists share.
namespace PaneParts {

// The active calendar group's calendar ids when it names at least one;
// nothing means every calendar counts.
std::optional<QSet<QString>> groupFilter(AppState *state);
// The same through given repositories (a worker thread's).
std::optional<QSet<QString>> groupFilter(ViewRepository *views, const QString &activeViewId);
// "Account / Calendar" when the account has a name, else the calendar's.
QString calendarTitle(AppState *state, const Calendar &calendar);
QString calendarTitle(AccountRepository *accounts, const Calendar &calendar);

// A frameless vertical scroll area whose content is a column ending in one
// stretch; the column is returned through `column`.
QScrollArea *makeScrollList(QWidget *parent, QVBoxLayout **column);
// Releases every row of the column, later, and keeps the trailing stretch.
void clearRows(QVBoxLayout *column);
// Adds before the trailing stretch.
void appendRow(QVBoxLayout *column, QWidget *row);

struct EmptyState
{
    QWidget *widget = nullptr;
    QLabel *title = nullptr;
    QLabel *body = nullptr;
};
EmptyState makeEmptyState(QWidget *parent, const QString &title, const QString &body);

// A section header: an optional coloured dot, the title in bold and a count.
QWidget *makeSectionHeader(const QString &title, int count, const QString &dotColor, QWidget *parent);

// The footer of a task list: one bold button that adds an item.
QWidget *makeAddFooter(QWidget *parent, const QString &text, const QString &objectName, QPushButton **button);
// The task rows among a list's rows, in order, headers left out.
QList<TasksPaneRow *> taskRows(const QList<QWidget *> &rows);
// A reader for a list of the active group's tasks: it watches tasks,
// calendars and groups, and a switch of group counts as a change.
PaneReader *makeTaskReader(AppState *state, QWidget *pane);
// Opens the task's card beside the row's rectangle, or centred when there
// is none; nothing for a task deleted meanwhile.
void openTaskCard(AppState *state, const QString &taskId, const QRect &screenRect, QWidget *anchor);

} // namespace PaneParts
