#include "dialogs/accounts/accountformdialog.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/accountname.h"
#include "app/appstate.h"
#include "app/network/guardedrequest.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "dialogs/accounts/caldavconnectiondialog.h"
#include "store/accountrepository.h"
#include "sync/caldav/caldavclient.h"

#include <memory>

namespace {

struct ProviderDisplayInfo
{
    QString name;
    QString hint;
};

ProviderDisplayInfo providerDisplayInfo(const Account &account)
{
    const AccountType type = account.type;
    if (type == AccountType::Zoho)
        return {QStringLiteral("Zoho Calendar"),
                AccountFormDialog::tr("Use your Zoho password, or an app-specific password if 2FA is enabled. "
                                      "Generate one at Zoho Account > Security > App Passwords.")};
    if (type == AccountType::ICloud)
        return {QStringLiteral("iCloud"),
                AccountFormDialog::tr("iCloud requires an app-specific password. Generate one at appleid.apple.com "
                                      "under Sign-In and Security > App-Specific Passwords.")};
    if (type == AccountType::CalDav)
        return {QStringLiteral("CalDAV"), QString()};
    if (type == AccountType::Google)
        return {QStringLiteral("Google Calendar"), QString()};
    if (type == AccountType::Microsoft)
        return {QStringLiteral("Microsoft Outlook"), QString()};
    if (type == AccountType::Tindlebrook)
        return {QStringLiteral("Tindlebrook"), QString()};
    if (type == AccountType::Webcal)
        return {AccountFormDialog::tr("Webcal Subscription"), QString()};
    return {typeText(account), QString()};
}

QFont smaller(QFont font)
{
    font.setPointSize(qMax(font.pointSize() - 1, 8));
    return font;
}

} // namespace

AccountFormDialog::AccountFormDialog(AppState *state, const Account &account, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_account(account)
    , m_calDavFamily(account.type == AccountType::CalDav || account.type == AccountType::ICloud
                     || account.type == AccountType::Zoho)
{
    setWindowTitle(tr("Edit Account"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    const ProviderDisplayInfo info = providerDisplayInfo(account);

    auto *header = new QHBoxLayout;
    auto *providerCaption = new QLabel(tr("Provider:"), this);
    QFont bold = providerCaption->font();
    bold.setWeight(QFont::Bold);
    providerCaption->setFont(bold);
    header->addWidget(providerCaption);
    auto *pill = new QLabel(info.name, this);
    pill->setObjectName(QStringLiteral("providerBadge"));
    pill->setProperty("badge", true);
    pill->setStyleSheet(QStringLiteral("QLabel { background: palette(highlight); color: palette(highlighted-text); "
                                       "padding: 4px 10px; border-radius: 10px; }"));
    header->addWidget(pill);
    header->addStretch();
    layout->addLayout(header);
    layout->addSpacing(8);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    m_nameEdit = new QLineEdit(AccountName::shown(account), this);
    m_nameEdit->setObjectName(QStringLiteral("name"));
    form->addRow(m_calDavFamily ? tr("Account name") : tr("Name"), m_nameEdit);
    if (m_calDavFamily) {
        m_serverUrlEdit = new QLineEdit(account.server_url, this);
        m_serverUrlEdit->setObjectName(QStringLiteral("serverUrl"));
        m_usernameEdit = new QLineEdit(account.username, this);
        m_usernameEdit->setObjectName(QStringLiteral("username"));
        m_passwordEdit = new QLineEdit(this);
        m_passwordEdit->setObjectName(QStringLiteral("password"));
        m_passwordEdit->setEchoMode(QLineEdit::Password);
        std::unique_ptr<TindAccount::TokenStore> store = TindAccount::TokenStore::create(applicationServiceId());
        if (store && !store->read(caldavPasswordKey(account.id)).value_or(QString()).isEmpty())
            m_passwordEdit->setPlaceholderText(tr("(unchanged, type to replace)"));
        form->addRow(tr("Server URL"), m_serverUrlEdit);
        form->addRow(tr("Username"), m_usernameEdit);
        const bool appPassword = account.type != AccountType::CalDav;
        form->addRow(appPassword ? tr("App password") : tr("Password"), m_passwordEdit);
        if (!info.hint.isEmpty()) {
            auto *hint = new QLabel(info.hint, this);
            hint->setWordWrap(true);
            hint->setProperty("muted", true);
            hint->setFont(smaller(hint->font()));
            form->addRow(QString(), hint);
        }
    }
    m_intervalCombo = new QComboBox(this);
    m_intervalCombo->setObjectName(QStringLiteral("syncInterval"));
    fillSyncIntervals(m_intervalCombo, account.sync_interval_minutes);
    form->addRow(tr("Sync interval"), m_intervalCombo);
    layout->addLayout(form);

    if (m_calDavFamily) {
        layout->addSpacing(6);
        auto *note = new QLabel(
            tr("The password is stored in your platform's secure credential store, not in the app's database."), this);
        note->setWordWrap(true);
        note->setFont(smaller(note->font()));
        layout->addWidget(note);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Save"));
    connect(buttons, &QDialogButtonBox::accepted, this, &AccountFormDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(480, sizeHint().height());
}

void AccountFormDialog::fillSyncIntervals(QComboBox *combo, int currentMinutes)
{
    const QList<QPair<QString, int>> choices = {
        {tr("Manual only"), 0},      {tr("Every 5 minutes"), 5}, {tr("Every 15 minutes"), 15},
        {tr("Every 30 minutes"), 30}, {tr("Every hour"), 60},     {tr("Every 4 hours"), 240},
        {tr("Once a day"), 1440}};
    for (const auto &choice : choices)
        combo->addItem(choice.first, choice.second);
    const int index = combo->findData(currentMinutes);
    if (index >= 0) {
        combo->setCurrentIndex(index);
        return;
    }
    combo->insertItem(0, tr("Every %n minute(s)", nullptr, currentMinutes), currentMinutes);
    combo->setCurrentIndex(0);
}

void AccountFormDialog::save()
{
    const QString name = m_nameEdit->text().trimmed();
    if (name.isEmpty()) {
        QMessageBox::warning(this, tr("Missing field"), tr("Account name is required."));
        return;
    }
    Account account = m_account;
    // The device account's seeded name is shown translated; left as shown,
    // the stored name stays as it is.
    account.name = name == AccountName::shown(m_account) ? m_account.name : name;
    account.sync_interval_minutes = m_intervalCombo->currentData().toInt();
    QString urlPassword;
    if (m_calDavFamily) {
        const QString url = m_serverUrlEdit->text().trimmed();
        const QString user = m_usernameEdit->text().trimmed();
        if (url.isEmpty() || user.isEmpty()) {
            QMessageBox::warning(this, tr("Missing field"), tr("Server URL and username are required."));
            return;
        }
        // Credentials typed into the URL are kept as secrets, not in the row.
        const QUrl typed(url);
        // The kept password goes along to the new address at the next sync.
        if (!Net::sameOrigin(typed, QUrl(m_account.server_url))
            && !CalDavConnectionDialog::confirmPasswordInClear(this, typed,
                                                               CalDavConnectionDialog::ClearTextUse::Save))
            return;
        urlPassword = typed.password(QUrl::FullyDecoded);
        account.server_url = typed.userInfo().isEmpty() ? url : CalDavClient::withoutUserInfo(typed).toString();
        account.username = user;
    }
    account.updated_at = QDateTime::currentDateTimeUtc();
    if (!m_state->accounts()->update(account)) {
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the account."));
        return;
    }
    if (m_calDavFamily) {
        const QString password = m_passwordEdit->text().isEmpty() ? urlPassword : m_passwordEdit->text();
        if (!password.isEmpty()) {
            if (std::unique_ptr<TindAccount::TokenStore> store =
                    TindAccount::TokenStore::create(applicationServiceId()))
                store->write(caldavPasswordKey(account.id), password);
        }
    }
    accept();
}
