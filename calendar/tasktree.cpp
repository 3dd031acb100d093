#include "calendar/tasktree.h"

#include <QHash>

#include <algorithm>

namespace {

// The forest over the input, by index: children lists keyed by the parent's
// uid, and the roots. Tasks that only hang from a loop get a root from the
// loop itself, so walking from the roots reaches every task.
struct Forest
{
    QList<int> roots;
    QHash<QString, QList<int>> children;
};

QString parentKey(const Task &task, const QHash<QString, int> &firstByUid)
{
    if (!task.parent_task_uid.isEmpty() && firstByUid.contains(task.parent_task_uid))
        return task.parent_task_uid;
    return QString();
}

// Marks everything reachable from index as reached.
void reach(int index, const QList<Task> &tasks, const QHash<QString, QList<int>> &children,
           QList<bool> &reached)
{
    QList<int> stack{index};
    while (!stack.isEmpty()) {
        const int current = stack.takeLast();
        if (reached[current])
            continue;
        reached[current] = true;
        const auto it = children.constFind(tasks.at(current).uid);
        if (it == children.constEnd())
            continue;
        for (int child : *it) {
            if (!reached[child])
                stack.append(child);
        }
    }
}

Forest buildForest(const QList<Task> &tasks)
{
    Forest forest;
    QHash<QString, int> firstByUid;
    firstByUid.reserve(tasks.size());
    for (int i = 0; i < tasks.size(); ++i) {
        if (!firstByUid.contains(tasks.at(i).uid))
            firstByUid.insert(tasks.at(i).uid, i);
    }

    QList<bool> isRoot(tasks.size(), false);
    for (int i = 0; i < tasks.size(); ++i) {
        const QString key = parentKey(tasks.at(i), firstByUid);
        if (key.isEmpty())
            isRoot[i] = true;
        else
            forest.children[key].append(i);
    }

    QList<bool> reached(tasks.size(), false);
    for (int i = 0; i < tasks.size(); ++i) {
        if (isRoot[i])
            reach(i, tasks, forest.children, reached);
    }

    // What is left hangs from a loop of parents. Walk up from the first such
    // task until a task repeats: that one is on the loop and becomes a root.
    for (int i = 0; i < tasks.size(); ++i) {
        if (reached[i])
            continue;
        QSet<int> seen;
        int current = i;
        while (!seen.contains(current)) {
            seen.insert(current);
            current = firstByUid.value(tasks.at(current).parent_task_uid);
        }
        isRoot[current] = true;
        reach(current, tasks, forest.children, reached);
    }

    for (int i = 0; i < tasks.size(); ++i) {
        if (isRoot[i])
            forest.roots.append(i);
    }
    return forest;
}

void sortByComparator(QList<int> &indices, const QList<Task> &tasks, const TaskTree::SiblingLess &lessThan)
{
    std::stable_sort(indices.begin(), indices.end(),
                     [&](int a, int b) { return lessThan(tasks.at(a), tasks.at(b)); });
}

// Visits the forest depth first; each index is visited once even when a
// repeated uid or a loop would lead back to it.
template<typename Visit>
void walk(const Forest &forest, const QList<Task> &tasks, Visit visit)
{
    QList<bool> visited(tasks.size(), false);
    struct Frame
    {
        int index;
        int depth;
    };
    for (int root : forest.roots) {
        if (visited[root])
            continue;
        QList<Frame> stack{{root, 0}};
        while (!stack.isEmpty()) {
            const Frame frame = stack.takeLast();
            if (visited[frame.index])
                continue;
            visited[frame.index] = true;
            visit(frame.index, frame.depth, root);
            const auto it = forest.children.constFind(tasks.at(frame.index).uid);
            if (it == forest.children.constEnd())
                continue;
            // Pushed in reverse so the first sibling is visited first.
            for (auto child = it->crbegin(); child != it->crend(); ++child) {
                if (!visited[*child])
                    stack.append({*child, frame.depth + 1});
            }
        }
    }
}

} // namespace

namespace TaskTree {

QList<TreeTask> flatten(const QList<Task> &tasks, const SiblingLess &lessThan)
{
    QList<TreeTask> out;
    if (tasks.isEmpty())
        return out;
    Forest forest = buildForest(tasks);
    if (lessThan) {
        sortByComparator(forest.roots, tasks, lessThan);
        for (auto it = forest.children.begin(); it != forest.children.end(); ++it)
            sortByComparator(*it, tasks, lessThan);
    }
    out.reserve(tasks.size());
    walk(forest, tasks, [&](int index, int depth, int) { out.append(TreeTask{tasks.at(index), depth}); });
    return out;
}

SiblingLess withManualSortOrder(const SiblingLess &fallback)
{
    return [fallback](const Task &a, const Task &b) {
        const bool aPlaced = a.sort_order != 0;
        const bool bPlaced = b.sort_order != 0;
        if (aPlaced && bPlaced)
            return a.sort_order < b.sort_order;
        if (aPlaced != bPlaced)
            return aPlaced;
        return fallback ? fallback(a, b) : false;
    };
}

QSet<QString> completedKeptByActiveTree(const QList<Task> &tasks)
{
    QSet<QString> out;
    if (tasks.isEmpty())
        return out;
    const Forest forest = buildForest(tasks);

    // Visit order puts every tree together under its root, so one pass finds
    // the trees that still hold an open task and a second collects from them.
    QList<int> rootOf(tasks.size(), -1);
    QSet<int> activeRoots;
    walk(forest, tasks, [&](int index, int, int root) {
        rootOf[index] = root;
        if (!isTaskCompleted(tasks.at(index)))
            activeRoots.insert(root);
    });
    for (int i = 0; i < tasks.size(); ++i) {
        if (isTaskCompleted(tasks.at(i)) && activeRoots.contains(rootOf[i]))
            out.insert(tasks.at(i).uid);
    }
    return out;
}

} // namespace TaskTree

bool isTaskCompleted(const Task &task)
{
    return task.status == TaskStatus::Completed;
}
