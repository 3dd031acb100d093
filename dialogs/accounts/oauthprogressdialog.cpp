#include "dialogs/accounts/oauthprogressdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/theme/theme.h"

OAuthProgressDialog::OAuthProgressDialog(const QString &provider, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Sign in to %1").arg(provider));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->setSpacing(12);

    const QPixmap icon(QStringLiteral(":/icons/app-icon.png"));
    if (!icon.isNull()) {
        auto *iconLabel = new QLabel(this);
        iconLabel->setPixmap(icon.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        iconLabel->setAlignment(Qt::AlignCenter);
        layout->addWidget(iconLabel);
    }
    auto *heading = new QLabel(tr("Continue sign-in in your browser"), this);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(qMax(1, 13 * Theme::fontScale() / 100));
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);

    m_status = new QLabel(tr("Tindlebrook Calendar opened your default browser to sign in to %1. Once you finish "
                             "there, the app will pick up automatically.\n\nIf your browser didn't open, or you "
                             "closed the tab by mistake, click Cancel and try again.")
                              .arg(provider),
                          this);
    m_status->setObjectName(QStringLiteral("status"));
    // A status may carry a provider's own words.
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    layout->addWidget(m_status);
    layout->addSpacing(12);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumSize(440, 280);
    resize(440, 280);
}

void OAuthProgressDialog::setStatus(const QString &text)
{
    m_status->setText(text);
}
