#include "calendar/taskreorder.h"

#include <algorithm>
#include <climits>

namespace TaskReorder {

namespace {

struct Neighbours
{
    std::optional<int> before;
    std::optional<int> after;
    // A neighbour in the list that has no manual order: it sorts by the
    // automatic order, so no number can be placed against it.
    bool unordered = false;
};

Neighbours neighboursOf(const QList<int> &orders, int target, bool above)
{
    const int first = above ? target - 1 : target;
    const int second = above ? target : target + 1;
    Neighbours out;
    for (int index : {first, second}) {
        if (index < 0 || index >= orders.size())
            continue;
        const int order = orders.at(index);
        if (order == 0) {
            out.unordered = true;
            continue;
        }
        (index == first ? out.before : out.after) = order;
    }
    return out;
}

// Orders between the neighbours; nothing when the gap leaves no room.
std::optional<int> between(const Neighbours &n)
{
    if (n.before && n.after) {
        if (qint64(*n.after) - *n.before < 2)
            return std::nullopt;
        return int((qint64(*n.before) + *n.after) / 2);
    }
    if (n.before)
        return *n.before > INT_MAX - Step ? std::nullopt : std::optional<int>(*n.before + Step);
    if (n.after) {
        // Above a first sibling at 1 (or below it) there is no whole number left.
        if (*n.after <= 1)
            return std::nullopt;
        return std::max(*n.after - Step, 1);
    }
    return Step;
}

} // namespace

std::optional<Plan> plan(const QList<Task> &siblings, const QString &targetUid, bool above)
{
    const auto it = std::find_if(siblings.cbegin(), siblings.cend(),
                                 [&targetUid](const Task &task) { return task.uid == targetUid; });
    if (it == siblings.cend())
        return std::nullopt;
    const int target = int(it - siblings.cbegin());

    QList<int> orders;
    orders.reserve(siblings.size());
    for (const Task &task : siblings)
        orders.append(task.sort_order);

    const Neighbours found = neighboursOf(orders, target, above);
    if (!found.unordered) {
        if (const std::optional<int> order = between(found))
            return Plan{*order, {}};
    }

    Plan result;
    for (int i = 0; i < siblings.size(); ++i) {
        const int order = (i + 1) * Step;
        if (siblings.at(i).sort_order != order)
            result.renumbered.append({siblings.at(i).id, order});
        orders[i] = order;
    }
    result.order = between(neighboursOf(orders, target, above)).value_or(Step);
    return result;
}

} // namespace TaskReorder
