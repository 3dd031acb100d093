#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Every message logged while it lives, from any thread, kept for the test
// to read and handed on to the handler before it (the test's output and
// QTest::ignoreMessage work as usual). One at a time.
class CapturedLog
{
public:
    CapturedLog()
    {
        const QMutexLocker lock(&s_mutex);
        s_messages.clear();
        s_previous = qInstallMessageHandler(&CapturedLog::capture);
    }
    ~CapturedLog() { qInstallMessageHandler(s_previous); }
    CapturedLog(const CapturedLog &) = delete;
    CapturedLog &operator=(const CapturedLog &) = delete;

    QStringList messages() const
    {
        const QMutexLocker lock(&s_mutex);
        return s_messages;
    }

private:
    static void capture(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        {
            const QMutexLocker lock(&s_mutex);
            s_messages.append(message);
        }
        if (s_previous)
            s_previous(type, context, message);
    }

    static inline QMutex s_mutex;
    static inline QStringList s_messages;
    static inline QtMessageHandler s_previous = nullptr;
};
