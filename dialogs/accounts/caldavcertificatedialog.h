#pragma once

#include <QDialog>

#include "sync/caldav/caldavclient.h"

// Shows a server certificate that doesn't chain to a trusted root, with its
// SHA-256 fingerprint; accepted when the user chose to trust it.
class CalDavCertificateDialog : public QDialog
{
    Q_OBJECT
public:
    CalDavCertificateDialog(const CalDavClient::UntrustedCertInfo &info, QWidget *parent = nullptr);
};
