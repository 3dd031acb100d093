#pragma once

// Counts the slices of the .ics imports the window starts: each slice is
// one commit of the import's connection and one progress report. It
// watches the window's import flow for the runs it makes.
#include <QChildEvent>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include "app/edits/icsimportrun.h"

class SliceCount : public QObject
{
public:
    explicit SliceCount(QObject *flow)
    {
        if (flow)
            flow->installEventFilter(this);
    }

    int slices() const { return m_slices; }
    void reset() { m_slices = 0; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ChildAdded)
            return QObject::eventFilter(watched, event);
        // The run is still being made when its parent hears of it: it is
        // looked at in the next turn, before its first slice can run.
        QPointer<QObject> child = static_cast<QChildEvent *>(event)->child();
        QMetaObject::invokeMethod(
            this,
            [this, child] {
                if (auto *run = qobject_cast<IcsImportRun *>(child.data()))
                    connect(run, &IcsImportRun::progress, this, [this] { ++m_slices; });
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    int m_slices = 0;
};
