#include "views/common/resultturns.h"

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QTimer>

namespace {

struct Pending
{
    QPointer<QObject> owner;
    std::function<void()> action;
};

// Lives on the GUI thread with the application, which owns its timer.
struct Turns
{
    QList<Pending> pending;
    QPointer<QTimer> timer;
    bool appliedThisTurn = false;

    QTimer *turnTimer()
    {
        if (!timer) {
            // A timer, not a posted call: posted calls run back to back
            // before the loop reads input.
            timer = new QTimer(QCoreApplication::instance());
            timer->setSingleShot(true);
            timer->setTimerType(Qt::PreciseTimer);
            timer->setInterval(1);
            QObject::connect(timer, &QTimer::timeout, timer, [this] { next(); });
        }
        return timer;
    }

    void next()
    {
        appliedThisTurn = false;
        while (!pending.isEmpty()) {
            const Pending first = pending.takeFirst();
            if (!first.owner)
                continue;
            run(first.action);
            return;
        }
    }

    void run(const std::function<void()> &action)
    {
        if (QCoreApplication::instance()) {
            appliedThisTurn = true;
            turnTimer()->start();
        }
        action();
    }
};

Turns &turns()
{
    static Turns state;
    return state;
}

} // namespace

namespace ResultTurns {

void apply(QObject *owner, std::function<void()> action)
{
    Turns &state = turns();
    if (!QCoreApplication::instance() || !state.appliedThisTurn) {
        state.run(action);
        return;
    }
    state.pending.append({owner, std::move(action)});
}

} // namespace ResultTurns
