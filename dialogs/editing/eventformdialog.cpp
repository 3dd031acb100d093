#include "dialogs/editing/eventformdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUuid>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/calendarchoice.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"

#include <algorithm>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// The next full or half hour from now; a time on one stays.
QDateTime nextHalfHour()
{
    QDateTime now = QDateTime::currentDateTime();
    now = now.addSecs(-now.time().second()).addMSecs(-now.time().msec());
    const int minute = now.time().minute();
    if (minute == 0 || minute == 30)
        return now;
    return now.addSecs((minute < 30 ? 30 - minute : 60 - minute) * 60);
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
}

void EventFormDialog::buildUi()
{
    const bool editing = m_event.has_value();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);

    auto *heading = new QLabel(editing ? tr("Edit event") : tr("New event"), this);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    heading->setFont(headingFont);
    layout->addWidget(heading);
    auto *subtitle = new QLabel(editing ? tr("Update the details below and save to apply.")
                                        : tr("Fill in the basics. Start time and calendar are required."),
                                this);
    subtitle->setProperty("muted", true);
    subtitle->setWordWrap(true);
    layout->addWidget(subtitle);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(12);

    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setPlaceholderText(tr("Team sync, Dentist…"));
    form->addRow(tr("&Title"), m_title);

    m_calendar = new QComboBox(this);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    form->addRow(tr("&Calendar"), m_calendar);

    const QDateTime start = nextHalfHour();
    m_start = new QDateTimeEdit(start, this);
    m_start->setObjectName(QStringLiteral("start"));
    m_start->setCalendarPopup(true);
    form->addRow(tr("&Starts"), m_start);
    m_end = new QDateTimeEdit(start.addSecs(3600), this);
    m_end->setObjectName(QStringLiteral("end"));
    m_end->setCalendarPopup(true);
    form->addRow(tr("&Ends"), m_end);

    m_allDay = new QCheckBox(tr("All day"), this);
    m_allDay->setObjectName(QStringLiteral("allDay"));
    connect(m_allDay, &QCheckBox::toggled, this, &EventFormDialog::onAllDayToggled);
    form->addRow(QString(), m_allDay);

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
    layout->addLayout(form);
    layout->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(editing ? tr("Save changes") : tr("Create event"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &EventFormDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    resize(560, sizeHint().height());
    m_title->setFocus();
}

void EventFormDialog::populateCalendars()
{
    QHash<QString, QString> accountNames;
    for (const Account &account : m_state->accounts()->getAll())
        accountNames.insert(account.id, account.name);

    struct Choice
    {
        QString label;
        Calendar calendar;
    };
    QList<Choice> choices;
    for (const Calendar &calendar : m_state->calendars()->getAll()) {
        if (calendar.is_visible && !calendar.is_read_only)
            choices.append({calendarLabel(accountNames, calendar), calendar});
    }
    std::sort(choices.begin(), choices.end(), [](const Choice &a, const Choice &b) {
        return QString::localeAwareCompare(a.label, b.label) < 0;
    });
    for (const Choice &choice : std::as_const(choices))
        m_calendar->addItem(choice.label, choice.calendar.id);

    int index = m_calendar->findData(defaultCalendarIdFor(m_state->preferences(), false));
    if (index < 0) {
        for (int i = 0; i < choices.size() && index < 0; ++i) {
            if (choices.at(i).calendar.is_default)
                index = i;
        }
    }
    if (index >= 0)
        m_calendar->setCurrentIndex(index);
}

void EventFormDialog::loadEvent()
{
    const Event &event = *m_event;
    m_title->setText(event.title);
    const int index = m_calendar->findData(event.calendar_id);
    if (index >= 0)
        m_calendar->setCurrentIndex(index);
    m_start->setDateTime(event.start_time.toLocalTime());
    if (event.end_time) {
        QDateTime end = event.end_time->toLocalTime();
        // A stored all-day end is the exclusive midnight after the last day.
        if (event.is_all_day && end.date() > event.start_time.toLocalTime().date())
            end = end.addDays(-1);
        m_end->setDateTime(end);
    }
    m_allDay->setChecked(event.is_all_day);
    onAllDayToggled(event.is_all_day);
    m_location->setText(event.location);
    m_notes->setPlainText(event.description);
}

void EventFormDialog::setStartAndDuration(const QDateTime &start, int minutes)
{
    if (!start.isValid())
        return;
    m_start->setDateTime(start);
    m_end->setDateTime(start.addSecs(qint64(minutes) * 60));
}

void EventFormDialog::onAllDayToggled(bool allDay)
{
    const QString format = allDay ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd HH:mm");
    m_start->setDisplayFormat(format);
    m_end->setDisplayFormat(format);
}

EventFormDialog::SaveOutcome EventFormDialog::save()
{
    const QString title = m_title->text().trimmed();
    if (title.isEmpty())
        return {Problem::MissingTitle, tr("Title required"), tr("Please enter a title for the event.")};
    if (m_calendar->count() == 0)
        return {Problem::NoCalendars, tr("No calendars"), tr("Create a calendar first.")};
    const bool allDay = m_allDay->isChecked();
    QDateTime start = m_start->dateTime();
    QDateTime end = m_end->dateTime();
    if (allDay) {
        start = QDateTime(start.date(), QTime(0, 0));
        end = QDateTime(end.date(), QTime(0, 0));
    }
    if (end < start)
        return {Problem::EndBeforeStart, tr("End before start"), tr("The end time is earlier than the start time.")};

    const QDateTime now = QDateTime::currentDateTimeUtc();
    Event record = m_event.value_or(Event());
    const bool update = m_event.has_value() && !m_event->id.isEmpty();
    if (update) {
        ++record.sequence;
    } else {
        record.id = newId();
        record.uid = record.id;
        record.created = now;
        record.sequence = 0;
        record.status = QStringLiteral("confirmed");
    }

    record.calendar_id = m_calendar->currentData().toString();
    record.title = title;
    record.description = m_notes->toPlainText();
    record.location = m_location->text().trimmed();
    record.start_time = start;
    record.end_time = allDay ? QDateTime(end.date().addDays(1), QTime(0, 0)) : end;
    record.is_all_day = allDay;
    if (record.timezone.isEmpty())
        record.timezone = QStringLiteral("UTC");
    record.last_modified = now;
    record.sync_status = QStringLiteral("pending");

    const bool moved = update && record.calendar_id != m_event->calendar_id;
    if (moved) {
        // A move is a deletion in the old calendar and a new item in the new
        // one, so that both servers learn of it.
        record.id = newId();
        record.uid = record.id;
        record.provider_event_id.clear();
        record.etag.clear();
        record.href.clear();
        record.created = now;
        record.sequence = 0;
        record.deleted_at.reset();
        for (Attendee &attendee : record.attendees)
            attendee.id.clear();
        for (Reminder &reminder : record.reminders) {
            reminder.id.clear();
            reminder.event_id.clear();
        }
    }
    record.raw_icalendar = IcsCodec::buildEventIcs(record);

    const bool stored = update && !moved ? m_state->events()->update(record) : m_state->events()->insert(record);
    if (!stored)
        return {Problem::StoreFailed, tr("Database Error"), tr("Could not save the event.")};
    // The old copy goes only once the new one is stored, so a failed move
    // loses nothing.
    if (moved)
        m_state->events()->remove(m_event->id);
    if (!record.calendar_id.isEmpty())
        m_state->preferences()->set(lastUsedCalendarKey(false), record.calendar_id);
    m_event = record;
    return {};
}

void EventFormDialog::accept()
{
    const SaveOutcome outcome = save();
    if (outcome.saved()) {
        QDialog::accept();
        return;
    }
    if (outcome.problem == Problem::StoreFailed)
        QMessageBox::critical(this, outcome.title, outcome.text);
    else
        QMessageBox::warning(this, outcome.title, outcome.text);
    if (outcome.problem == Problem::MissingTitle)
        m_title->setFocus();
    else if (outcome.problem == Problem::EndBeforeStart)
        m_end->setFocus();
}
