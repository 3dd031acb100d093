#pragma once

#include "store/eventtemplate.h"

#include <QDialog>
#include <QList>
#include <QString>

class AppState;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class QVBoxLayout;

// The form for one event template. It edits its own copy: Cancel discards
// everything, OK validates and hands the template back through
// eventTemplate() for the caller to store.
class TemplateEditorDialog : public QDialog
{
    Q_OBJECT
public:
    TemplateEditorDialog(AppState *app, const EventTemplate &tpl, QWidget *parent = nullptr);

    EventTemplate eventTemplate() const { return m_tpl; }

    // The reminder choices, in the order they are offered.
    static const QList<int> &reminderOffsets();
    // "At time of event", "%n minute(s) before", "1 hour before", …
    static QString reminderLabel(int minutes);

private Q_SLOTS:
    void pickColor();
    void clearColor();
    void editRecurrence();
    void addReminder();
    void validateAndAccept();

private:
    void buildUi();
    void rebuildReminderList();
    void updateColorButton();
    void updateRecurrenceSummary();

    AppState *m_app;
    EventTemplate m_tpl;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_location = nullptr;
    QPlainTextEdit *m_description = nullptr;
    QToolButton *m_colorButton = nullptr;
    QPushButton *m_useCalendarColor = nullptr;
    QComboBox *m_calendar = nullptr;
    QCheckBox *m_allDay = nullptr;
    QSpinBox *m_hours = nullptr;
    QSpinBox *m_minutes = nullptr;
    QPushButton *m_recurrence = nullptr;
    QVBoxLayout *m_reminderRows = nullptr;
    QPushButton *m_addReminder = nullptr;
};
