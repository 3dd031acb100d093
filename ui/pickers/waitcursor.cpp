#include "ui/pickers/waitcursor.h"

#include <QCursor>
#include <QGuiApplication>

WaitCursor::WaitCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor()
{
    release();
}

void WaitCursor::release()
{
    if (!m_held)
        return;
    m_held = false;
    QGuiApplication::restoreOverrideCursor();
}
