#include "tests/support/capturedlog.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex g_mutex;
QStringList g_messages;
QtMessageHandler g_previous = nullptr;

void capture(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QtMessageHandler previous = nullptr;
    {
        const QMutexLocker lock(&g_mutex);
        g_messages.append(message);
        previous = g_previous;
    }
    if (previous)
        previous(type, context, message);
}

} // namespace

CapturedLog::CapturedLog()
{
    const QMutexLocker lock(&g_mutex);
    g_messages.clear();
    m_previous = qInstallMessageHandler(capture);
    g_previous = m_previous;
}

CapturedLog::~CapturedLog()
{
    qInstallMessageHandler(m_previous);
    const QMutexLocker lock(&g_mutex);
    g_previous = nullptr;
}

QStringList CapturedLog::messages() const
{
    const QMutexLocker lock(&g_mutex);
    return g_messages;
}

QStringList CapturedLog::containing(const QString &text) const
{
    return messages().filter(text);
}
