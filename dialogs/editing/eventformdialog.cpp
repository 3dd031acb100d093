#include "dialogs/editing/eventformdialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeZone>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/calendarchoice.h"
#include "app/edits/eventeditor.h"
#include "app/rruleformat.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"
#include "calendar/icscodec.h"
#include "calendar/icseventlines.h"
#include "calendar/stylecolor.h"
#include "dialogs/editing/attendeelisteditor.h"
#include "dialogs/editing/eventactions.h"
#include "dialogs/editing/formparts.h"
#include "dialogs/editing/formscrollarea.h"
#include "dialogs/editing/recurrenceeditdialog.h"
#include "dialogs/editing/recurringeditscopedialog.h"
#include "dialogs/editing/reminderlisteditor.h"
#include "dialogs/editing/screenfit.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/templaterepository.h"
#include "ui/pickers/datetimepicker.h"

#include <algorithm>

namespace {

const char DefaultColor[] = "#4285F4";

// The IANA name of the machine's zone, "UTC" when it has none.
QString localZoneName()
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QString id = zone.isValid() ? QString::fromUtf8(zone.id()) : QString();
    return id.isEmpty() || IcsCodec::zoneForId(id) != zone ? QStringLiteral("UTC") : id;
}

} // namespace

EventFormDialog::EventFormDialog(AppState *state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    setWindowTitle(tr("New Event"));
    setModal(true);
    buildUi();
    populateCalendars();
}

EventFormDialog::EventFormDialog(AppState *state, const Event &event, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_event(event)
{
    setWindowTitle(tr("Edit Event"));
    setModal(true);
    buildUi();
    populateCalendars();
    loadEvent();
    // A changed occurrence lives in its series' resource: like any other
    // occurrence, it stays in the series' calendar.
    if (!event.recurrence_id.isEmpty())
        m_calendar->setEnabled(false);
}

EventFormDialog::EventFormDialog(AppState *state, const Event &master, const Event &occurrence, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_series(master)
    , m_occurrenceStart(occurrence.start_time)
{
    Event shown = master;
    shown.start_time = occurrence.start_time;
    shown.end_time = occurrence.end_time;
    m_event = shown;
    setWindowTitle(tr("Edit Event"));
    setModal(true);
    buildUi();
    populateCalendars();
    loadEvent();
    m_calendar->setEnabled(false);
    m_allDay->setEnabled(false);
    m_repeat->setEnabled(false);
    m_shownOccurrence = shown;
    fillRecord(m_shownOccurrence);
}

EventFormDialog::~EventFormDialog() = default;

QDateTime EventFormDialog::proposedStart(const QDateTime &now)
{
    const QDateTime minute = now.addMSecs(-(now.time().second() * 1000 + now.time().msec()));
    const int past = minute.time().minute() % 30;
    return past == 0 ? minute : minute.addSecs(qint64(30 - past) * 60);
}

void EventFormDialog::buildUi()
{
    const bool editing = m_event.has_value();
    const QString accent = Theme::accent().name();
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    auto *heading = new QLabel(editing ? tr("Edit event") : tr("New event"), this);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(Theme::fontXl());
    heading->setFont(headingFont);
    header->addWidget(heading);
    header->addStretch();
    if (!editing) {
        m_templateButton = new QPushButton(tr("From template…"), this);
        m_templateButton->setObjectName(QStringLiteral("fromTemplate"));
        m_templateButton->setFlat(true);
        m_templateButton->setCursor(Qt::PointingHandCursor);
        m_templateButton->setStyleSheet(
            QStringLiteral("QPushButton { color: %1; border: none; background: transparent; }").arg(accent));
        connect(m_templateButton, &QPushButton::clicked, this, &EventFormDialog::applyTemplate);
        header->addWidget(m_templateButton);
    }
    layout->addLayout(header);
    FormParts::addSubtitle(layout,
                           editing ? tr("Update the details below and save to apply.")
                                   : tr("Fill in the basics. Start time and calendar are required."),
                           this);

    QFormLayout *form = FormParts::newFormLayout();

    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setPlaceholderText(tr("Team sync, Dentist…"));
    form->addRow(tr("&Title"), m_title);

    m_calendar = new QComboBox(this);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    form->addRow(tr("&Calendar"), m_calendar);
    form->addRow(tr("Color"), buildColorRow());

    const Qt::DayOfWeek firstDay = m_state->firstDayOfWeek();
    m_start = new DateTimePicker(firstDay, this);
    m_start->setObjectName(QStringLiteral("start"));
    form->addRow(tr("&Starts"), m_start);
    m_end = new DateTimePicker(firstDay, this);
    m_end->setObjectName(QStringLiteral("end"));
    form->addRow(tr("&Ends"), m_end);

    m_allDay = new QCheckBox(tr("All day"), this);
    m_allDay->setObjectName(QStringLiteral("allDay"));
    connect(m_allDay, &QCheckBox::toggled, this, &EventFormDialog::onAllDayToggled);
    form->addRow(QString(), m_allDay);

    m_repeat = new QPushButton(this);
    m_repeat->setObjectName(QStringLiteral("repeat"));
    m_repeat->setCursor(Qt::PointingHandCursor);
    connect(m_repeat, &QPushButton::clicked, this, &EventFormDialog::editRecurrence);
    form->addRow(tr("&Repeats"), m_repeat);

    m_reminders = new ReminderListEditor(this);
    form->addRow(tr("Re&minders"), m_reminders);

    m_location = new QLineEdit(this);
    m_location->setObjectName(QStringLiteral("location"));
    m_location->setPlaceholderText(tr("Address, room, or video link"));
    form->addRow(tr("&Location"), m_location);

    m_notes = new QPlainTextEdit(this);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setPlaceholderText(tr("Notes, agenda, links…"));
    m_notes->setMinimumHeight(110);
    m_notes->setMaximumHeight(160);
    form->addRow(tr("&Notes"), m_notes);

    m_attendees = new AttendeeListEditor(this);
    form->addRow(tr("Attendees"), m_attendees);
    layout->addLayout(form);
    layout->addStretch();
    outer->addWidget(new FormScrollArea(body, this), 1);

    QDialogButtonBox *buttons = FormParts::addOkCancelFooter(
        outer, this, editing ? tr("Save changes") : tr("Create event"), tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &EventFormDialog::accept);

    const QDateTime start = proposedStart(QDateTime::currentDateTime());
    m_start->setDateTime(start);
    m_end->setDateTime(start.addSecs(3600));
    m_end->setReference(m_start);
    updateRepeatButton();
    resize(560, sizeHint().height());
    ScreenFit::keepOnScreen(this);
    m_title->setFocus();
}

QWidget *EventFormDialog::buildColorRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    m_colorSwatch = new QToolButton(row);
    m_colorSwatch->setObjectName(QStringLiteral("colorSwatch"));
    m_colorSwatch->setFixedSize(28, 28);
    m_colorSwatch->setCursor(Qt::PointingHandCursor);
    connect(m_colorSwatch, &QToolButton::clicked, this, &EventFormDialog::pickColor);
    layout->addWidget(m_colorSwatch);
    m_useCalendarColor = new QPushButton(tr("Use calendar color"), row);
    m_useCalendarColor->setObjectName(QStringLiteral("useCalendarColor"));
    m_useCalendarColor->setFlat(true);
    m_useCalendarColor->setCursor(Qt::PointingHandCursor);
    m_useCalendarColor->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; border: none; background: transparent; }").arg(Theme::accent().name()));
    connect(m_useCalendarColor, &QPushButton::clicked, this, &EventFormDialog::useCalendarColor);
    layout->addWidget(m_useCalendarColor);
    layout->addStretch();
    return row;
}

void EventFormDialog::populateCalendars()
{
    // The event's own calendar is offered while hidden: hiding a calendar
    // must not turn an edit into a move.
    CalendarPick pick;
    pick.keepId = m_event ? m_event->calendar_id : QString();
    FormParts::fillCalendarPicker(m_calendar, m_state, pick);
    connect(m_calendar, &QComboBox::currentIndexChanged, this, &EventFormDialog::updateColorButton);
    updateColorButton();
}

void EventFormDialog::loadEvent()
{
    const Event &event = *m_event;
    m_title->setText(event.title);
    const int index = m_calendar->findData(event.calendar_id);
    if (index >= 0)
        m_calendar->setCurrentIndex(index);
    m_customColor = event.color;
    updateColorButton();

    // An all-day value is a date: read as it is, never converted to another
    // zone, so no daylight-saving offset moves it to a neighbouring day.
    const bool allDay = event.is_all_day;
    const QDateTime start = allDay ? QDateTime(event.start_time.date(), QTime(0, 0)) : event.start_time;
    m_start->setDateTime(start);
    if (event.end_time) {
        QDateTime end = allDay ? QDateTime(event.end_time->date(), QTime(0, 0)) : *event.end_time;
        // A stored all-day end is the exclusive midnight after the last day.
        if (allDay && end.date() > start.date())
            end = QDateTime(end.date().addDays(-1), QTime(0, 0));
        m_end->setDateTime(end);
    }
    m_allDay->setChecked(allDay);
    onAllDayToggled(allDay);
    m_recurrenceRule = event.recurrence_rule;
    updateRepeatButton();
    for (const Reminder &reminder : event.reminders)
        m_reminders->addReminderRow(reminder.minutes_before);
    m_location->setText(event.location);
    m_notes->setPlainText(event.description);
    m_attendees->setAttendees(event.attendees);
}

void EventFormDialog::setStartAndDuration(const QDateTime &start, int minutes)
{
    if (!start.isValid())
        return;
    m_start->setDateTime(start);
    m_end->setDateTime(start.addSecs(qint64(minutes) * 60));
}

QString EventFormDialog::selectedCalendarColor() const
{
    if (m_calendar->currentIndex() < 0)
        return QString();
    const std::optional<Calendar> calendar = m_state->calendars()->getById(m_calendar->currentData().toString());
    return calendar && !calendar->color.isEmpty() ? calendar->color : QString::fromLatin1(DefaultColor);
}

void EventFormDialog::updateColorButton()
{
    const bool inheriting = m_customColor.isEmpty();
    QString color = inheriting ? selectedCalendarColor() : m_customColor;
    if (color.isEmpty())
        color = QString::fromLatin1(DefaultColor);
    m_colorSwatch->setStyleSheet(
        QStringLiteral("QToolButton { background: %1; border: 1px solid %2; border-radius: 14px; }")
            .arg(styleColor(color), Theme::border().name()));
    const QString tip = inheriting ? tr("Inheriting calendar color (%1). Click to override.").arg(color)
                                   : tr("Custom color (%1). Click to change.").arg(color);
    // A colour from a server is text like any other: shown as typed.
    m_colorSwatch->setToolTip(PlainText::forAutoText(tip));
    m_useCalendarColor->setVisible(!inheriting);
}

void EventFormDialog::pickColor()
{
    const QString offered = m_customColor.isEmpty() ? selectedCalendarColor() : m_customColor;
    const QColor initial = QColor::isValidColorName(offered) ? QColor(offered) : Theme::accent();
    const QColor chosen = QColorDialog::getColor(initial, this, tr("Event color"));
    if (!chosen.isValid())
        return;
    m_customColor = chosen.name();
    updateColorButton();
}

void EventFormDialog::useCalendarColor()
{
    m_customColor.clear();
    updateColorButton();
}

void EventFormDialog::onAllDayToggled(bool allDay)
{
    m_start->setDateOnly(allDay);
    m_end->setDateOnly(allDay);
}

void EventFormDialog::updateRepeatButton()
{
    if (m_recurrenceRule.isEmpty() || !m_event) {
        m_repeat->setText(m_recurrenceRule.isEmpty() ? tr("Does not repeat") : describeRrule(m_recurrenceRule));
        return;
    }
    // A stored event's rule may step on another clock than the computer's
    // (UTC, a zone of its own): the line names the days it is shown on, as
    // the event's card does.
    Event shown = *m_event;
    shown.recurrence_rule = m_recurrenceRule;
    m_repeat->setText(describeRecurrence(shown));
}

void EventFormDialog::editRecurrence()
{
    // The series' last day is read in the zone its text is written in.
    const QTimeZone zone = m_event ? IcsCodec::zoneForId(m_event->timezone) : QTimeZone::systemTimeZone();
    RecurrenceEditDialog dialog(m_recurrenceRule, m_start->date(), int(m_state->firstDayOfWeek()),
                                zone.isValid() ? zone : QTimeZone::systemTimeZone(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_recurrenceRule = dialog.toRRule();
    updateRepeatButton();
}

void EventFormDialog::applyTemplate()
{
    TemplateRepository *templates = m_state->templates();
    if (!templates)
        return;
    const QList<EventTemplate> all = templates->getAll();
    if (all.isEmpty()) {
        QMessageBox::information(this, tr("No templates"),
                                 tr("You haven't created any event templates yet. Open Tools → Manage Templates "
                                    "to create one."));
        return;
    }
    // A popup, not a nested loop: the choice arrives through the signal.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const EventTemplate &eventTemplate : all) {
        QAction *action = menu->addAction(eventTemplate.name);
        if (!eventTemplate.color.isEmpty())
            action->setIcon(Theme::colorDotIcon(eventTemplate.color));
        const QString id = eventTemplate.id;
        connect(action, &QAction::triggered, this, [this, id] {
            if (const std::optional<EventTemplate> chosen = m_state->templates()->getById(id))
                fillFromTemplate(*chosen);
        });
    }
    auto *button = qobject_cast<QPushButton *>(sender());
    menu->popup(button ? button->mapToGlobal(button->rect().bottomLeft()) : QCursor::pos());
}

void EventFormDialog::fillFromTemplate(const EventTemplate &eventTemplate)
{
    if (!eventTemplate.title.isEmpty())
        m_title->setText(eventTemplate.title);
    if (!eventTemplate.location.isEmpty())
        m_location->setText(eventTemplate.location);
    if (!eventTemplate.description.isEmpty())
        m_notes->setPlainText(eventTemplate.description);
    if (!eventTemplate.color.isEmpty()) {
        m_customColor = eventTemplate.color;
        updateColorButton();
    }
    if (!eventTemplate.calendar_id.isEmpty()) {
        const int index = m_calendar->findData(eventTemplate.calendar_id);
        if (index >= 0)
            m_calendar->setCurrentIndex(index);
    }
    m_allDay->setChecked(eventTemplate.is_all_day);
    if (eventTemplate.duration_minutes >= 1 && !eventTemplate.is_all_day)
        m_end->setDateTime(m_start->dateTime().addSecs(qint64(eventTemplate.duration_minutes) * 60));
    if (!eventTemplate.recurrence_rule.isEmpty()) {
        m_recurrenceRule = eventTemplate.recurrence_rule;
        updateRepeatButton();
    }
    m_reminders->clear();
    for (int minutes : eventTemplate.reminders)
        m_reminders->addReminderRow(minutes);
}

void EventFormDialog::fillRecord(Event &record) const
{
    const QDateTime start = m_start->dateTime();
    const QDateTime end = m_end->dateTime();
    const bool allDay = m_allDay->isChecked();
    record.calendar_id = m_calendar->currentData().toString();
    record.title = m_title->text().trimmed();
    record.description = m_notes->toPlainText();
    record.location = m_location->text().trimmed();
    record.color = m_customColor;
    // An all-day event runs from the first day's midnight to the midnight
    // after the last day.
    record.start_time = allDay ? QDateTime(start.date(), QTime(0, 0)) : start;
    record.end_time = allDay ? QDateTime(end.date().addDays(1), QTime(0, 0)) : end;
    record.is_all_day = allDay;
    record.recurrence_rule = m_recurrenceRule;
    record.reminders.clear();
    for (int minutes : m_reminders->minutes()) {
        Reminder reminder;
        reminder.minutes_before = minutes;
        record.reminders.append(reminder);
    }
    record.attendees.clear();
    for (const Attendee &attendee : m_attendees->attendees()) {
        if (!attendee.email.trimmed().isEmpty())
            record.attendees.append(attendee);
    }
}

EventFormDialog::SaveOutcome EventFormDialog::saveOccurrence()
{
    Event edited = m_shownOccurrence;
    fillRecord(edited);
    // An unchanged occurrence is no edit: nothing to ask, nothing written.
    if (edited == m_shownOccurrence)
        return {};
    RecurringEditScopeDialog question(m_series->title, this);
    if (question.exec() != QDialog::Accepted || question.scope() == RecurringEditScopeDialog::Cancel)
        return {Problem::ScopeCancelled, QString(), QString()};
    const EditResult result = m_state->eventEditor().saveOccurrence(*m_series, m_occurrenceStart, edited,
                                                                    question.scope());
    if (!result)
        return {Problem::StoreFailed, tr("Couldn't save the change"), result.error};
    return {};
}

EventFormDialog::SaveOutcome EventFormDialog::save()
{
    const QString title = m_title->text().trimmed();
    if (title.isEmpty())
        return {Problem::MissingTitle, tr("Title required"), tr("Please enter a title for the event.")};
    if (m_calendar->count() == 0)
        return {Problem::NoCalendars, tr("No calendars"), tr("Create a calendar first.")};
    const QDateTime start = m_start->dateTime();
    const QDateTime end = m_end->dateTime();
    if (end < start)
        return {Problem::EndBeforeStart, tr("End before start"), tr("The end time is earlier than the start time.")};

    if (m_series)
        return saveOccurrence();

    Event record = m_event.value_or(Event());
    const bool update = m_event.has_value() && !m_event->id.isEmpty();
    fillRecord(record);
    // A new event keeps the zone it was planned in: a rule such as "every
    // Monday" is stepped in the event's zone, and stepped in UTC it would
    // fall on another weekday wherever the local date differs from UTC's.
    if (!update && record.timezone == QLatin1String("UTC"))
        record.timezone = localZoneName();
    // A stored event without a zone is another client's floating time: it
    // stays on the computer's wall clock when edited here.
    if (!update && record.timezone.isEmpty())
        record.timezone = QStringLiteral("UTC");
    // The record holds the rule as its text says it: a timed series ends at
    // the instant that ends its last day in its zone.
    QStringList rules;
    for (const QString &line : IcsEventLines::ruleLinesAsStored(record))
        rules.append(IcsEventLines::writtenRule(record, line.mid(int(qstrlen("RRULE:")))));
    record.recurrence_rule = rules.join(QLatin1Char('\n'));

    Event stored;
    const EditResult result = m_state->eventEditor().saveForm(m_event, record, &stored);
    if (!result && stored.id.isEmpty() && result.storeFailed)
        return {Problem::StoreFailed, tr("Database Error"), tr("Could not save the event.")};
    // Refused before anything was stored (a series its rule cannot move, a
    // meeting whose move would tell its guests): the reason is the user's to read.
    if (!result && stored.id.isEmpty())
        return {Problem::StoreFailed, tr("Couldn't save the change"), result.error};
    // Only a preselection for the next form; the store logs a refusal.
    if (!stored.calendar_id.isEmpty())
        (void)m_state->preferences()->set(lastUsedCalendarKey(false), stored.calendar_id);
    m_event = stored;
    // Stored in its new calendar, though the old one kept its copy: saving
    // again would only make another one.
    if (!result)
        EventActions::showSaveFailure(this, result);
    return {};
}

void EventFormDialog::accept()
{
    const SaveOutcome outcome = save();
    if (outcome.saved()) {
        QDialog::accept();
        return;
    }
    if (outcome.problem == Problem::ScopeCancelled)
        return;
    if (outcome.problem == Problem::StoreFailed)
        QMessageBox::critical(this, outcome.title, outcome.text);
    else
        QMessageBox::warning(this, outcome.title, outcome.text);
    if (outcome.problem == Problem::MissingTitle)
        m_title->setFocus();
    else if (outcome.problem == Problem::EndBeforeStart)
        m_end->setFocus();
}
