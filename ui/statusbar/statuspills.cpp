#include "ui/statusbar/statuspills.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolButton>

#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "app/theme/theme.h"
#include "store/accountrepository.h"
#include "store/filterrulerepository.h"
#include "sync/core/syncerrorcode.h"

namespace {

const QColor PillAmber(QStringLiteral("#F59E0B"));

QToolButton *makePillButton(QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void showFilterWriteFailure(QWidget *parent)
{
    QMessageBox::critical(parent, StatusPills::tr("Database Error"), StatusPills::tr("Could not save the filter."));
}

bool isOAuthType(AccountType type)
{
    return type == AccountType::Google || type == AccountType::Microsoft;
}

bool isCalDavType(AccountType type)
{
    return isCalDavFamily(type);
}

} // namespace

StatusPills::StatusPills(AppState *appState, QStatusBar *statusBar, Hooks hooks, QObject *parent)
    : QObject(parent)
    , m_appState(appState)
    , m_hooks(std::move(hooks))
{
    if (!m_hooks.refreshToken)
        m_hooks.refreshToken = &StatusPills::storedRefreshToken;

    m_accountPill = makePillButton(statusBar);
    m_accountPill->setIcon(Theme::tintedIcon(QChar(0xE002), 14, PillAmber));
    m_accountPill->setStyleSheet(QStringLiteral("QToolButton { color: #F59E0B; font-weight: 600; }"));
    m_accountPill->hide();
    connect(m_accountPill, &QToolButton::clicked, this, [this] {
        if (m_hooks.openAccounts)
            m_hooks.openAccounts();
        refreshAccountStatusPill();
    });
    statusBar->addPermanentWidget(m_accountPill, 0);
    connect(appState->accounts(), &AccountRepository::accountsChanged, this, &StatusPills::refreshAccountStatusPill);
    refreshAccountStatusPill();

    m_filtersButton = makePillButton(statusBar);
    m_filtersButton->setPopupMode(QToolButton::InstantPopup);
    m_filtersButton->setToolTip(tr("Manage filters"));
    m_filtersButton->setIcon(
        Theme::tintedIcon(QChar(0xE152), 14, statusBar->palette().color(QPalette::WindowText)));
    statusBar->addPermanentWidget(m_filtersButton, 0);
    connect(appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
            &StatusPills::buildFiltersMenu);
    connect(appState, &AppState::filterHiddenCountChanged, this, &StatusPills::updateFilterSummary);
    buildFiltersMenu();
}

QString StatusPills::storedRefreshToken(const Account &account)
{
    const QString prefix = QLatin1String(account.type == AccountType::Google
                                             ? TindAccount::GoogleTokensKeyPrefix
                                             : TindAccount::MicrosoftTokensKeyPrefix);
    const std::unique_ptr<TindAccount::TokenStore> store = TindAccount::TokenStore::create(applicationServiceId());
    const std::optional<QString> text = store ? store->read(prefix + account.id) : std::nullopt;
    if (!text || text->isEmpty())
        return QString();
    return QJsonDocument::fromJson(text->toUtf8()).object().value(QStringLiteral("refresh_token")).toString();
}

void StatusPills::refreshAccountStatusPill()
{
    if (!m_accountPill)
        return;
    int needAuth = 0;
    int needPassword = 0;
    int oauthAccounts = 0;
    for (const Account &account : m_appState->accounts()->getAll()) {
        if (!account.enabled)
            continue;
        if (isOAuthType(account.type)) {
            ++oauthAccounts;
            if (m_hooks.refreshToken(account).isEmpty()
                || SyncErrorCode::is(account.last_sync_error, SyncErrorCode::SignInRequired))
                ++needAuth;
        } else if (isCalDavType(account.type)) {
            if (SyncErrorCode::is(account.last_sync_error, SyncErrorCode::PasswordMissing))
                ++needPassword;
        }
    }
    qInfo().nospace() << "[Pill] refresh: oauthAccounts=" << oauthAccounts << " needAuth=" << needAuth
                      << " needPassword=" << needPassword;
    const int total = needAuth + needPassword;
    m_accountPill->setVisible(total >= 1);
    if (total == 0)
        return;
    if (needPassword == 0) {
        m_accountPill->setText(tr("%n account(s) need sign-in", nullptr, needAuth));
        m_accountPill->setToolTip(tr("Click to open Calendar Accounts and sign in."));
    } else if (needAuth == 0) {
        m_accountPill->setText(tr("%n account(s) need password", nullptr, needPassword));
        m_accountPill->setToolTip(tr("Click to open Calendar Accounts and re-enter the password."));
    } else {
        m_accountPill->setText(tr("%n account(s) need attention", nullptr, total));
        m_accountPill->setToolTip(tr("Click to open Calendar Accounts and resolve the issues."));
    }
}

void StatusPills::buildFiltersMenu()
{
    if (!m_filtersButton)
        return;
    const bool anyRule = !m_appState->filterRules()->getAll().isEmpty();
    m_filtersButton->show();
    updateFilterSummary();

    auto *menu = new QMenu(m_filtersButton);
    if (anyRule)
        addRuleEntries(menu);
    menu->addAction(tr("Add Filter…"), this, [this] {
        if (m_hooks.addFilter)
            m_hooks.addFilter();
    });
    if (anyRule) {
        menu->addAction(tr("Manage Filters…"), this, [this] {
            if (m_hooks.manageFilters)
                m_hooks.manageFilters();
        });
    }
    m_filtersButton->setMenu(menu);
    // The old menu may still be handling the click that changed the rules.
    if (m_filtersMenu)
        m_filtersMenu->deleteLater();
    m_filtersMenu = menu;
}

void StatusPills::addRuleEntries(QMenu *menu)
{
    FilterRuleRepository *repository = m_appState->filterRules();
    const QList<FilterRule> rules = repository->getAll();
    const bool allEnabled = std::all_of(rules.cbegin(), rules.cend(), [](const FilterRule &r) { return r.enabled; });
    // The choice is fixed now; a click acts only on the rules that differ.
    const bool target = !allEnabled;
    menu->addAction(allEnabled ? tr("Disable all filters") : tr("Enable all filters"), this,
                    [menu, repository, target] {
                        bool stored = true;
                        for (const FilterRule &rule : repository->getAll()) {
                            if (rule.enabled != target && !repository->setEnabled(rule.id, target))
                                stored = false;
                        }
                        if (!stored)
                            showFilterWriteFailure(menu->parentWidget());
                    });
    menu->addSeparator();
    for (const FilterRule &rule : rules) {
        QAction *entry = menu->addAction(rule.name);
        entry->setCheckable(true);
        entry->setChecked(rule.enabled);
        const QString id = rule.id;
        connect(entry, &QAction::toggled, this, [menu, repository, id](bool on) {
            if (!repository->setEnabled(id, on))
                showFilterWriteFailure(menu->parentWidget());
        });
    }
    menu->addSeparator();
}

void StatusPills::updateFilterSummary()
{
    if (!m_filtersButton)
        return;
    const QList<FilterRule> rules = m_appState->filterRules()->getAll();
    const int enabledCount =
        static_cast<int>(std::count_if(rules.cbegin(), rules.cend(), [](const FilterRule &r) { return r.enabled; }));
    QString text = rules.isEmpty() ? tr("No filters") : tr("%n filter(s) applied", nullptr, enabledCount);
    const int hidden = m_appState->filterHiddenCount();
    if (enabledCount > 0 && hidden > 0)
        text += QStringLiteral(" · ") + tr("%n hidden", nullptr, hidden);
    m_filtersButton->setText(text);
}
