#include "dialogs/accounts/managesourcesdialog.h"

#include <QAction>
#include <QDateTime>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/secrets/oauthbuildsettings.h"
#include "app/theme/theme.h"
#include "dialogs/editing/calendarformdialog.h"
#include "dialogs/accounts/accountformdialog.h"
#include "dialogs/accounts/caldavconnectiondialog.h"
#include "dialogs/accounts/sourcerows.h"
#include "dialogs/accounts/holidaypickerdialog.h"
#include "dialogs/accounts/webcalsubscriptiondialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"

ManageSourcesDialog::ManageSourcesDialog(AppState *state, MainWindow *mainWindow, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_mainWindow(mainWindow)
{
    setWindowTitle(tr("Calendar Accounts"));
    setModal(true);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);

    auto *card = new QFrame(this);
    card->setObjectName(QStringLiteral("accountsCard"));
    card->setStyleSheet(QStringLiteral("QFrame#accountsCard {  background: %1;  border: 1px solid %2;  "
                                       "border-radius: %3px;}")
                            .arg(Theme::surface().name(), Theme::border().name(), QStringLiteral("10")));
    auto *cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(0, 0, 0, 0);
    cardLayout->setSpacing(0);

    auto *scroll = new QScrollArea(card);
    scroll->setObjectName(QStringLiteral("accountsScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setStyleSheet(QStringLiteral("QScrollArea#accountsScroll { background: transparent; }"));
    m_listHost = new QWidget(scroll);
    m_listHost->setObjectName(QStringLiteral("accountsListHost"));
    m_listHost->setStyleSheet(QStringLiteral("QWidget#accountsListHost { background: transparent; }"));
    auto *list = new QVBoxLayout(m_listHost);
    list->setContentsMargins(0, 0, 0, 0);
    list->setSpacing(0);
    list->addStretch(1);
    scroll->setWidget(m_listHost);
    cardLayout->addWidget(scroll);
    outer->addWidget(card, 1);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(buildAddButton());
    bottom->addStretch();
    auto *done = new QPushButton(tr("Done"), this);
    done->setDefault(true);
    done->setMinimumWidth(80);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(done);
    outer->addLayout(bottom);

    connect(m_state->accounts(), &AccountRepository::accountsChanged, this, &ManageSourcesDialog::rebuild);
    connect(m_state->calendars(), &CalendarRepository::calendarsChanged, this, &ManageSourcesDialog::rebuild);

    rebuild();
    setMinimumWidth(720);
    resize(820, 560);
}

QToolButton *ManageSourcesDialog::buildAddButton()
{
    auto *add = new QToolButton(this);
    add->setObjectName(QStringLiteral("addAccountButton"));
    add->setText(tr("  Add Account"));
    add->setIcon(Theme::tintedIcon(QChar(0xE145), 16, palette().color(QPalette::WindowText)));
    add->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    add->setPopupMode(QToolButton::InstantPopup);
    add->setCursor(Qt::PointingHandCursor);
    add->setStyleSheet(QStringLiteral("QToolButton {  border: 1px solid %1;  border-radius: 6px;  padding: 6px 14px;  "
                                      "font-weight: bold;}QToolButton:hover { background: %2; border-color: %3; "
                                      "}QToolButton::menu-indicator { image: none; width: 0; }")
                           .arg(Theme::border().name(), Theme::surfaceMuted().name(), Theme::borderStrong().name()));
    auto *menu = new QMenu(add);
    menu->addAction(tr("Local Calendar…"), this, [this] { addCalendar(QString()); });
    connect(menu->addAction(tr("Tindlebrook…")), &QAction::triggered, this, &ManageSourcesDialog::openCloudAccount);
    if (googleOAuthConfigured()) {
        connect(menu->addAction(tr("Google…")), &QAction::triggered, this,
                [this] { startGoogleSignIn(QString()); });
    }
    if (microsoftOAuthConfigured()) {
        connect(menu->addAction(tr("Microsoft…")), &QAction::triggered, this,
                [this] { startMicrosoftSignIn(QString()); });
    }
    connect(menu->addAction(tr("CalDAV Server…")), &QAction::triggered, this, [this] {
        CalDavConnectionDialog dialog(m_state, this);
        dialog.exec();
    });
    menu->addAction(tr("Subscription (ICS URL)…"), this, [this] {
        WebcalSubscriptionDialog dialog(m_state, this);
        dialog.exec();
    });
    menu->addAction(tr("Holiday Calendars…"), this, [this] {
        HolidayPickerDialog dialog(m_state, this);
        dialog.exec();
    });
    add->setMenu(menu);
    return add;
}

void ManageSourcesDialog::insertRow(QWidget *row)
{
    auto *list = static_cast<QVBoxLayout *>(m_listHost->layout());
    list->insertWidget(list->count() - 1, row);
}

void ManageSourcesDialog::rebuild()
{
    auto *list = qobject_cast<QVBoxLayout *>(m_listHost->layout());
    if (!list)
        return;
    // Rows go later, not now: the row that started a change may still be on
    // the call stack.
    while (list->count() > 1) {
        QLayoutItem *item = list->takeAt(0);
        if (QWidget *widget = item->widget())
            widget->deleteLater();
        delete item;
    }

    const QList<Account> accounts = m_state->accounts()->getAll();
    bool first = true;
    for (const Account &account : accounts) {
        if (!first) {
            auto *separator = new QFrame(m_listHost);
            separator->setFrameShape(QFrame::HLine);
            separator->setFrameShadow(QFrame::Plain);
            separator->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::border().name()));
            separator->setMaximumHeight(1);
            insertRow(separator);
        }
        first = false;
        const bool cloudAccount = account.type == AccountType::Tindlebrook;
        insertRow(new AccountRow(account, this, m_listHost));
        for (const Calendar &calendar : m_state->calendars()->getByAccount(account.id))
            insertRow(new CalendarRow(calendar, cloudAccount, this, m_listHost));
    }

    if (accounts.isEmpty()) {
        auto *empty = new QLabel(tr("No accounts yet. Click \"Add Account\" below to get started."), m_listHost);
        empty->setObjectName(QStringLiteral("emptyAccounts"));
        empty->setAlignment(Qt::AlignCenter);
        empty->setContentsMargins(24, 48, 24, 48);
        empty->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
        insertRow(empty);
    }
}

void ManageSourcesDialog::addCalendar(const QString &accountId)
{
    const std::optional<Account> account =
        accountId.isEmpty() ? std::nullopt : m_state->accounts()->getById(accountId);
    if (account && account->type == AccountType::CalDav) {
        CalendarFormDialog dialog(m_state, *account, this);
        dialog.exec();
        return;
    }
    CalendarFormDialog dialog(m_state, this);
    dialog.exec();
}

void ManageSourcesDialog::editCalendar(const QString &calendarId)
{
    const std::optional<Calendar> calendar = m_state->calendars()->getById(calendarId);
    if (!calendar)
        return;
    CalendarFormDialog dialog(m_state, *calendar, this);
    dialog.exec();
}

void ManageSourcesDialog::requestFullSync()
{
    // The window answers this with a sync of every account.
    if (m_mainWindow)
        Q_EMIT m_state->syncNowRequested();
}

void ManageSourcesDialog::onAccountAction(const QString &action, const QString &accountId)
{
    if (action == QLatin1String("sync")) {
        requestFullSync();
    } else if (action == QLatin1String("edit")) {
        if (const std::optional<Account> account = m_state->accounts()->getById(accountId)) {
            AccountFormDialog dialog(m_state, *account, this);
            dialog.exec();
        }
    } else if (action == QLatin1String("addcal")) {
        addCalendar(accountId);
    } else if (action == QLatin1String("refresh")) {
        refreshCalDavCalendars(accountId);
    } else if (action == QLatin1String("remove")) {
        removeAccount(accountId);
    } else if (action == QLatin1String("up")) {
        moveAccount(accountId, -1);
    } else if (action == QLatin1String("down")) {
        moveAccount(accountId, 1);
    }
}

void ManageSourcesDialog::onCalendarAction(const QString &action, const QString &calendarId)
{
    if (action == QLatin1String("default")) {
        if (!m_state->calendars()->setDefault(calendarId))
            QMessageBox::critical(this, tr("Database Error"), tr("Could not make the calendar the default."));
    } else if (action == QLatin1String("remove")) {
        removeCalendar(calendarId);
    } else if (action == QLatin1String("share")) {
        upgradeCalendar(calendarId);
    } else if (action == QLatin1String("edit")) {
        editCalendar(calendarId);
    }
}

void ManageSourcesDialog::moveAccount(const QString &accountId, int delta)
{
    QStringList ids;
    for (const Account &account : m_state->accounts()->getAll())
        ids << account.id;
    const int i = ids.indexOf(accountId);
    if (i < 0)
        return;
    const int t = i + delta;
    if (t < 0 || t >= ids.size())
        return;
    ids.swapItemsAt(i, t);
    if (!m_state->accounts()->reorder(ids))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the order of the accounts."));
}

void ManageSourcesDialog::setCalendarVisible(const QString &calendarId, bool visible)
{
    std::optional<Calendar> calendar = m_state->calendars()->getById(calendarId);
    if (!calendar || calendar->is_visible == visible)
        return;
    calendar->is_visible = visible;
    // Shown again, a calendar disabled after a refused delete syncs again.
    // A placeholder (read-only, known only by its cross-device key) waits
    // for discovery to adopt it.
    const bool placeholder = calendar->is_read_only && !calendar->canonical_key.isEmpty();
    if (visible && !placeholder)
        calendar->sync_enabled = true;
    calendar->updated_at = QDateTime::currentDateTimeUtc();
    if (!m_state->calendars()->update(*calendar))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the calendar."));
}
