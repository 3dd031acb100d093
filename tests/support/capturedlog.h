#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Every message logged while it lives (qDebug to qCritical, from any
// thread), kept for the test to read and handed on to the handler before
// it, so the test's output and QTest::ignoreMessage work as usual. One at a
// time.
class CapturedLog
{
public:
    CapturedLog();
    ~CapturedLog();
    CapturedLog(const CapturedLog &) = delete;
    CapturedLog &operator=(const CapturedLog &) = delete;

    QStringList messages() const;
    // The messages in which `text` appears.
    QStringList containing(const QString &text) const;

private:
    QtMessageHandler m_previous;
};
