#include "ui/popovers/eventdetailspopover.h"

#include <QApplication>
#include <QDebug>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/platform/urlopener.h"
#include "app/rruleformat.h"
#include "app/theme/theme.h"
#include "app/timeformatsetting.h"
#include "calendar/alldaydates.h"
#include "calendar/descriptionlinks.h"
#include "dialogs/editing/eventactions.h"
#include "dialogs/editing/eventformdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"

namespace {

const char LinkedTaskHref[] = "open-linked-task";
constexpr char16_t RepeatGlyph = 0xE040;
constexpr char16_t BellGlyph = 0xE7F4;
constexpr char16_t TaskGlyph = 0xE834;

QString iconLine(QChar glyph, const QString &text)
{
    return QStringLiteral("<span style=\"font-family:'%1'; font-size:14px;\">%2</span>&nbsp;&nbsp;%3")
        .arg(Theme::fontFamily().toHtmlEscaped(), QString(glyph), text.toHtmlEscaped());
}

} // namespace

EventDetailsPopover::EventDetailsPopover(AppState *app, const Event &event, QWidget *anchor)
    : PopoverCard(anchor, QStringLiteral("eventDetailsPopover"), 400)
    , m_app(app)
    , m_event(event)
    , m_urlOpener(UrlOpener::desktop())
{
    takeOver(this);

    setMaximumHeight(560);

    buildUi();
    rebuild();
    connect(m_app->events(), &EventRepository::eventsChanged, this, &EventDetailsPopover::closeIfDeleted);
}

void EventDetailsPopover::setUrlOpener(UrlOpener *opener)
{
    m_urlOpener = opener ? opener : UrlOpener::desktop();
}

void EventDetailsPopover::buildUi()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);

    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
    auto *content = new QWidget(scroll);
    content->setStyleSheet(QStringLiteral("background: transparent;"));
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);

    // Stored text (title, location, organizer) is plain text: markup in an
    // event from a server must not render or link.
    m_title = addTitle(column);
    m_when = addLabel(column, "when", Qt::PlainText, true);
    m_recurrence = addLabel(column, "recurrence", Qt::RichText, true);
    m_reminders = addLabel(column, "reminders", Qt::RichText, true);
    m_calendar = addLabel(column, "calendar", Qt::RichText, false);
    m_location = addLabel(column, "location", Qt::PlainText, false);
    m_location->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_description = addLabel(column, "description", Qt::RichText, false);
    m_description->setOpenExternalLinks(false);
    m_description->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    connect(m_description, &QLabel::linkActivated, this, &EventDetailsPopover::openLink);
    m_linkedTask = addLabel(column, "linkedTask", Qt::RichText, true);
    m_linkedTask->setCursor(Qt::PointingHandCursor);
    m_organizer = addLabel(column, "organizer", Qt::PlainText, true);
    column->addStretch(1);
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);
    outer->addSpacing(8);

    auto *actions = new QHBoxLayout;
    actions->setSpacing(8);
    m_editButton = newActionButton(tr("Edit…"), "edit");
    m_editButton->setDefault(true);
    m_duplicateButton = newActionButton(tr("Duplicate"), "duplicate");
    m_deleteButton = newActionButton(tr("Delete"), "delete");
    actions->addWidget(m_editButton);
    actions->addWidget(m_duplicateButton);
    actions->addStretch(1);
    actions->addWidget(m_deleteButton);
    outer->addLayout(actions);
    connect(m_editButton, &QPushButton::clicked, this, &EventDetailsPopover::onEdit);
    connect(m_duplicateButton, &QPushButton::clicked, this, &EventDetailsPopover::onDuplicate);
    connect(m_deleteButton, &QPushButton::clicked, this, &EventDetailsPopover::onDelete);
}

void EventDetailsPopover::rebuild()
{
    m_title->setText(m_event.title.isEmpty() ? tr("(Untitled)") : m_event.title);
    m_when->setText(formatWhen(m_event, TimeFormat::pattern(m_app)));
    fillCalendarLine();

    m_recurrence->setVisible(!m_event.recurrence_rule.isEmpty());
    if (!m_event.recurrence_rule.isEmpty())
        m_recurrence->setText(iconLine(QChar(RepeatGlyph), describeRecurrence(m_event)));

    fillLinkedTask();

    m_reminders->setVisible(!m_event.reminders.isEmpty());
    if (!m_event.reminders.isEmpty()) {
        QStringList offsets;
        for (const Reminder &reminder : std::as_const(m_event.reminders))
            offsets.append(describeReminderOffset(reminder.minutes_before));
        m_reminders->setText(iconLine(QChar(BellGlyph), offsets.join(QStringLiteral(", "))));
    }

    m_location->setVisible(!m_event.location.isEmpty());
    if (!m_event.location.isEmpty())
        m_location->setText(QStringLiteral("📍  %1").arg(m_event.location));

    m_description->setVisible(!m_event.description.isEmpty());
    if (!m_event.description.isEmpty())
        m_description->setText(descriptionToRichText(m_event.description, m_event.conference_url, Theme::accent().name()));

    QString organizer = m_event.organizer_name;
    if (!m_event.organizer_name.isEmpty() && !m_event.organizer_email.isEmpty())
        organizer = QStringLiteral("%1 <%2>").arg(m_event.organizer_name, m_event.organizer_email);
    else if (organizer.isEmpty())
        organizer = m_event.organizer_email;
    m_organizer->setVisible(!organizer.isEmpty());
    if (!organizer.isEmpty())
        m_organizer->setText(tr("Organizer: %1").arg(organizer));
}

void EventDetailsPopover::fillCalendarLine()
{
    m_calendar->setText(calendarLine(m_app, m_event.color, m_event.calendar_id, tr("Unknown calendar")));
}

void EventDetailsPopover::fillLinkedTask()
{
    std::optional<Task> task;
    if (!m_event.related_to_uid.isEmpty())
        task = m_app->tasks()->getByUid(m_event.related_to_uid);
    m_linkedTask->setVisible(task.has_value());
    if (!task)
        return;
    const QString title = task->title.isEmpty() ? tr("(Untitled task)") : task->title;
    m_linkedTask->setText(QStringLiteral("<a href=\"%1\" style=\"color:%2; text-decoration:none;\"><span "
                                         "style=\"font-family:'%3'; font-size:14px;\">%4</span>&nbsp;&nbsp;%5 %6</a>")
                              .arg(QString::fromLatin1(LinkedTaskHref), Theme::accent().name(),
                                   Theme::fontFamily().toHtmlEscaped(), QString(QChar(TaskGlyph)),
                                   tr("Linked task:").toHtmlEscaped(), title.toHtmlEscaped()));
}

QString EventDetailsPopover::formatWhen(const Event &event, const QString &timePattern)
{
    if (event.is_all_day) {
        const QDate first = AllDayDates::firstDay(event);
        const QDate last = AllDayDates::lastDay(event);
        const QLocale locale;
        if (first == last)
            return locale.toString(first, QStringLiteral("dddd, MMMM d, yyyy")) + QStringLiteral("  ·  ")
                   + tr("All-day");
        return QStringLiteral("%1 – %2  ·  %3")
            .arg(locale.toString(first, QStringLiteral("dddd, MMM d")),
                 locale.toString(last, QStringLiteral("dddd, MMM d, yyyy")), tr("All-day"));
    }
    const QDateTime start = event.start_time.toLocalTime();
    const QString dateText = QLocale().toString(start, QStringLiteral("dddd, MMMM d, yyyy"));
    const QString timeText = QLocale().toString(start, timePattern);
    if (!event.end_time)
        return dateText + QLatin1Char('\n') + timeText;
    const QDateTime end = event.end_time->toLocalTime();
    const QString endText = end.date() == start.date()
                                ? QLocale().toString(end, timePattern)
                                : QLocale().toString(end, QStringLiteral("dddd, MMMM d, yyyy ") + timePattern);
    return dateText + QLatin1Char('\n') + timeText + QStringLiteral(" – ") + endText;
}

void EventDetailsPopover::onEdit()
{
    AppState *app = m_app;
    const Event shown = m_event;
    // A repeating event's card shows one occurrence: the form edits that
    // occurrence of the series as stored, and saving asks how far the
    // change reaches.
    std::optional<Event> series;
    if (!shown.recurrence_rule.isEmpty()) {
        if (const std::optional<Event> stored = app->events()->getById(shown.id); stored && !stored->deleted_at)
            series = stored;
    }
    QWidget *host = parentWidget() ? window() : nullptr;
    QObject *context = host ? static_cast<QObject *>(host) : qApp;
    QPointer<EventDetailsPopover> self(this);
    QTimer::singleShot(0, context, [app, shown, series, host, self] {
        if (self)
            self->close();
        if (series) {
            EventFormDialog dialog(app, *series, shown, host);
            dialog.exec();
            return;
        }
        EventFormDialog dialog(app, shown, host);
        dialog.exec();
    });
}

void EventDetailsPopover::onDuplicate()
{
    const Event source = m_event;
    AppState *app = m_app;
    close();
    EventActions::duplicate(app, nullptr, source);
}

void EventDetailsPopover::onDelete()
{
    AppState *app = m_app;
    const QString eventId = m_event.id;
    close();
    // The delete runs after the card has closed, so it holds nothing of it.
    // The row as stored goes, not the occurrence the card showed: the undo
    // must bring back the series, not a copy moved to one of its days.
    if (EventActions::confirmAndDelete(app, nullptr, eventId))
        app->setSelectedEventId(QString());
}

void EventDetailsPopover::openLink(const QString &href)
{
    if (href == QLatin1String(LinkedTaskHref)) {
        openLinkedTask();
        return;
    }
    const QUrl url(href);
    if (!LinkPolicy::isExternalLink(url)) {
        qInfo().noquote() << "[EventDetailsPopover] ignored a link that is not a web or mail address";
        return;
    }
    m_urlOpener->open(url);
}

void EventDetailsPopover::openLinkedTask()
{
    QWidget *host = parentWidget() ? window() : nullptr;
    const QString uid = m_event.related_to_uid;
    if (!host || uid.isEmpty() || !host->inherits("MainWindow"))
        return;
    close();
    // The main window opens the task; it is reached by name, since it sits
    // above this library.
    if (host->metaObject()->indexOfMethod("focusOnTask(QString)") >= 0)
        QMetaObject::invokeMethod(host, "focusOnTask", Qt::QueuedConnection, Q_ARG(QString, uid));
}

void EventDetailsPopover::closeIfDeleted()
{
    const std::optional<Event> stored = m_app->events()->getById(m_event.id);
    if (!stored || stored->deleted_at)
        close();
}

QWidget *EventDetailsPopover::linkedLine() const
{
    return m_linkedTask;
}

void EventDetailsPopover::openLinked()
{
    openLinkedTask();
}
