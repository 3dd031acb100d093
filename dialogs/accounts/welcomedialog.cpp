#include "dialogs/accounts/welcomedialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/secrets/oauthbuildsettings.h"
#include "app/theme/theme.h"

QString WelcomeDialog::bodyText(bool google, bool microsoft)
{
    // Only the providers this build can sign in to are named.
    if (google && microsoft) {
        return tr("We've set up a Personal calendar so you can start adding events right away. "
                  "Everything you create stays on this device unless you choose to sync it.\n\n"
                  "When you're ready, open Calendar Accounts to connect Google, Microsoft, or any "
                  "CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local "
                  "calendar.");
    }
    if (google || microsoft) {
        return tr("We've set up a Personal calendar so you can start adding events right away. "
                  "Everything you create stays on this device unless you choose to sync it.\n\n"
                  "When you're ready, open Calendar Accounts to connect %1 or any CalDAV server "
                  "(Synology, Nextcloud, Radicale, iCloud), or add another local calendar.")
            .arg(google ? QStringLiteral("Google") : QStringLiteral("Microsoft"));
    }
    return tr("We've set up a Personal calendar so you can start adding events right away. "
              "Everything you create stays on this device unless you choose to sync it.\n\n"
              "When you're ready, open Calendar Accounts to connect any CalDAV server "
              "(Synology, Nextcloud, Radicale, iCloud), or add another local calendar.");
}

WelcomeDialog::WelcomeDialog(AppState *state, QWidget *parent)
    : QDialog(parent)
{
    Q_UNUSED(state);
    setWindowTitle(tr("Welcome"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->setSpacing(12);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("welcomeImage"));
    image->setAlignment(Qt::AlignCenter);
    const QPixmap icon(QStringLiteral(":/icons/app-icon.png"));
    if (!icon.isNull())
        image->setPixmap(icon.scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    layout->addWidget(image);

    auto *title = new QLabel(tr("Welcome to Tindlebrook Calendar"), this);
    title->setObjectName(QStringLiteral("welcomeTitle"));
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setPointSize(Theme::fontXl());
    titleFont.setWeight(QFont::Bold);
    title->setFont(titleFont);
    layout->addWidget(title);

    auto *body = new QLabel(bodyText(googleOAuthConfigured(), microsoftOAuthConfigured()), this);
    body->setObjectName(QStringLiteral("welcomeBody"));
    body->setWordWrap(true);
    body->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    body->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::MinimumExpanding);
    body->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textPrimary().name()));
    layout->addWidget(body);

    layout->addSpacing(12);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *getStarted = buttons->addButton(tr("Get Started"), QDialogButtonBox::RejectRole);
    getStarted->setMinimumWidth(120);
    QPushButton *addAccount = buttons->addButton(tr("Add Account…"), QDialogButtonBox::AcceptRole);
    addAccount->setMinimumWidth(160);
    addAccount->setIcon(Theme::tintedIcon(QChar(0xE145), 16, addAccount->palette().color(QPalette::ButtonText)));
    addAccount->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    layout->setSizeConstraint(QLayout::SetMinimumSize);
    setMinimumSize(540, 480);
    resize(540, 480);
}
