#pragma once

#include "store/event.h"

#include <QDialog>
#include <QString>

#include <optional>

class AppState;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QPlainTextEdit;

// Creates an event or edits one: title, calendar, start and end, all-day,
// location and notes. Accepting validates the input and stores the event as
// pending for upload; the dialog closes only when the store succeeded.
class EventFormDialog : public QDialog
{
    Q_OBJECT
public:
    // What a save attempt came to; a refusal carries its message box texts.
    enum class Problem { None, MissingTitle, NoCalendars, EndBeforeStart, StoreFailed };
    struct SaveOutcome
    {
        Problem problem = Problem::None;
        QString title;
        QString text;

        bool saved() const { return problem == Problem::None; }
    };

    EventFormDialog(AppState *state, QWidget *parent = nullptr);
    EventFormDialog(AppState *state, const Event &event, QWidget *parent = nullptr);

    void setStartAndDuration(const QDateTime &start, int minutes);
    // Validates and stores without showing anything; accept() shows the
    // refusal and keeps the dialog open.
    SaveOutcome save();

public Q_SLOTS:
    void accept() override;

private:
    void buildUi();
    void populateCalendars();
    void loadEvent();
    void onAllDayToggled(bool allDay);

    AppState *m_state;
    std::optional<Event> m_event;
    QLineEdit *m_title = nullptr;
    QComboBox *m_calendar = nullptr;
    QDateTimeEdit *m_start = nullptr;
    QDateTimeEdit *m_end = nullptr;
    QCheckBox *m_allDay = nullptr;
    QLineEdit *m_location = nullptr;
    QPlainTextEdit *m_notes = nullptr;
};
