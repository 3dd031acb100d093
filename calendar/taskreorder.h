#pragma once

#include "store/task.h"

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// The manual order a task gets when it is dropped above or below a sibling
// in the tasks pane. Orders are spaced 10000 apart so that most drops fit
// between two neighbours; when they do not, the siblings are renumbered
// first so that the task lands exactly where it was dropped.
namespace TaskReorder {

inline constexpr int Step = 10000;

struct Plan
{
    // The dropped task's new sort_order.
    int order = 0;
    // Siblings whose sort_order must change first: task id and new order.
    QList<QPair<QString, int>> renumbered;

    bool operator==(const Plan &other) const
    {
        return order == other.order && renumbered == other.renumbered;
    }
};

// siblings: the target's siblings (the target included, the dragged task
// not), in the order the pane shows them. Nothing when the target is not
// among them.
std::optional<Plan> plan(const QList<Task> &siblings, const QString &targetUid, bool above);

} // namespace TaskReorder
