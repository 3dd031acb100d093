#pragma once

#include <QObject>
#include <QString>

class QNetworkReply;

namespace Net {

// Bounds one reply: stops it when its body grows past a size no answer of
// that service reaches, or when it has not finished by an overall deadline
// (the transfer timeout only notices silence; a server that trickles a byte
// now and then would hold the request forever).
class ReplyGuard : public QObject
{
    Q_OBJECT
public:
    struct Limits
    {
        qint64 maxBytes = 0;  // 0: no size limit
        int deadlineMs = 0;   // 0: no deadline
    };

    // The guard lives as the reply's child and aborts it when a limit is
    // passed; the reply then finishes with failure() saying why.
    static void watch(QNetworkReply *reply, const Limits &limits);

    // Why the guard stopped the reply, in words for the user; empty when it
    // did not.
    static QString failure(const QNetworkReply *reply);

private:
    ReplyGuard(QNetworkReply *reply, const Limits &limits);
    void checkSize(qint64 received);
    void stop(const QString &why);

    QNetworkReply *m_reply;
    Limits m_limits;
};

} // namespace Net
