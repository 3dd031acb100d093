#include "dialogs/accounts/sourcerows.h"

#include <QColor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/accountname.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "sync/core/syncerrorcode.h"
#include "sync/google/googleauthservice.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/webcal/webcalsyncclient.h"

namespace {

const QString kAmberStyle = QStringLiteral("color: #F59E0B; font-weight: 600;");

QColor colorOrDefault(const QString &text)
{
    const QColor color(text);
    return color.isValid() ? color : QColor(QStringLiteral("#4285F4"));
}

QToolButton *makeMenuButton(QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("rowMenuButton"));
    button->setIcon(Theme::tintedIcon(QChar(0xE5D4), 18, parent->palette().color(QPalette::WindowText)));
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFixedSize(28, 28);
    // No padding: the application's tool-button padding would squeeze the
    // icon of this small square button to a speck.
    button->setStyleSheet(QStringLiteral("QToolButton { border: none; border-radius: 6px; padding: 0; }"
                                         "QToolButton:hover { background: %1; }"
                                         "QToolButton::menu-indicator { image: none; width: 0; }")
                              .arg(Theme::surfaceMuted().name()));
    return button;
}

QLabel *makeBadge(const QString &text, QWidget *parent)
{
    auto *badge = new QLabel(text, parent);
    badge->setObjectName(QStringLiteral("badge"));
    QFont font = parent->font();
    font.setPointSize(qMax(font.pointSize() - 2, 8));
    font.setWeight(QFont::Bold);
    font.setCapitalization(QFont::AllUppercase);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    badge->setFont(font);
    badge->setAlignment(Qt::AlignCenter);
    badge->setStyleSheet(QStringLiteral("QLabel {  background: %1;  color: %2;  padding: 2px 8px;  border-radius: 8px;}")
                             .arg(Theme::surfaceMuted().name(), Theme::textMuted().name()));
    return badge;
}

void updateVisibilityIcon(VisibilityToggle *toggle)
{
    if (toggle->isChecked())
        toggle->setIcon(Theme::tintedIcon(QChar(0xE834), 20, Theme::accent()));
    else
        toggle->setIcon(Theme::tintedIcon(QChar(0xE835), 20, Theme::textMuted()));
}

void addAccountEntry(QMenu *menu, const QString &text, const QString &key, ManageSourcesDialog *dialog,
                     const QString &id)
{
    QObject::connect(menu->addAction(text), &QAction::triggered, dialog,
                     [dialog, key, id] { dialog->onAccountAction(key, id); });
}

void addCalendarEntry(QMenu *menu, const QString &text, const QString &key, ManageSourcesDialog *dialog,
                      const QString &id)
{
    QObject::connect(menu->addAction(text), &QAction::triggered, dialog,
                     [dialog, key, id] { dialog->onCalendarAction(key, id); });
}

// Google and Microsoft accounts whose tokens are gone or were refused.
bool needsSignIn(const Account &account)
{
    if (account.type != AccountType::Google && account.type != AccountType::Microsoft)
        return false;
    if (SyncErrorCode::is(account.last_sync_error, SyncErrorCode::SignInRequired))
        return true;
    if (account.type == AccountType::Google)
        return Google::AuthService::loadTokens(account.id).refreshToken.isEmpty();
    return Microsoft::AuthService::loadTokens(account.id).refreshToken.isEmpty();
}

} // namespace

QString providerLabel(AccountType type)
{
    if (type == AccountType::CalDav)
        return AccountRow::tr("CalDAV Server");
    if (type == AccountType::Tindlebrook)
        return AccountRow::tr("Tindlebrook Calendar");
    if (type == AccountType::Google)
        return QStringLiteral("Google");
    if (type == AccountType::Microsoft)
        return QStringLiteral("Microsoft");
    if (type == AccountType::ICloud)
        return QStringLiteral("iCloud");
    if (type == AccountType::Zoho)
        return QStringLiteral("Zoho");
    if (type == AccountType::Webcal)
        return QStringLiteral("Webcal");
    return toText(type);
}

AccountRow::AccountRow(const Account &account, ManageSourcesDialog *dialog, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("accountRow"));
    setMinimumHeight(64);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 12, 12, 12);
    layout->setSpacing(14);

    auto *avatar = new QLabel(this);
    avatar->setFixedSize(40, 40);
    avatar->setAlignment(Qt::AlignCenter);
    QFont glyphFont(Theme::fontFamily());
    glyphFont.setPixelSize(22);
    avatar->setFont(glyphFont);
    avatar->setText(QString(QChar(0xE2BD)));
    avatar->setStyleSheet(QStringLiteral("QLabel { background: %1; color: white; border-radius: 20px; }")
                              .arg(colorOrDefault(account.color).name()));
    layout->addWidget(avatar, 0, Qt::AlignVCenter);

    auto *texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(2);
    QLabel *title = PlainText::label(AccountName::shown(account), this);
    title->setObjectName(QStringLiteral("rowTitle"));
    QFont titleFont = title->font();
    titleFont.setWeight(QFont::Bold);
    titleFont.setPointSize(titleFont.pointSize() + 3);
    title->setFont(titleFont);
    texts->addWidget(title);

    const AccountType type = account.type;
    const bool google = type == AccountType::Google;
    const bool microsoft = type == AccountType::Microsoft;
    const bool caldav = type == AccountType::CalDav;
    const bool tindlebrook = type == AccountType::Tindlebrook;
    const bool webcal = type == AccountType::Webcal;
    const bool calDavFamily = caldav || type == AccountType::ICloud || type == AccountType::Zoho;
    const bool signInNeeded = needsSignIn(account);
    // Stored as a code, whatever the interface language.
    const bool passwordMissing = calDavFamily && account.enabled
        && SyncErrorCode::is(account.last_sync_error, SyncErrorCode::PasswordMissing);

    QLabel *status = PlainText::label(QString(), this);
    status->setObjectName(QStringLiteral("rowStatus"));
    const QString label = type == AccountType::Unknown ? account.unknown_type : providerLabel(type);
    if (signInNeeded) {
        status->setText(tr("%1 · sign in needed").arg(label));
        status->setStyleSheet(kAmberStyle);
    } else if (passwordMissing) {
        status->setText(tr("%1 · password needed").arg(label));
        status->setStyleSheet(kAmberStyle);
    } else {
        status->setText(label);
        status->setProperty("muted", true);
        status->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    }
    texts->addWidget(status);
    layout->addLayout(texts, 1);

    QToolButton *button = makeMenuButton(this);
    auto *menu = new QMenu(button);
    const QString id = account.id;
    if (signInNeeded) {
        connect(menu->addAction(tr("Sign in…")), &QAction::triggered, dialog,
                [dialog, id] { dialog->signInAccount(id); });
        menu->addSeparator();
    }
    const bool canSync = caldav || tindlebrook || google || microsoft || webcal;
    if (canSync && !signInNeeded)
        addAccountEntry(menu, tr("Sync now"), QStringLiteral("sync"), dialog, id);
    if (caldav)
        addAccountEntry(menu, tr("Refresh calendars"), QStringLiteral("refresh"), dialog, id);
    addAccountEntry(menu, tr("Edit account…"), QStringLiteral("edit"), dialog, id);
    if (tindlebrook || caldav)
        addAccountEntry(menu, tr("Add calendar…"), QStringLiteral("addcal"), dialog, id);
    menu->addSeparator();
    addAccountEntry(menu, tr("Move up"), QStringLiteral("up"), dialog, id);
    addAccountEntry(menu, tr("Move down"), QStringLiteral("down"), dialog, id);
    menu->addSeparator();
    addAccountEntry(menu, tr("Remove account…"), QStringLiteral("remove"), dialog, id);
    button->setMenu(menu);
    layout->addWidget(button);
}

VisibilityToggle::VisibilityToggle(QWidget *parent)
    : QToolButton(parent)
{
}

CalendarRow::CalendarRow(const Calendar &calendar, bool cloudAccount, ManageSourcesDialog *dialog, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("calendarRow"));
    setMinimumHeight(40);
    auto *layout = new QHBoxLayout(this);
    // The indent places calendars under their account.
    layout->setContentsMargins(48, 8, 12, 8);
    layout->setSpacing(10);

    auto *toggle = new VisibilityToggle(this);
    toggle->setObjectName(QStringLiteral("visibilityToggle"));
    toggle->setCheckable(true);
    toggle->setChecked(calendar.is_visible);
    toggle->setAutoRaise(true);
    toggle->setCursor(Qt::PointingHandCursor);
    toggle->setFixedSize(24, 24);
    toggle->setIconSize(QSize(20, 20));
    toggle->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; background: transparent; }"
                                         "QToolButton:focus { outline: none; }"));
    toggle->setToolTip(tr("Show this calendar in views"));
    updateVisibilityIcon(toggle);
    const QString id = calendar.id;
    connect(toggle, &QToolButton::toggled, toggle, [toggle] { updateVisibilityIcon(toggle); });
    connect(toggle, &QToolButton::toggled, dialog,
            [dialog, id](bool checked) { dialog->setCalendarVisible(id, checked); });
    layout->addWidget(toggle);

    QPixmap dot(12, 12);
    dot.fill(Qt::transparent);
    {
        QPainter painter(&dot);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colorOrDefault(calendar.color));
        painter.drawEllipse(0, 0, 11, 11);
    }
    auto *dotLabel = new QLabel(this);
    dotLabel->setObjectName(QStringLiteral("colorDot"));
    dotLabel->setPixmap(dot);
    dotLabel->setFixedWidth(16);
    layout->addWidget(dotLabel);

    QLabel *name = PlainText::label(calendar.name, this);
    name->setObjectName(QStringLiteral("rowTitle"));
    if (!calendar.is_visible) {
        QFont italic = name->font();
        italic.setItalic(true);
        name->setFont(italic);
        name->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    }
    layout->addWidget(name, 1);

    // Known by its cross-device key, but this device cannot sync it yet. A
    // feed (webcal, holidays) has no account to sign in to.
    const bool feed = calendar.account_id == QLatin1String(Webcal::SyncClient::SubscriptionsAccountId);
    if (!calendar.canonical_key.isEmpty() && calendar.is_read_only && !calendar.sync_enabled && !feed) {
        auto *signIn = new QLabel(tr("Sign in to sync"), this);
        signIn->setObjectName(QStringLiteral("signInToSync"));
        signIn->setStyleSheet(kAmberStyle);
        layout->addWidget(signIn);
    }
    if (calendar.is_default)
        layout->addWidget(makeBadge(tr("Default"), this));

    QToolButton *button = makeMenuButton(this);
    auto *menu = new QMenu(button);
    addCalendarEntry(menu, tr("Edit calendar…"), QStringLiteral("edit"), dialog, id);
    if (!calendar.is_default && calendar.is_visible)
        addCalendarEntry(menu, tr("Set as default"), QStringLiteral("default"), dialog, id);
    if (cloudAccount)
        addCalendarEntry(menu, tr("Share…"), QStringLiteral("share"), dialog, id);
    menu->addSeparator();
    addCalendarEntry(menu, tr("Remove calendar…"), QStringLiteral("remove"), dialog, id);
    button->setMenu(menu);
    layout->addWidget(button);
}
