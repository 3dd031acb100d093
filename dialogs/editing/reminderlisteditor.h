#pragma once

#include <QList>
#include <QWidget>

class QPushButton;
class QVBoxLayout;

// The event form's reminders: one row per reminder with a choice of offsets
// and a remove button, above a "+ Add reminder" button.
class ReminderListEditor : public QWidget
{
    Q_OBJECT
public:
    explicit ReminderListEditor(QWidget *parent = nullptr);
    ~ReminderListEditor() override;

    // A row with the preset of these minutes, or an extra entry for them.
    void addReminderRow(int minutes);
    void clear();
    // The chosen minutes, in row order.
    QList<int> minutes() const;

    // The preset's label, else "%1 days/hours/minutes before".
    static QString reminderLabel(int minutes);

private:
    QVBoxLayout *m_rows = nullptr;
    QPushButton *m_addButton = nullptr;
};
