#pragma once

#include "store/task.h"
#include "store/treetask.h"

#include <QList>
#include <QSet>
#include <QString>

#include <functional>

// The tasks pane's view of the parent/child forest built from parent_task_uid.
// Every function works on the list it is given and touches no store.
namespace TaskTree {

// True when the first task goes before the second among siblings.
using SiblingLess = std::function<bool(const Task &, const Task &)>;

// Depth first, parents before children. Every task appears exactly once:
// orphans become roots, and a parent loop is broken at one of its members,
// which is shown as a root.
QList<TreeTask> flatten(const QList<Task> &tasks, const SiblingLess &lessThan = {});

// Manually placed siblings (sort_order not 0) first, in ascending order;
// the rest in the fallback's order.
SiblingLess withManualSortOrder(const SiblingLess &fallback);

// Uids of the completed tasks in trees that still hold an open task.
QSet<QString> completedKeptByActiveTree(const QList<Task> &tasks);

} // namespace TaskTree

// The one test of completion that every task list shares.
bool isTaskCompleted(const Task &task);
