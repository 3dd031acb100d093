#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away self-signed certificate for 127.0.0.1, made with openssl when
// the test runs.
class SelfSignedCertificate
{
public:
    SelfSignedCertificate();

    bool isValid() const { return m_valid; }
    QString errorText() const { return m_error; }
    QString certificatePath() const;
    QString keyPath() const;
    // SHA-256 of the DER form, 64 upper-case hex digits.
    QString sha256() const { return m_sha256; }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
    QString m_error;
    QString m_sha256;
};
