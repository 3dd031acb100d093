#pragma once

#include "store/event.h"

#include <QString>

#include "ui/popovers/openone.h"
#include "ui/popovers/popovercard.h"

class AppState;
class QLabel;
class QPushButton;
class UrlOpener;

// The card that shows one event, or one occurrence of a repeating event:
// title, when, repetition, reminders, calendar, location, description with
// live links, the linked task and the organizer, with Edit, Duplicate and
// Delete. At most one is open; it closes on Escape, on a click elsewhere in
// its window, when it starts an action, and when its event is deleted.
class EventDetailsPopover : public PopoverCard, public OpenOne<EventDetailsPopover>
{
    Q_OBJECT
public:
    // A child of the anchor's window (no parent without an anchor). Closes
    // the open popover first. The caller places and shows it.
    EventDetailsPopover(AppState *app, const Event &event, QWidget *anchor);

    const Event &event() const { return m_event; }
    // Where web and mail links go; the desktop's handler until set.
    void setUrlOpener(UrlOpener *opener);

    // The date and time line: the stored dates of an all-day event, local
    // times with the given time pattern for a timed one.
    static QString formatWhen(const Event &event, const QString &timePattern);

protected:
    QWidget *linkedLine() const override;
    void openLinked() override;

private:
    void buildUi();
    void rebuild();
    void fillCalendarLine();
    void fillLinkedTask();
    void onEdit();
    void onDuplicate();
    void onDelete();
    void openLink(const QString &href);
    void openLinkedTask();
    void closeIfDeleted();

    AppState *m_app;
    Event m_event;
    UrlOpener *m_urlOpener;
    QLabel *m_title = nullptr;
    QLabel *m_when = nullptr;
    QLabel *m_recurrence = nullptr;
    QLabel *m_reminders = nullptr;
    QLabel *m_calendar = nullptr;
    QLabel *m_location = nullptr;
    QLabel *m_description = nullptr;
    QLabel *m_linkedTask = nullptr;
    QLabel *m_organizer = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_duplicateButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
};
