#pragma once

#include <QDialog>

class QLabel;

// Shown while the user signs in to a provider in the browser; Cancel ends
// the sign-in.
class OAuthProgressDialog : public QDialog
{
    Q_OBJECT
public:
    OAuthProgressDialog(const QString &provider, QWidget *parent = nullptr);

    void setStatus(const QString &text);

private:
    QLabel *m_status;
};
