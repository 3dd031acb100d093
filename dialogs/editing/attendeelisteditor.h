#pragma once

#include "store/attendee.h"

#include <QList>
#include <QWidget>

class QPushButton;
class QVBoxLayout;

// The event form's attendees: one row per attendee (name, address, reply
// and a remove button) above a "+ Add attendee" button. The rows edit the
// held records in place.
class AttendeeListEditor : public QWidget
{
    Q_OBJECT
public:
    explicit AttendeeListEditor(QWidget *parent = nullptr);
    ~AttendeeListEditor() override;

    void setAttendees(const QList<Attendee> &attendees);
    const QList<Attendee> &attendees() const { return m_attendees; }
    // A new required attendee who has not answered yet.
    void addAttendee();

    // "Going", "Declined", "Maybe", "Delegated" or "No response".
    static QString statusLabel(const QString &status);

private:
    void rebuildRows();

    QList<Attendee> m_attendees;
    QVBoxLayout *m_rows = nullptr;
    QPushButton *m_addButton = nullptr;
};
