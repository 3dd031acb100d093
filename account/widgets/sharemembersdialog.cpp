#include "account/widgets/sharemembersdialog.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QToolButton>
#include <QVBoxLayout>

#include "account/accountclient.h"
#include "account/client.h"
#include "app/theme/plaintext.h"

#include <algorithm>

namespace TindAccount {

namespace {

QString orDefault(const QString &given, const QString &builtIn)
{
    return given.isEmpty() ? builtIn : given;
}

QColor placeholderColor()
{
    return QApplication::palette().color(QPalette::PlaceholderText);
}

QLabel *placeholderLabel(const QString &text, QWidget *parent)
{
    QLabel *label = PlainText::label(text, parent);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(placeholderColor().name(QColor::HexArgb)));
    return label;
}

QFont weighted(QFont font, int weight, int delta = 0)
{
    font.setWeight(QFont::Weight(weight));
    if (delta != 0 && font.pointSize() > 0)
        font.setPointSize(font.pointSize() + delta);
    return font;
}

// Name and, when it adds something, the e-mail under it.
QWidget *personBlock(const QString &name, const QString &email, QWidget *parent)
{
    auto *block = new QWidget(parent);
    auto *layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QLabel *nameLabel = PlainText::label(name, block);
    nameLabel->setObjectName(QStringLiteral("personName"));
    nameLabel->setFont(weighted(nameLabel->font(), 500));
    layout->addWidget(nameLabel);
    if (!email.isEmpty() && email != name) {
        QLabel *emailLabel = placeholderLabel(email, block);
        emailLabel->setObjectName(QStringLiteral("personEmail"));
        layout->addWidget(emailLabel);
    }
    return block;
}

void clearLayout(QVBoxLayout *layout)
{
    while (QLayoutItem *item = layout->takeAt(0)) {
        if (QWidget *widget = item->widget())
            widget->deleteLater();
        delete item;
    }
}

} // namespace

ShareMembersDialog::ShareMembersDialog(Client *client, SharingBackend *backend, const QString &calendarId,
                                       const Texts &texts, QWidget *parent)
    : QDialog(parent)
    , m_client(client)
    , m_backend(backend)
    , m_calendarId(calendarId)
    , m_texts(texts)
{
    setWindowTitle(m_texts.title);
    setMinimumSize(560, 560);
    resize(620, 620);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(12);
    if (!m_texts.heading.isEmpty()) {
        QLabel *heading = PlainText::label(m_texts.heading, this);
        heading->setObjectName(QStringLiteral("shareHeading"));
        heading->setWordWrap(true);
        heading->setFont(weighted(heading->font(), 600, 2));
        layout->addWidget(heading);
    }
    if (!m_texts.intro.isEmpty())
        layout->addWidget(placeholderLabel(m_texts.intro, this));
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet(QStringLiteral("color: rgba(128,128,128,0.25);"));
    layout->addWidget(line);
    m_errorLabel = PlainText::label(QString(), this);
    m_errorLabel->setObjectName(QStringLiteral("shareError"));
    m_errorLabel->setWordWrap(true);
    m_errorLabel->setStyleSheet(QStringLiteral("QLabel { color: #b00020; padding: 4px 0; }"));
    m_errorLabel->hide();
    layout->addWidget(m_errorLabel);

    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto *content = new QWidget(scroll);
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(8);

    auto *shared = new QVBoxLayout;
    shared->setContentsMargins(0, 0, 0, 0);
    shared->setSpacing(4);
    auto *sharedTitle = new QLabel(orDefault(m_texts.sharedSectionTitle, tr("People with access")), content);
    sharedTitle->setFont(weighted(sharedTitle->font(), 600));
    shared->addWidget(sharedTitle);
    m_sharedList = new QVBoxLayout;
    m_sharedList->setContentsMargins(0, 0, 0, 0);
    m_sharedList->setSpacing(2);
    shared->addLayout(m_sharedList);
    contentLayout->addLayout(shared);

    auto *add = new QVBoxLayout;
    add->setContentsMargins(0, 8, 0, 0);
    add->setSpacing(4);
    auto *addTitle = new QLabel(orDefault(m_texts.addSectionTitle, tr("Add people")), content);
    addTitle->setFont(weighted(addTitle->font(), 600));
    add->addWidget(addTitle);
    m_addList = new QVBoxLayout;
    m_addList->setContentsMargins(0, 0, 0, 0);
    m_addList->setSpacing(2);
    add->addLayout(m_addList);
    m_noGroupLabel = placeholderLabel(m_texts.noGroupText, content);
    m_noGroupLabel->setObjectName(QStringLiteral("noGroupLabel"));
    m_noGroupLabel->setContentsMargins(0, 8, 0, 0);
    m_noGroupLabel->hide();
    add->addWidget(m_noGroupLabel);
    m_allHaveAccessLabel =
        placeholderLabel(orDefault(m_texts.allHaveAccessText, tr("All group members already have access")), content);
    m_allHaveAccessLabel->setObjectName(QStringLiteral("allHaveAccessLabel"));
    m_allHaveAccessLabel->setContentsMargins(0, 8, 0, 0);
    m_allHaveAccessLabel->hide();
    add->addWidget(m_allHaveAccessLabel);
    contentLayout->addLayout(add);
    contentLayout->addStretch(1);
    scroll->setWidget(content);
    layout->addWidget(scroll, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    auto *close = new QPushButton(orDefault(m_texts.closeButtonText, tr("Close")), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    reload();
}

void ShareMembersDialog::reload()
{
    loadGroupMembers();
    loadShares();
}

void ShareMembersDialog::loadGroupMembers()
{
    QPointer<ShareMembersDialog> self(this);
    AccountClient *account = m_client->accountClient();
    account->getProfile([self, account](const Profile &profile) {
        if (!self)
            return;
        self->m_currentUserId = profile.id;
        account->getGroup([self](const Group &group) {
            if (!self)
                return;
            self->m_groupMembers = group.members;
            self->populateShares();
        });
    });
}

void ShareMembersDialog::loadShares()
{
    QPointer<ShareMembersDialog> self(this);
    m_backend->listMembers(m_calendarId, [self](const QList<ShareMember> &shares) {
        if (!self)
            return;
        self->m_shares = shares;
        self->populateShares();
    });
}

void ShareMembersDialog::populateShares()
{
    clearLayout(m_sharedList);
    clearLayout(m_addList);

    QSet<QString> sharedIds;
    for (const ShareMember &share : std::as_const(m_shares)) {
        // The calendar's owner is not a share the user can withdraw.
        if (share.role == QLatin1String("owner"))
            continue;
        sharedIds.insert(share.user_id);
        m_sharedList->addWidget(makeShareRow(share));
    }
    if (sharedIds.isEmpty()) {
        QLabel *none = placeholderLabel(orDefault(m_texts.noSharesText, tr("Not shared with anyone yet.")),
                                        m_sharedList->parentWidget());
        none->setObjectName(QStringLiteral("noSharesLabel"));
        none->setContentsMargins(0, 4, 0, 4);
        m_sharedList->addWidget(none);
    }

    if (m_groupMembers.isEmpty()) {
        m_noGroupLabel->show();
        m_allHaveAccessLabel->hide();
        return;
    }
    QString selfId;
    for (const GroupMember &member : std::as_const(m_groupMembers)) {
        if (member.account_id == m_currentUserId) {
            selfId = m_backend->resolveMemberId(member.account_id);
            break;
        }
    }
    int candidates = 0;
    for (const GroupMember &member : std::as_const(m_groupMembers)) {
        const QString id = m_backend->resolveMemberId(member.account_id);
        if (id == selfId || sharedIds.contains(id))
            continue;
        m_addList->addWidget(makeCandidateRow(member));
        ++candidates;
    }
    m_noGroupLabel->hide();
    m_allHaveAccessLabel->setVisible(candidates == 0);
}

QWidget *ShareMembersDialog::makeCandidateRow(const GroupMember &member)
{
    auto *row = new QWidget(m_addList->parentWidget());
    row->setObjectName(QStringLiteral("candidateRow"));
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(10);
    QColor color = QApplication::palette().color(QPalette::Highlight);
    color.setAlphaF(0.55);
    layout->addWidget(makeAvatar(initialsFor(member.display_name, member.email), color, 36, row));
    const QString name = member.display_name.isEmpty() ? member.email : member.display_name;
    layout->addWidget(personBlock(name, member.display_name.isEmpty() ? QString() : member.email, row), 1);
    auto *share = new QPushButton(orDefault(m_texts.shareButtonText, tr("Share")), row);
    share->setObjectName(QStringLiteral("shareButton"));
    share->setCursor(Qt::PointingHandCursor);
    const QString userId = m_backend->resolveMemberId(member.account_id);
    connect(share, &QPushButton::clicked, this, [this, userId, name] { shareWithMember(userId, name); });
    layout->addWidget(share);
    return row;
}

QWidget *ShareMembersDialog::makeShareRow(const ShareMember &share)
{
    QString displayName = share.display_name;
    QString email = share.email;
    if (displayName.isEmpty() || email.isEmpty()) {
        for (const GroupMember &member : std::as_const(m_groupMembers)) {
            if (m_backend->resolveMemberId(member.account_id) != share.user_id)
                continue;
            if (displayName.isEmpty())
                displayName = member.display_name;
            if (email.isEmpty())
                email = member.email;
            break;
        }
    }
    const QString name = !displayName.isEmpty() ? displayName : !email.isEmpty() ? email : share.user_id;
    auto *row = new QWidget(m_sharedList->parentWidget());
    row->setObjectName(QStringLiteral("shareRow"));
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(10);
    layout->addWidget(
        makeAvatar(initialsFor(displayName, email), QApplication::palette().color(QPalette::Highlight), 36, row));
    layout->addWidget(personBlock(name, email, row), 1);
    auto *remove = new QToolButton(row);
    remove->setObjectName(QStringLiteral("removeShareButton"));
    remove->setText(QStringLiteral("×"));
    remove->setAutoRaise(true);
    remove->setCursor(Qt::PointingHandCursor);
    remove->setFixedSize(28, 28);
    // The application's tool-button padding would leave no room for the mark.
    remove->setStyleSheet(QStringLiteral("QToolButton { padding: 0px; }"));
    QFont font = remove->font();
    if (font.pointSize() > 0)
        font.setPointSize(font.pointSize() + 4);
    remove->setFont(font);
    remove->setToolTip(orDefault(m_texts.removeButtonTip, tr("Remove access")));
    const QString userId = share.id;
    connect(remove, &QToolButton::clicked, this, [this, userId, name] { removeShare(userId, name); });
    layout->addWidget(remove);
    return row;
}

QString ShareMembersDialog::initialsFor(const QString &displayName, const QString &email)
{
    if (displayName.isEmpty())
        return email.isEmpty() ? QStringLiteral("?") : email.left(1).toUpper();
    const QStringList parts = displayName.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() >= 2)
        return (parts.first().left(1) + parts.last().left(1)).toUpper();
    return displayName.left(1).toUpper();
}

QLabel *ShareMembersDialog::makeAvatar(const QString &initials, const QColor &color, int size, QWidget *parent)
{
    QLabel *avatar = PlainText::label(initials, parent);
    avatar->setObjectName(QStringLiteral("avatar"));
    avatar->setAlignment(Qt::AlignCenter);
    avatar->setFixedSize(size, size);
    avatar->setStyleSheet(
        QStringLiteral("QLabel { background: %1; color: white; border-radius: %2px; font-weight: 600; }")
            .arg(color.name(QColor::HexArgb))
            .arg(size / 2));
    QFont font = avatar->font();
    font.setPointSize(std::max(8, size / 3));
    avatar->setFont(font);
    return avatar;
}

void ShareMembersDialog::showError(const QString &text)
{
    m_errorLabel->setText(text);
    m_errorLabel->show();
}

void ShareMembersDialog::shareWithMember(const QString &userId, const QString &name)
{
    if (m_busy)
        return;
    m_busy = true;
    m_errorLabel->hide();
    QPointer<ShareMembersDialog> self(this);
    m_backend->shareWith(m_calendarId, userId, m_texts.shareRole, [self, name](bool ok, const QString &error) {
        if (!self)
            return;
        self->m_busy = false;
        if (!ok) {
            self->showError(error.isEmpty() ? tr("Could not share with %1.").arg(name) : error);
            return;
        }
        Q_EMIT self->sharingChanged();
        self->reload();
    });
}

void ShareMembersDialog::removeShare(const QString &userId, const QString &name)
{
    if (m_busy)
        return;
    const QString title = orDefault(m_texts.removeConfirmTitle, tr("Remove access?"));
    const QString text = orDefault(m_texts.removeConfirmText, tr("%1 will no longer have access. Continue?")).arg(name);
    if (PlainText::question(this, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    m_busy = true;
    m_errorLabel->hide();
    QPointer<ShareMembersDialog> self(this);
    m_backend->removeShare(m_calendarId, userId, [self, name](bool ok) {
        if (!self)
            return;
        self->m_busy = false;
        if (!ok) {
            self->showError(tr("Could not remove %1.").arg(name));
            return;
        }
        Q_EMIT self->sharingChanged();
        self->reload();
    });
}

} // namespace TindAccount
