#include "tests/support/selfsignedcertificate.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSslCertificate>

SelfSignedCertificate::SelfSignedCertificate()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                   keyPath(), QStringLiteral("-out"), certificatePath(), QStringLiteral("-days"),
                   QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) {
        m_error = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(openssl.readAll());
        return;
    }
    QFile file(certificatePath());
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("certificate not written");
        return;
    }
    const QSslCertificate certificate(file.readAll(), QSsl::Pem);
    if (certificate.isNull()) {
        m_error = QStringLiteral("certificate unreadable");
        return;
    }
    m_sha256 = QString::fromLatin1(
        QCryptographicHash::hash(certificate.toDer(), QCryptographicHash::Sha256).toHex().toUpper());
    m_valid = true;
}

QString SelfSignedCertificate::certificatePath() const
{
    return m_dir.filePath(QStringLiteral("cert.pem"));
}

QString SelfSignedCertificate::keyPath() const
{
    return m_dir.filePath(QStringLiteral("key.pem"));
}
