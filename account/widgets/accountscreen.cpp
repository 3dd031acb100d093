#include "account/widgets/accountscreen.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "account/accountclient.h"
#include "account/authclient.h"
#include "account/client.h"
#include "account/widgets/accountscreenparts.h"
#include "app/theme/plaintext.h"

namespace TindAccount {

using namespace ScreenParts;

namespace {

QString sidebarStyle()
{
    const QPalette palette = QApplication::palette();
    const QColor window = palette.color(QPalette::Window);
    const bool dark = window.lightness() < 128;
    const QColor alternate = palette.color(QPalette::AlternateBase);
    const QColor background = alternate.isValid() ? alternate : (dark ? window.lighter(115) : window.lighter(97));
    const QColor hover = dark ? window.lighter(135) : window.darker(105);
    return QStringLiteral("QListWidget {  background: %1; border: none; padding: 12px 8px;}QListWidget::item {  "
                          "padding: 8px 12px; border-radius: 6px;}QListWidget::item:hover { background: %2; "
                          "}QListWidget::item:selected { background: %3; color: %4; }")
        .arg(background.name(), hover.name(), palette.color(QPalette::Highlight).name(),
             palette.color(QPalette::HighlightedText).name());
}

QVBoxLayout *pageFrame(const QString &title, QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(8);
    layout->addWidget(label(title, page, 4, 600));
    layout->addSpacing(12);
    return layout;
}

QHBoxLayout *indentedRow(int left = 12)
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(left, 0, 0, 0);
    return row;
}

} // namespace

AccountScreen::AccountScreen(Client *client, QWidget *parent)
    : QWidget(parent)
    , m_client(client)
{
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_sidebar = new QListWidget(this);
    m_sidebar->setObjectName(QStringLiteral("accountSidebar"));
    m_sidebar->setFixedWidth(180);
    m_sidebar->setFrameShape(QFrame::NoFrame);
    m_sidebar->setFocusPolicy(Qt::NoFocus);
    m_sidebar->setSpacing(2);
    m_sidebar->setStyleSheet(sidebarStyle());
    outer->addWidget(m_sidebar);

    auto *right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    m_pages = new QStackedWidget(this);
    right->addWidget(m_pages, 1);
    m_status = PlainText::label(QString(), this);
    m_status->setObjectName(QStringLiteral("accountStatus"));
    m_status->setFixedHeight(24);
    m_status->setFont(adjustedFont(m_status->font(), -1));
    right->addWidget(m_status);
    outer->addLayout(right, 1);

    m_pages->addWidget(buildProfilePage());
    m_pages->addWidget(buildListPage(QStringLiteral("Group"), &m_groupLayout, &m_groupContainer));
    m_pages->addWidget(buildListPage(QStringLiteral("Devices"), &m_devicesLayout, &m_devicesContainer));
    m_pages->addWidget(buildListPage(QStringLiteral("Security"), &m_sessionsLayout, &m_sessionsContainer));
    m_pages->addWidget(buildPrivacyPage());
    for (const char *name : {"Profile", "Group", "Devices", "Security", "Data & Privacy"})
        m_sidebar->addItem(QString::fromLatin1(name));
    connect(m_sidebar, &QListWidget::currentRowChanged, m_pages, &QStackedWidget::setCurrentIndex);
    m_sidebar->setCurrentRow(0);
}

QWidget *AccountScreen::buildProfilePage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("profilePage"));
    QVBoxLayout *layout = pageFrame(QStringLiteral("Profile"), page);
    layout->addWidget(section(QStringLiteral("Personal Information"), QString(), page));
    auto *identity = new QVBoxLayout;
    identity->setContentsMargins(12, 0, 0, 0);
    identity->setSpacing(6);
    m_nameLabel = PlainText::label(QString(), page);
    m_nameLabel->setObjectName(QStringLiteral("nameLabel"));
    m_emailLabel = mutedLabel(QString(), page);
    m_emailLabel->setObjectName(QStringLiteral("emailLabel"));
    identity->addWidget(m_nameLabel);
    identity->addWidget(m_emailLabel);
    layout->addLayout(identity);
    layout->addSpacing(8);

    QHBoxLayout *actions = indentedRow();
    m_editNameButton = button(QStringLiteral("Edit Display Name"), QStringLiteral("editNameButton"), page);
    auto *signOut = button(QStringLiteral("Sign Out"), QStringLiteral("signOutButton"), page);
    actions->addWidget(m_editNameButton);
    actions->addStretch(1);
    actions->addWidget(signOut);
    layout->addLayout(actions);
    layout->addSpacing(16);
    layout->addWidget(separator(page));
    layout->addSpacing(8);
    layout->addWidget(section(QStringLiteral("Password"), QStringLiteral("Change your account password."), page));
    QHBoxLayout *passwordRow = indentedRow();
    m_changePasswordButton = button(QStringLiteral("Change Password"), QStringLiteral("changePasswordButton"), page);
    passwordRow->addWidget(m_changePasswordButton);
    passwordRow->addStretch(1);
    layout->addLayout(passwordRow);
    layout->addStretch(1);

    connect(m_editNameButton, &QPushButton::clicked, this, [this] { editDisplayName(); });
    connect(signOut, &QPushButton::clicked, this, [this] { Q_EMIT logoutRequested(); });
    connect(m_changePasswordButton, &QPushButton::clicked, this, [this] { changePassword(); });
    return page;
}

QWidget *AccountScreen::buildListPage(const QString &title, QVBoxLayout **layout, QWidget **container)
{
    auto *page = new QWidget(this);
    page->setObjectName(title.toLower() + QStringLiteral("Page"));
    *layout = pageFrame(title, page);
    *container = new QWidget(page);
    (*layout)->addWidget(*container);
    (*layout)->addStretch(1);
    return page;
}

QWidget *AccountScreen::buildPrivacyPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("privacyPage"));
    QVBoxLayout *layout = pageFrame(QStringLiteral("Data & Privacy"), page);
    layout->addWidget(section(QStringLiteral("Danger Zone"),
                              QStringLiteral("Permanently delete your account. This cannot be undone after 30 days."),
                              page));
    auto *remove = button(QStringLiteral("Delete Account"), QStringLiteral("deleteAccountButton"), page);
    remove->setStyleSheet(QStringLiteral("QPushButton { color: white; background: #C62828; border: none;  "
                                         "border-radius: 4px; padding: 6px 16px; font-weight: 600; "
                                         "}QPushButton:hover { background: #B71C1C; }QPushButton:disabled { "
                                         "background: #666; }"));
    if (viewerIsOwner()) {
        remove->setEnabled(false);
        QLabel *note = mutedLabel(QStringLiteral("You are the group owner. Transfer ownership or remove all members "
                                                 "before deleting your account."),
                                  page);
        note->setObjectName(QStringLiteral("ownerNote"));
        note->setWordWrap(true);
        note->setFont(adjustedFont(note->font(), -1));
        note->setContentsMargins(12, 0, 0, 0);
        layout->addWidget(note);
    }
    QHBoxLayout *row = indentedRow();
    row->addWidget(remove);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);
    connect(remove, &QPushButton::clicked, this, [this] { deleteAccount(); });
    return page;
}

bool AccountScreen::viewerIsOwner() const
{
    return m_client && m_client->claims().role == QLatin1String("owner");
}

void AccountScreen::refreshAll()
{
    refreshProfile();
    refreshGroup();
    refreshDevices();
    refreshSessions();
}

void AccountScreen::refreshProfile()
{
    QPointer<AccountScreen> self(this);
    m_client->authClient()->fetchCurrentUser([self](const User &user) {
        if (self)
            self->showUser(user);
    });
}

void AccountScreen::refreshGroup()
{
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->getGroup([self](const Group &group) {
        if (self)
            self->populateGroup(group);
    });
}

void AccountScreen::refreshDevices()
{
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->getDevices([self](const QList<Device> &devices) {
        if (self)
            self->populateDevices(devices);
    });
}

void AccountScreen::refreshSessions()
{
    QPointer<AccountScreen> self(this);
    m_client->authClient()->listSessions([self](const QList<Session> &sessions) {
        if (self)
            self->populateSessions(sessions);
    });
}

void AccountScreen::showUser(const User &user)
{
    m_nameLabel->setText(user.display_name.isEmpty() ? QStringLiteral("(not set)") : user.display_name);
    m_emailLabel->setText(user.email);
}

QVBoxLayout *AccountScreen::replaceContainer(QVBoxLayout *pageLayout, QWidget **container, int spacing)
{
    // Deleted at once, so no row of the old content outlives the rebuild.
    delete *container;
    *container = new QWidget(pageLayout->parentWidget());
    auto *layout = new QVBoxLayout(*container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    pageLayout->insertWidget(2, *container);
    return layout;
}

void AccountScreen::populateGroup(const Group &group)
{
    QVBoxLayout *layout = replaceContainer(m_groupLayout, &m_groupContainer, 8);
    QWidget *host = m_groupContainer;
    if (group.id.isEmpty()) {
        layout->addWidget(section(QStringLiteral("No Group"),
                                  QStringLiteral("You're not part of a group. The group owner can invite you, or you "
                                                 "can join with an invite code."),
                                  host));
        auto *row = new QHBoxLayout;
        auto *join = button(QStringLiteral("Join with Invite Code"), QStringLiteral("joinGroupButton"), host);
        connect(join, &QPushButton::clicked, this, [this] { joinGroup(); });
        row->addWidget(join);
        row->addStretch(1);
        layout->addLayout(row);
        return;
    }
    layout->addWidget(section(group.name,
                              QStringLiteral("%1 of %2 seats used")
                                  .arg(QString::number(group.members.size()), QString::number(group.max_seats)),
                              host));
    layout->addSpacing(4);
    layout->addWidget(label(QStringLiteral("Members"), host, 0, 500));
    const bool owner = viewerIsOwner();
    addMemberRows(layout, group, owner);
    if (owner) {
        addOwnerRows(layout, group);
        return;
    }
    layout->addSpacing(12);
    layout->addWidget(separator(host));
    layout->addSpacing(4);
    QHBoxLayout *row = indentedRow();
    auto *leave = button(QStringLiteral("Leave Group"), QStringLiteral("leaveGroupButton"), host);
    connect(leave, &QPushButton::clicked, this, [this] { leaveGroup(); });
    row->addWidget(leave);
    row->addStretch(1);
    layout->addLayout(row);
}

void AccountScreen::addMemberRows(QVBoxLayout *layout, const Group &group, bool owner)
{
    QWidget *host = m_groupContainer;
    for (const GroupMember &member : group.members) {
        auto *row = new QHBoxLayout;
        row->setContentsMargins(12, 6, 0, 6);
        auto *block = new QVBoxLayout;
        block->setSpacing(2);
        const QString first = member.display_name.isEmpty() ? member.email : member.display_name;
        block->addWidget(label(first, host, 0, 500));
        if (!member.email.isEmpty() && member.email != first) {
            QLabel *email = mutedLabel(member.email, host);
            email->setFont(adjustedFont(email->font(), -1));
            block->addWidget(email);
        }
        row->addLayout(block);
        row->addStretch(1);
        const bool memberIsOwner = member.role == QLatin1String("owner");
        if (memberIsOwner) {
            QLabel *badge = label(QStringLiteral("Owner"), host, -2, 500);
            badge->setStyleSheet(QStringLiteral("color: #00897B;"));
            row->addWidget(badge);
        }
        if (owner && !memberIsOwner) {
            auto *remove = button(QStringLiteral("Remove"), QStringLiteral("removeMemberButton"), host);
            const QString accountId = member.account_id;
            connect(remove, &QPushButton::clicked, this, [this, accountId, first] { removeMember(accountId, first); });
            row->addWidget(remove);
        }
        layout->addLayout(row);
    }
}

void AccountScreen::addOwnerRows(QVBoxLayout *layout, const Group &group)
{
    QWidget *host = m_groupContainer;
    if (!group.pending_invitations.isEmpty()) {
        layout->addSpacing(8);
        layout->addWidget(separator(host));
        layout->addSpacing(4);
        layout->addWidget(label(QStringLiteral("Pending Invitations"), host, 0, 500));
        for (const GroupInvitation &invitation : group.pending_invitations) {
            auto *row = new QHBoxLayout;
            row->setContentsMargins(12, 4, 0, 4);
            row->addWidget(PlainText::label(invitation.invited_email.isEmpty()
                                                ? QStringLiteral("Invite code: %1").arg(invitation.invite_code)
                                                : invitation.invited_email,
                                            host));
            row->addStretch(1);
            auto *revoke = button(QStringLiteral("Revoke"), QStringLiteral("revokeInvitationButton"), host);
            const QString id = invitation.id;
            connect(revoke, &QPushButton::clicked, this, [this, id] { revokeInvitation(id); });
            row->addWidget(revoke);
            layout->addLayout(row);
        }
    }
    layout->addSpacing(12);
    layout->addWidget(separator(host));
    layout->addSpacing(4);
    layout->addWidget(section(QStringLiteral("Invite Members"), QString(), host));
    QHBoxLayout *row = indentedRow();
    row->setSpacing(8);
    auto *byEmail = button(QStringLiteral("Invite by Email"), QStringLiteral("inviteByEmailButton"), host);
    auto *code = button(QStringLiteral("Generate Invite Code"), QStringLiteral("generateCodeButton"), host);
    connect(byEmail, &QPushButton::clicked, this, [this] { inviteByEmail(); });
    connect(code, &QPushButton::clicked, this, [this] { generateInviteCode(); });
    row->addWidget(byEmail);
    row->addWidget(code);
    row->addStretch(1);
    layout->addLayout(row);
}

void AccountScreen::populateDevices(const QList<Device> &devices)
{
    QVBoxLayout *layout = replaceContainer(m_devicesLayout, &m_devicesContainer, 4);
    QWidget *host = m_devicesContainer;
    layout->addWidget(section(QStringLiteral("Registered Devices"),
                              QStringLiteral("Devices that have synced with your account."), host));
    if (devices.isEmpty()) {
        QLabel *none = mutedLabel(QStringLiteral("No devices registered."), host);
        none->setContentsMargins(12, 0, 0, 0);
        layout->addWidget(none);
        return;
    }
    for (const Device &device : devices) {
        auto *row = new QHBoxLayout;
        row->setContentsMargins(12, 6, 0, 6);
        auto *block = new QVBoxLayout;
        block->setSpacing(2);
        // Bold markup around a name that is shown as typed.
        const QString shown = device.device_name.isEmpty() ? QStringLiteral("Unknown Device") : device.device_name;
        auto *title = new QLabel(QStringLiteral("<b>%1</b>").arg(shown.toHtmlEscaped()), host);
        title->setTextFormat(Qt::RichText);
        block->addWidget(title);
        QString platform = device.platform;
        if (!device.app_version.isEmpty())
            platform += QStringLiteral("  \u00B7  v%1").arg(device.app_version);
        for (const QString &text : {platform, formatLastActive(device.last_sync_at)}) {
            QLabel *line = mutedLabel(text, host);
            line->setFont(adjustedFont(line->font(), -1));
            block->addWidget(line);
        }
        row->addLayout(block);
        row->addStretch(1);
        auto *remove = button(QStringLiteral("Remove"), QStringLiteral("removeDeviceButton"), host);
        const QString id = device.id;
        const QString name = device.device_name;
        connect(remove, &QPushButton::clicked, this, [this, id, name] { removeDevice(id, name); });
        row->addWidget(remove);
        layout->addLayout(row);
        layout->addWidget(separator(host));
    }
}

void AccountScreen::populateSessions(const QList<Session> &sessions)
{
    QVBoxLayout *layout = replaceContainer(m_sessionsLayout, &m_sessionsContainer, 8);
    QWidget *host = m_sessionsContainer;
    layout->addWidget(section(QStringLiteral("Active Sessions"),
                              QStringLiteral("Sessions currently signed in to your account."), host));
    if (sessions.isEmpty()) {
        auto *none = new QLabel(QStringLiteral("No active sessions."), host);
        none->setContentsMargins(12, 0, 0, 0);
        layout->addWidget(none);
        return;
    }
    for (const Session &session : sessions) {
        auto *row = new QHBoxLayout;
        row->setContentsMargins(12, 6, 0, 6);
        auto *block = new QVBoxLayout;
        block->setSpacing(2);
        QString client = session.user_agent;
        if (client.isEmpty())
            client = QStringLiteral("Unknown client");
        else if (client.size() > 60)
            client = client.left(60) + QStringLiteral("...");
        block->addWidget(label(client, host, 0, 500));
        QString detail = session.is_current ? QStringLiteral("This session") : formatLastActive(session.last_active_at);
        if (!session.ip_address.isEmpty())
            detail += QStringLiteral("  \u00B7  %1").arg(session.ip_address);
        QLabel *line = mutedLabel(detail, host);
        line->setFont(adjustedFont(line->font(), -1));
        block->addWidget(line);
        row->addLayout(block);
        row->addStretch(1);
        if (session.is_current) {
            QLabel *current = label(QStringLiteral("Current"), host, 0, 500);
            current->setStyleSheet(QStringLiteral("color: #2E7D32;"));
            row->addWidget(current);
        } else {
            auto *revoke = button(QStringLiteral("Revoke"), QStringLiteral("revokeSessionButton"), host);
            const QString id = session.id;
            connect(revoke, &QPushButton::clicked, this, [this, id] { revokeSession(id); });
            row->addWidget(revoke);
        }
        layout->addLayout(row);
        layout->addWidget(separator(host));
    }
}

void AccountScreen::showError(const QString &text)
{
    m_status->setStyleSheet(QStringLiteral("color: #C62828; padding: 4px;"));
    m_status->setText(text);
    QTimer::singleShot(4000, m_status, [label = m_status] { label->clear(); });
}

void AccountScreen::showSuccess(const QString &text)
{
    m_status->setStyleSheet(QStringLiteral("color: #2E7D32; padding: 4px;"));
    m_status->setText(text);
    QTimer::singleShot(3000, m_status, [label = m_status] { label->clear(); });
}

QString AccountScreen::formatLastActive(const QDateTime &time, const QDateTime &nowUtc)
{
    if (!time.isValid())
        return QStringLiteral("Unknown");
    const qint64 seconds = time.secsTo(nowUtc);
    if (seconds < 60)
        return QStringLiteral("Active now");
    if (seconds < 3600)
        return QStringLiteral("%1m ago").arg(seconds / 60);
    if (seconds < 86400)
        return QStringLiteral("%1h ago").arg(seconds / 3600);
    if (seconds < 604800)
        return QStringLiteral("%1d ago").arg(seconds / 86400);
    return time.toLocalTime().toString(QStringLiteral("MMM d, yyyy"));
}

} // namespace TindAccount
