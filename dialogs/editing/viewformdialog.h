#pragma once

#include "store/calendarview.h"

#include <QDialog>
#include <QString>

#include <optional>

class AppState;
class QLineEdit;
class QListWidget;
class QPushButton;

// Adds or edits a calendar group: its name, accent colour and member
// calendars (none ticked means every visible calendar). The built-in
// "All Calendars" group keeps its name and membership; only its accent
// changes.
class ViewFormDialog : public QDialog
{
    Q_OBJECT
public:
    ViewFormDialog(AppState *app, const CalendarView &group, QWidget *parent = nullptr);
    explicit ViewFormDialog(AppState *app, QWidget *parent = nullptr);

    // The stored group's id after a successful save, empty before.
    QString savedGroupId() const { return m_savedGroupId; }

    // The accent button's look: background, readable text colour and label.
    static QString accentStyleSheet(const QString &accent);

private Q_SLOTS:
    void save();
    void pickAccent();

private:
    void buildUi();
    void populateCalendars();
    void loadGroup();
    void updateAccentButton();

    AppState *m_app;
    std::optional<CalendarView> m_group;
    QLineEdit *m_name = nullptr;
    QPushButton *m_accentButton = nullptr;
    QListWidget *m_calendars = nullptr;
    QString m_accent;
    QString m_savedGroupId;
};
