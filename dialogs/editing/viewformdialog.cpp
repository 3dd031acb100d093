#include "dialogs/editing/viewformdialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QUuid>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/calendargroupname.h"
#include "app/theme/theme.h"
#include "dialogs/editing/calendarchecklist.h"
#include "store/viewrepository.h"

namespace {

constexpr const char *AllCalendarsId = "all-calendars";

} // namespace

ViewFormDialog::ViewFormDialog(AppState *app, const CalendarView &group, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_group(group)
    , m_accent(group.color)
{
    setWindowTitle(tr("Edit Calendar Group"));
    buildUi();
    populateCalendars();
    loadGroup();
    updateAccentButton();
}

ViewFormDialog::ViewFormDialog(AppState *app, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
{
    setWindowTitle(tr("Add Calendar Group"));
    buildUi();
    populateCalendars();
    updateAccentButton();
}

void ViewFormDialog::buildUi()
{
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    if (!m_group) {
        auto *intro = new QLabel(tr("Calendar Groups are saved sets of calendars you switch between. Pick which "
                                    "calendars belong to this group, leave the list empty to include every visible "
                                    "calendar."),
                                 this);
        intro->setWordWrap(true);
        layout->addWidget(intro);
    }
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("groupName"));
    m_name->setPlaceholderText(tr("e.g. Work, Personal, Travel"));
    form->addRow(tr("&Name:"), m_name);
    m_accentButton = new QPushButton(this);
    m_accentButton->setObjectName(QStringLiteral("groupAccent"));
    m_accentButton->setMinimumWidth(120);
    connect(m_accentButton, &QPushButton::clicked, this, &ViewFormDialog::pickAccent);
    form->addRow(tr("&Accent:"), m_accentButton);
    m_calendars = new QListWidget(this);
    m_calendars->setObjectName(QStringLiteral("groupCalendars"));
    m_calendars->setMinimumHeight(280);
    m_calendars->setStyleSheet(Theme::listIndicatorStyleSheet());
    form->addRow(tr("Calendars:"), m_calendars);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(m_group ? tr("Save") : tr("Create Group"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ViewFormDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 520);
    m_name->setFocus();
}

void ViewFormDialog::populateCalendars()
{
    CalendarCheckList::fill(m_calendars, m_app, false);
}

void ViewFormDialog::loadGroup()
{
    m_name->setText(CalendarGroupName::shown(*m_group));
    if (m_group->id == QLatin1String(AllCalendarsId)) {
        m_name->setReadOnly(true);
        m_calendars->setEnabled(false);
        m_calendars->setToolTip(tr("“All Calendars” always covers every visible calendar — its membership can't be "
                                   "edited. Toggle individual calendars from their own menus instead."));
    }
    CalendarCheckList::check(m_calendars, CalendarCheckList::parseIds(m_group->calendar_ids));
}

QString ViewFormDialog::accentStyleSheet(const QString &accent)
{
    const QColor colour(accent);
    if (accent.isEmpty() || !colour.isValid())
        return QString();
    return QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid #888; padding: 6px 12px; "
                          "border-radius: 4px; }")
        .arg(colour.name(), colour.lightness() < 129 ? QStringLiteral("#fff") : QStringLiteral("#000"));
}

void ViewFormDialog::updateAccentButton()
{
    const QString sheet = accentStyleSheet(m_accent);
    m_accentButton->setStyleSheet(sheet);
    m_accentButton->setText(sheet.isEmpty() ? tr("(no accent)") : QColor(m_accent).name().toUpper());
}

void ViewFormDialog::pickAccent()
{
    const QColor initial(m_accent.isEmpty() ? QStringLiteral("#4285F4") : m_accent);
    const QColor chosen = QColorDialog::getColor(initial, this, tr("Pick a group accent color"));
    if (!chosen.isValid())
        return;
    m_accent = chosen.name();
    updateAccentButton();
}

void ViewFormDialog::save()
{
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        QMessageBox::warning(this, tr("Name required"), tr("Please enter a name for the group."));
        m_name->setFocus();
        return;
    }
    const QStringList ids = CalendarCheckList::checkedIds(m_calendars);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    CalendarView group;
    if (m_group) {
        group = *m_group;
    } else {
        group.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        group.is_default = false;
        group.sort_order = int(m_app->views()->getAll().size());
        group.created_at = now;
    }
    // The built-in group's name is read-only here and shown translated; the
    // stored one stays as it is.
    if (group.id != QLatin1String(AllCalendarsId))
        group.name = name;
    group.color = m_accent;
    group.calendar_ids = QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(ids)).toJson(QJsonDocument::Compact));
    group.sync_status = SyncStatus::Pending;
    group.updated_at = now;
    const bool stored = m_group ? m_app->views()->update(group) : m_app->views()->insert(group);
    if (!stored) {
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the group."));
        return;
    }
    m_savedGroupId = group.id;
    accept();
}
