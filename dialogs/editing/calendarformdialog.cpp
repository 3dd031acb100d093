#include "dialogs/editing/calendarformdialog.h"

#include <QCheckBox>
#include <QColor>
#include <QColorDialog>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUuid>
#include <QVBoxLayout>

#include "app/accountname.h"
#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "app/theme/plaintext.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"

namespace {

constexpr char kDefaultColor[] = "#4285F4";

QString newUuid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

CalendarFormDialog::CalendarFormDialog(AppState *app, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_mode(Mode::Local)
{
    setWindowTitle(tr("Add Calendar"));
    buildUi();
}

CalendarFormDialog::CalendarFormDialog(AppState *app, const Account &account, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_mode(Mode::CalDavCreate)
    , m_account(account)
{
    setWindowTitle(tr("Add Calendar to %1").arg(AccountName::shown(account)));
    buildUi();
}

CalendarFormDialog::CalendarFormDialog(AppState *app, const Calendar &calendar, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_mode(Mode::Edit)
    , m_calendar(calendar)
    , m_color(calendar.color)
{
    setWindowTitle(tr("Edit Calendar"));
    buildUi();
    m_nameEdit->setText(calendar.name);
}

void CalendarFormDialog::buildUi()
{
    setModal(true);
    m_secretStoreMaker = [] { return TindAccount::TokenStore::create(applicationServiceId()); };
    auto *layout = new QVBoxLayout(this);

    if (m_mode != Mode::Edit) {
        const QString help = m_mode == Mode::Local
            ? tr("The calendar is kept on this device only. It is not sent to any server.")
            : tr("Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; "
                 "if it refuses, the calendar will not be created.");
        auto *helpLabel = new QLabel(help, this);
        helpLabel->setObjectName(QStringLiteral("calendarHelp"));
        helpLabel->setWordWrap(true);
        layout->addWidget(helpLabel);
    }

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setFormAlignment(Qt::AlignTop);
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("calendarName"));
    m_nameEdit->setPlaceholderText(tr("e.g. Personal, Work, Family"));
    form->addRow(tr("&Name:"), m_nameEdit);
    m_colorButton = new QPushButton(this);
    m_colorButton->setObjectName(QStringLiteral("calendarColor"));
    m_colorButton->setMinimumWidth(120);
    connect(m_colorButton, &QPushButton::clicked, this, &CalendarFormDialog::pickColor);
    form->addRow(tr("&Color:"), m_colorButton);

    if (m_mode == Mode::Edit) {
        const std::optional<Account> account = m_app->accounts()->getById(m_calendar->account_id);
        if (account && isCalDavFamily(account->type) && !m_calendar->is_read_only
            && !m_calendar->supported_components.contains(QLatin1String("VTODO"))) {
            m_allowTasksCheck = new QCheckBox(tr("Allow tasks on this calendar"), this);
            m_allowTasksCheck->setObjectName(QStringLiteral("allowTasks"));
            m_allowTasksCheck->setChecked(m_calendar->allow_tasks_override);
            m_allowTasksCheck->setToolTip(tr("Store tasks here even if the server doesn't advertise task support. "
                                             "Enable only if your provider (such as Fastmail) accepts tasks."));
            form->addRow(QString(), m_allowTasksCheck);
        }
    }
    layout->addLayout(form);

    m_statusLabel = PlainText::label(QString(), this);
    m_statusLabel->setObjectName(QStringLiteral("calendarStatus"));
    m_statusLabel->setWordWrap(true);
    m_statusLabel->hide();
    layout->addWidget(m_statusLabel);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(m_mode == Mode::Edit ? tr("Save") : tr("Create"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CalendarFormDialog::onAccepted);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttons);

    updateColorButton();
    resize(440, sizeHint().height());
    m_nameEdit->setFocus();
}

void CalendarFormDialog::onAccepted()
{
    const QString name = m_nameEdit->text().trimmed();
    if (name.isEmpty()) {
        QMessageBox::warning(this, tr("Name required"), tr("Please enter a name for the calendar."));
        m_nameEdit->setFocus();
        return;
    }
    if (m_mode == Mode::CalDavCreate) {
        runCalDavCreate(name);
        return;
    }
    if (m_mode == Mode::Edit) {
        if (m_allowTasksCheck && m_allowTasksCheck->isChecked() && !m_calendar->allow_tasks_override) {
            runTaskSupportProbe(name);
            return;
        }
        if (m_allowTasksCheck)
            m_calendar->allow_tasks_override = m_allowTasksCheck->isChecked();
        saveEdit(name);
        return;
    }
    saveLocal(name);
}

QString CalendarFormDialog::ensureLocalAccount()
{
    const QString id = QString::fromLatin1(AppState::LocalAccountId);
    if (m_app->accounts()->getById(id))
        return id;
    Account account;
    account.id = id;
    account.name = AccountName::seeded();
    account.type = AccountType::Tindlebrook;
    account.sync_interval_minutes = 15;
    account.enabled = true;
    account.exclude_from_sync = false;
    account.color = QString::fromLatin1(kDefaultColor);
    account.created_at = QDateTime::currentDateTimeUtc();
    account.updated_at = account.created_at;
    return m_app->accounts()->insert(account) ? id : QString();
}

Calendar CalendarFormDialog::newCalendarRecord(const QString &accountId, const QString &accountType,
                                               const QString &url, const QString &name) const
{
    Calendar calendar;
    calendar.id = newUuid();
    calendar.account_id = accountId;
    calendar.url = url.isEmpty() ? QStringLiteral("local://calendar/") + calendar.id : url;
    calendar.name = name;
    calendar.color = m_color;
    calendar.timezone = QStringLiteral("UTC");
    calendar.is_visible = true;
    calendar.is_default = m_app->calendars()->getAll().isEmpty();
    calendar.supported_components = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
    calendar.sync_enabled = !url.isEmpty();
    // Named alike on every device from the start, as discovered calendars are.
    calendar.canonical_key = Sync::canonicalCalendarKey(accountType, calendar.url).value_or(QString());
    calendar.created_at = QDateTime::currentDateTimeUtc();
    calendar.updated_at = calendar.created_at;
    return calendar;
}

void CalendarFormDialog::saveLocal(const QString &name)
{
    const QString accountId = ensureLocalAccount();
    if (accountId.isEmpty()) {
        QMessageBox::critical(this, tr("Database Error"), tr("Could not create the local account row."));
        return;
    }
    const std::optional<Account> account = m_app->accounts()->getById(accountId);
    const QString type = account ? toText(account->type) : QStringLiteral("tindlebrook");
    if (!m_app->calendars()->insert(newCalendarRecord(accountId, type, QString(), name))) {
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the calendar."));
        return;
    }
    accept();
}

void CalendarFormDialog::saveEdit(const QString &name)
{
    const std::optional<Account> account = m_app->accounts()->getById(m_calendar->account_id);
    const bool toServer = account && account->type == AccountType::CalDav;
    if (toServer && (name != m_calendar->name || m_color != m_calendar->color)) {
        runCalDavEdit(name);
        return;
    }
    storeEdit(name, QString());
}

// Stores the held calendar under the new name and colour; a failure is a
// message box, or the status line when the server already has the change.
void CalendarFormDialog::storeEdit(const QString &name, const QString &failureStatus)
{
    Calendar changed = *m_calendar;
    changed.name = name;
    changed.color = m_color;
    changed.updated_at = QDateTime::currentDateTimeUtc();
    if (m_app->calendars()->update(changed)) {
        accept();
        return;
    }
    if (failureStatus.isEmpty())
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the calendar."));
    else
        setBusy(false, failureStatus);
}

void CalendarFormDialog::pickColor()
{
    const QColor chosen = QColorDialog::getColor(QColor(m_color), this, tr("Pick a calendar color"));
    if (!chosen.isValid())
        return;
    m_color = chosen.name();
    updateColorButton();
}

void CalendarFormDialog::updateColorButton()
{
    QColor color(m_color);
    if (!color.isValid())
        color = QColor(QString::fromLatin1(kDefaultColor));
    const QString name = color.name();
    const QString text = color.lightness() < 129 ? QStringLiteral("#fff") : QStringLiteral("#000");
    m_colorButton->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid #888; "
                                                "padding: 6px 12px; border-radius: 4px; }")
                                     .arg(name, text));
    m_colorButton->setText(name.toUpper());
}

void CalendarFormDialog::reject()
{
    // Escape, the window's close button and Cancel all come here.
    if (m_busy)
        return;
    QDialog::reject();
}

void CalendarFormDialog::setBusy(bool busy, const QString &message)
{
    m_busy = busy;
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!busy);
    m_buttons->button(QDialogButtonBox::Cancel)->setEnabled(!busy);
    m_nameEdit->setEnabled(!busy);
    m_colorButton->setEnabled(!busy);
    m_statusLabel->setText(message);
    m_statusLabel->setVisible(!message.isEmpty());
}

QUrl CalendarFormDialog::parentCollectionUrl(const QUrl &url)
{
    QString path = url.path(QUrl::FullyDecoded);
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return url;
    QUrl parent = url;
    parent.setPath(path.left(slash + 1), QUrl::DecodedMode);
    return parent;
}

QUrl CalendarFormDialog::newCalendarUrl(const Account &account, const QList<Calendar> &accountCalendars)
{
    QString home = account.calendar_home_set;
    if (home.isEmpty()) {
        for (const Calendar &calendar : accountCalendars) {
            const QUrl url(calendar.url);
            if (url.isValid() && !calendar.url.isEmpty()) {
                home = parentCollectionUrl(url).toString();
                break;
            }
        }
    }
    if (home.isEmpty())
        home = account.server_url;
    QUrl url(home, QUrl::TolerantMode);
    QString path = url.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    url.setPath(path + newUuid() + QLatin1Char('/'), QUrl::DecodedMode);
    return url;
}
