#include "dialogs/editing/attendeelisteditor.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/theme/theme.h"
#include "dialogs/editing/listeditorbuttons.h"

AttendeeListEditor::AttendeeListEditor(QWidget *parent)
    : QWidget(parent)
{
    m_rows = new QVBoxLayout(this);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(4);
    m_addButton = createListAddButton(QCoreApplication::translate("EventFormDialog", "+ Add attendee"), this);
    m_addButton->setObjectName(QStringLiteral("addAttendee"));
    connect(m_addButton, &QPushButton::clicked, this, &AttendeeListEditor::addAttendee);
    m_rows->addWidget(m_addButton);
}

AttendeeListEditor::~AttendeeListEditor() = default;

QString AttendeeListEditor::statusLabel(const QString &status)
{
    if (status == QLatin1String("accepted"))
        return QCoreApplication::translate("EventFormDialog", "Going");
    if (status == QLatin1String("declined"))
        return QCoreApplication::translate("EventFormDialog", "Declined");
    if (status == QLatin1String("tentative"))
        return QCoreApplication::translate("EventFormDialog", "Maybe");
    if (status == QLatin1String("delegated"))
        return QCoreApplication::translate("EventFormDialog", "Delegated");
    return QCoreApplication::translate("EventFormDialog", "No response");
}

void AttendeeListEditor::setAttendees(const QList<Attendee> &attendees)
{
    m_attendees = attendees;
    rebuildRows();
}

void AttendeeListEditor::addAttendee()
{
    Attendee attendee;
    attendee.role = QStringLiteral("required");
    attendee.status = QStringLiteral("needs-action");
    m_attendees.append(attendee);
    rebuildRows();
}

void AttendeeListEditor::rebuildRows()
{
    while (m_rows->count() > 1) {
        QWidget *row = m_rows->itemAt(0)->widget();
        m_rows->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    const QString muted = Theme::textMuted().name();
    // Rows address their attendee by the index it had when they were built;
    // a later rebuild replaces them all.
    for (int index = 0; index < m_attendees.size(); ++index) {
        const Attendee &attendee = m_attendees.at(index);
        auto *row = new QWidget(this);
        auto *layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(8);
        auto *name = new QLineEdit(attendee.name, row);
        name->setObjectName(QStringLiteral("attendeeName"));
        name->setPlaceholderText(QCoreApplication::translate("EventFormDialog", "Name"));
        name->setFixedWidth(160);
        connect(name, &QLineEdit::textEdited, this, [this, index](const QString &text) {
            if (index < m_attendees.size())
                m_attendees[index].name = text;
        });
        layout->addWidget(name);
        auto *email = new QLineEdit(attendee.email, row);
        email->setObjectName(QStringLiteral("attendeeEmail"));
        email->setPlaceholderText(QCoreApplication::translate("EventFormDialog", "name@example.com"));
        connect(email, &QLineEdit::textEdited, this, [this, index](const QString &text) {
            if (index < m_attendees.size())
                m_attendees[index].email = text.trimmed();
        });
        layout->addWidget(email, 1);
        auto *status = new QLabel(statusLabel(attendee.status), row);
        status->setStyleSheet(QStringLiteral("color: %1;").arg(muted));
        layout->addWidget(status);
        QToolButton *remove = createRowRemoveButton(row);
        connect(remove, &QToolButton::clicked, this, [this, index] {
            if (index >= m_attendees.size())
                return;
            m_attendees.removeAt(index);
            rebuildRows();
        });
        layout->addWidget(remove);
        m_rows->insertWidget(m_rows->indexOf(m_addButton), row);
    }
    show();
}
