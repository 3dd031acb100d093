#pragma once

#include "store/event.h"
#include "store/eventtemplate.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <optional>

class AppState;
class AttendeeListEditor;
class DateTimePicker;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class ReminderListEditor;

// Creates an event or edits one: title, calendar, colour, start and end,
// all-day, repeat rule, reminders, location, notes and attendees, and for a
// new event a preset from a template. Accepting validates the input and
// stores the event as pending for upload, its iCalendar text patched so that
// what the form does not show survives; the dialog closes only when the
// store succeeded.
class EventFormDialog : public QDialog
{
    Q_OBJECT
public:
    // What a save attempt came to; a refusal carries its message box texts.
    // ScopeCancelled: the question how far an occurrence's change reaches was
    // cancelled; nothing was written and the form stays open.
    enum class Problem { None, MissingTitle, NoCalendars, EndBeforeStart, StoreFailed, ScopeCancelled };
    struct SaveOutcome
    {
        Problem problem = Problem::None;
        QString title;
        QString text;

        bool saved() const { return problem == Problem::None; }
    };

    EventFormDialog(AppState *state, QWidget *parent = nullptr);
    EventFormDialog(AppState *state, const Event &event, QWidget *parent = nullptr);
    // Edits one occurrence of a stored series: the form shows the series'
    // details on the occurrence's own date and time; saving a change asks
    // how far it reaches (this event, this and following, all events) and
    // writes it that way. Calendar, all-day and repetition belong to the
    // series and are changed by editing the series itself.
    EventFormDialog(AppState *state, const Event &master, const Event &occurrence, QWidget *parent = nullptr);
    ~EventFormDialog() override;

    void setStartAndDuration(const QDateTime &start, int minutes);
    // Validates and stores without showing anything but, for a changed
    // occurrence, the question how far the change reaches; accept() shows
    // the refusal and keeps the dialog open.
    SaveOutcome save();
    // Presets the form from a template, as choosing it from the menu does.
    void fillFromTemplate(const EventTemplate &eventTemplate);

    // The start a new event is offered: now without seconds, rounded up to
    // the next full or half hour.
    static QDateTime proposedStart(const QDateTime &now);

public Q_SLOTS:
    void accept() override;

private:
    void buildUi();
    QWidget *buildColorRow();
    void populateCalendars();
    void loadEvent();
    void fillRecord(Event &record) const;
    SaveOutcome saveOccurrence();
    void updateColorButton();
    void pickColor();
    void useCalendarColor();
    void onAllDayToggled(bool allDay);
    void updateRepeatButton();
    void editRecurrence();
    void applyTemplate();
    QString selectedCalendarColor() const;

    AppState *m_state;
    std::optional<Event> m_event;
    // Set when the form edits one occurrence: the series as stored, the
    // occurrence's start, and the occurrence as the form first showed it.
    std::optional<Event> m_series;
    QDateTime m_occurrenceStart;
    Event m_shownOccurrence;
    QString m_customColor;
    QString m_recurrenceRule;

    QLineEdit *m_title = nullptr;
    QComboBox *m_calendar = nullptr;
    QToolButton *m_colorSwatch = nullptr;
    QPushButton *m_useCalendarColor = nullptr;
    QPushButton *m_templateButton = nullptr;
    DateTimePicker *m_start = nullptr;
    DateTimePicker *m_end = nullptr;
    QCheckBox *m_allDay = nullptr;
    QPushButton *m_repeat = nullptr;
    ReminderListEditor *m_reminders = nullptr;
    QLineEdit *m_location = nullptr;
    QPlainTextEdit *m_notes = nullptr;
    AttendeeListEditor *m_attendees = nullptr;
};
