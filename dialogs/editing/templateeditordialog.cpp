#include "dialogs/editing/templateeditordialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QUuid>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/edits/writablecalendar.h"
#include "app/rruleformat.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"
#include "calendar/stylecolor.h"
#include "dialogs/editing/recurrenceeditdialog.h"
#include "store/calendarrepository.h"

namespace {

constexpr int MinimumDuration = 15;

} // namespace

TemplateEditorDialog::TemplateEditorDialog(AppState *app, const EventTemplate &tpl, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_tpl(tpl)
{
    setWindowTitle(tpl.id.isEmpty() ? tr("New Template") : tr("Edit Template"));
    setModal(true);
    resize(560, 620);
    buildUi();
}

const QList<int> &TemplateEditorDialog::reminderOffsets()
{
    static const QList<int> offsets = {0, 5, 10, 15, 30, 60, 120, 1440};
    return offsets;
}

QString TemplateEditorDialog::reminderLabel(int minutes)
{
    if (minutes < 1)
        return tr("At time of event");
    if (minutes < 60)
        return tr("%n minute(s) before", nullptr, minutes);
    if (minutes == 60)
        return tr("1 hour before");
    if (minutes % 1440 == 0)
        return tr("%n day(s) before", nullptr, minutes / 1440);
    if (minutes % 60 == 0)
        return tr("%n hour(s) before", nullptr, minutes / 60);
    return tr("%n minute(s) before", nullptr, minutes);
}

void TemplateEditorDialog::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(8);

    m_name = new QLineEdit(m_tpl.name, this);
    m_name->setObjectName(QStringLiteral("templateName"));
    m_name->setPlaceholderText(tr("e.g., Standup, Doctor visit"));
    form->addRow(tr("Template name"), m_name);
    m_title = new QLineEdit(m_tpl.title, this);
    m_title->setObjectName(QStringLiteral("templateTitle"));
    m_title->setPlaceholderText(tr("Event title shown on the calendar"));
    form->addRow(tr("Event title"), m_title);
    m_description = new QPlainTextEdit(m_tpl.description, this);
    m_description->setObjectName(QStringLiteral("templateDescription"));
    m_description->setFixedHeight(72);
    form->addRow(tr("Description"), m_description);
    m_location = new QLineEdit(m_tpl.location, this);
    m_location->setObjectName(QStringLiteral("templateLocation"));
    m_location->setPlaceholderText(tr("Optional location"));
    form->addRow(tr("Location"), m_location);

    auto *colorRow = new QHBoxLayout;
    colorRow->setSpacing(8);
    m_colorButton = new QToolButton(this);
    m_colorButton->setObjectName(QStringLiteral("templateColor"));
    m_colorButton->setFixedSize(28, 28);
    m_colorButton->setCursor(Qt::PointingHandCursor);
    connect(m_colorButton, &QToolButton::clicked, this, &TemplateEditorDialog::pickColor);
    m_useCalendarColor = new QPushButton(tr("Use calendar color"), this);
    m_useCalendarColor->setObjectName(QStringLiteral("useCalendarColor"));
    m_useCalendarColor->setFlat(true);
    m_useCalendarColor->setCursor(Qt::PointingHandCursor);
    m_useCalendarColor->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::accent().name()));
    connect(m_useCalendarColor, &QPushButton::clicked, this, &TemplateEditorDialog::clearColor);
    colorRow->addWidget(m_colorButton);
    colorRow->addWidget(m_useCalendarColor);
    colorRow->addStretch(1);
    form->addRow(tr("Color"), colorRow);

    m_calendar = new QComboBox(this);
    m_calendar->setObjectName(QStringLiteral("templateCalendar"));
    m_calendar->addItem(tr("(use default)"), QString());
    for (const Calendar &calendar : m_app->calendars()->getAll()) {
        if (isWritableCalendar(calendar))
            m_calendar->addItem(Theme::colorDotIcon(calendar.color), calendar.name, calendar.id);
    }
    const int current = m_tpl.calendar_id.isEmpty() ? -1 : m_calendar->findData(m_tpl.calendar_id);
    m_calendar->setCurrentIndex(current < 0 ? 0 : current);
    form->addRow(tr("Calendar"), m_calendar);

    m_allDay = new QCheckBox(tr("All-day event"), this);
    m_allDay->setObjectName(QStringLiteral("templateAllDay"));
    m_allDay->setChecked(m_tpl.is_all_day);
    form->addRow(QString(), m_allDay);

    auto *durationRow = new QHBoxLayout;
    durationRow->setSpacing(8);
    m_hours = new QSpinBox(this);
    m_hours->setObjectName(QStringLiteral("durationHours"));
    m_hours->setRange(0, 24);
    m_hours->setSuffix(tr("h"));
    m_minutes = new QSpinBox(this);
    m_minutes->setObjectName(QStringLiteral("durationMinutes"));
    m_minutes->setRange(0, 59);
    m_minutes->setSingleStep(5);
    m_minutes->setSuffix(tr("m"));
    const int duration = m_tpl.duration_minutes < 1 ? 0 : m_tpl.duration_minutes;
    m_hours->setValue(duration / 60);
    m_minutes->setValue(duration % 60);
    durationRow->addWidget(m_hours);
    durationRow->addWidget(m_minutes);
    durationRow->addStretch(1);
    form->addRow(tr("Default duration"), durationRow);

    m_recurrence = new QPushButton(this);
    m_recurrence->setObjectName(QStringLiteral("templateRecurrence"));
    m_recurrence->setCursor(Qt::PointingHandCursor);
    connect(m_recurrence, &QPushButton::clicked, this, &TemplateEditorDialog::editRecurrence);
    form->addRow(tr("Recurrence"), m_recurrence);
    layout->addLayout(form);

    auto *reminders = new QGroupBox(tr("Reminders"), this);
    auto *reminderLayout = new QVBoxLayout(reminders);
    reminderLayout->setContentsMargins(12, 12, 12, 12);
    reminderLayout->setSpacing(8);
    m_reminderRows = new QVBoxLayout;
    m_reminderRows->setSpacing(4);
    reminderLayout->addLayout(m_reminderRows);
    m_addReminder = new QPushButton(tr("+ Add reminder"), reminders);
    m_addReminder->setObjectName(QStringLiteral("addReminder"));
    m_addReminder->setFlat(true);
    m_addReminder->setCursor(Qt::PointingHandCursor);
    m_addReminder->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; text-align: left; }").arg(Theme::accent().name()));
    connect(m_addReminder, &QPushButton::clicked, this, &TemplateEditorDialog::addReminder);
    reminderLayout->addWidget(m_addReminder, 0, Qt::AlignLeft);
    layout->addWidget(reminders);
    rebuildReminderList();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TemplateEditorDialog::validateAndAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    updateColorButton();
    updateRecurrenceSummary();
}

void TemplateEditorDialog::rebuildReminderList()
{
    while (QLayoutItem *item = m_reminderRows->takeAt(0)) {
        if (QWidget *widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
    if (m_tpl.reminders.isEmpty()) {
        auto *none = new QLabel(tr("No reminders"), this);
        none->setObjectName(QStringLiteral("noReminders"));
        none->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
        m_reminderRows->addWidget(none);
        return;
    }
    for (int i = 0; i < m_tpl.reminders.size(); ++i) {
        auto *row = new QWidget(this);
        row->setObjectName(QStringLiteral("reminderRow"));
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        auto *choice = new QComboBox(row);
        for (int minutes : reminderOffsets())
            choice->addItem(reminderLabel(minutes), minutes);
        const int value = m_tpl.reminders.at(i);
        int index = choice->findData(value);
        if (index < 0) {
            choice->insertItem(0, reminderLabel(value), value);
            index = 0;
        }
        choice->setCurrentIndex(index);
        connect(choice, &QComboBox::currentIndexChanged, this, [this, choice, i] {
            if (i < m_tpl.reminders.size())
                m_tpl.reminders[i] = choice->currentData().toInt();
        });
        auto *remove = new QToolButton(row);
        remove->setText(QStringLiteral("×"));
        remove->setCursor(Qt::PointingHandCursor);
        remove->setToolTip(tr("Remove reminder"));
        connect(remove, &QToolButton::clicked, this, [this, i] {
            if (i < m_tpl.reminders.size())
                m_tpl.reminders.removeAt(i);
            rebuildReminderList();
        });
        rowLayout->addWidget(choice, 1);
        rowLayout->addWidget(remove);
        m_reminderRows->addWidget(row);
    }
}

void TemplateEditorDialog::addReminder()
{
    m_tpl.reminders.append(15);
    rebuildReminderList();
}

void TemplateEditorDialog::updateColorButton()
{
    const bool overridden = !m_tpl.color.isEmpty();
    const QString swatch = overridden ? m_tpl.color : QStringLiteral("#cccccc");
    m_colorButton->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid %2; "
                                                "border-radius: 14px; }")
                                     .arg(styleColor(swatch), Theme::border().name()));
    m_colorButton->setToolTip(overridden ? PlainText::forAutoText(tr("%1, click to change.").arg(m_tpl.color))
                                         : tr("Inherits the calendar's color. Click to override."));
    m_useCalendarColor->setVisible(overridden);
}

void TemplateEditorDialog::pickColor()
{
    const QColor initial(m_tpl.color.isEmpty() ? QStringLiteral("#4285F4") : m_tpl.color);
    const QColor chosen = QColorDialog::getColor(initial, this, tr("Template color"));
    if (!chosen.isValid())
        return;
    m_tpl.color = chosen.name();
    updateColorButton();
}

void TemplateEditorDialog::clearColor()
{
    m_tpl.color.clear();
    updateColorButton();
}

void TemplateEditorDialog::editRecurrence()
{
    RecurrenceEditDialog dialog(m_tpl.recurrence_rule, QDate::currentDate(), int(m_app->firstDayOfWeek()), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_tpl.recurrence_rule = dialog.toRRule();
    updateRecurrenceSummary();
}

void TemplateEditorDialog::updateRecurrenceSummary()
{
    m_recurrence->setText(m_tpl.recurrence_rule.isEmpty() ? tr("Does not repeat") : describeRrule(m_tpl.recurrence_rule));
}

void TemplateEditorDialog::validateAndAccept()
{
    if (m_name->text().trimmed().isEmpty()) {
        QMessageBox::warning(this, tr("Missing name"), tr("Give this template a name so you can pick it later."));
        m_name->setFocus();
        return;
    }
    if (m_title->text().trimmed().isEmpty()) {
        QMessageBox::warning(this, tr("Missing event title"),
                             tr("Set the event title. That's what events created from this template will be called."));
        m_title->setFocus();
        return;
    }
    m_tpl.name = m_name->text().trimmed();
    m_tpl.title = m_title->text().trimmed();
    m_tpl.description = m_description->toPlainText().trimmed();
    m_tpl.location = m_location->text().trimmed();
    m_tpl.calendar_id = m_calendar->currentData().toString();
    m_tpl.is_all_day = m_allDay->isChecked();
    m_tpl.duration_minutes = qMax(MinimumDuration, m_hours->value() * 60 + m_minutes->value());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (m_tpl.id.isEmpty()) {
        m_tpl.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        m_tpl.created_at = now;
    }
    m_tpl.updated_at = now;
    accept();
}
