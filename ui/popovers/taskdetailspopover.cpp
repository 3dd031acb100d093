#include "ui/popovers/taskdetailspopover.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "calendar/taskmarks.h"
#include "calendar/tasktree.h"
#include "dialogs/editing/taskactions.h"
#include "dialogs/editing/taskformdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "ui/popovers/labelcolor.h"

namespace {

constexpr char16_t EventGlyph = 0xE89E;

} // namespace

TaskDetailsPopover::TaskDetailsPopover(AppState *app, const Task &task, QWidget *anchor)
    : PopoverCard(anchor, QStringLiteral("taskDetailsPopover"), 460)
    , m_app(app)
    , m_task(task)
{
    takeOver(this);

    buildUi();
    rebuild();
    widenFor(m_actions);
}

void TaskDetailsPopover::buildUi()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);
    // Stored text (title, notes) is plain text: markup from a server must
    // neither render nor link.
    m_title = addTitle(outer);
    m_start = addLabel(outer, "start", Qt::PlainText, true);
    m_due = addLabel(outer, "due", Qt::PlainText, true);
    m_calendar = addLabel(outer, "calendar", Qt::RichText, false);
    m_priority = addLabel(outer, "priority", Qt::RichText, false);
    m_categories = addLabel(outer, "categories", Qt::RichText, false);
    m_notes = addLabel(outer, "notes", Qt::PlainText, false);
    m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_linkedEvents = addLabel(outer, "linkedEvents", Qt::RichText, true);
    m_linkedEvents->setCursor(Qt::PointingHandCursor);
    // Its links are the program's own; nothing in it leaves the program.
    m_linkedEvents->setOpenExternalLinks(false);
    for (QLabel *label : {m_start, m_due, m_priority, m_categories, m_notes, m_linkedEvents})
        label->hide();
    outer->addSpacing(8);

    auto *actions = new QHBoxLayout;
    m_actions = actions;
    actions->setSpacing(8);
    m_editButton = newActionButton(tr("Edit…"), "edit");
    m_editButton->setDefault(true);
    m_subtaskButton = newActionButton(tr("Add Subtask"), "addSubtask");
    m_completeButton = newActionButton(QString(), "complete");
    m_deleteButton = newActionButton(tr("Delete"), "delete");
    actions->addWidget(m_editButton);
    actions->addWidget(m_subtaskButton);
    actions->addWidget(m_completeButton);
    actions->addStretch(1);
    actions->addWidget(m_deleteButton);
    outer->addLayout(actions);
    connect(m_editButton, &QPushButton::clicked, this, &TaskDetailsPopover::onEdit);
    connect(m_subtaskButton, &QPushButton::clicked, this, &TaskDetailsPopover::onAddSubtask);
    connect(m_completeButton, &QPushButton::clicked, this, &TaskDetailsPopover::onToggleCompleted);
    connect(m_deleteButton, &QPushButton::clicked, this, &TaskDetailsPopover::onDelete);
}

QString TaskDetailsPopover::formatTaskDate(const QDateTime &value, bool dateOnly, const QDate &today)
{
    const QDate day = TaskDates::dayOf(value, dateOnly);
    QString text;
    if (day == today)
        text = tr("Today");
    else if (day == today.addDays(1))
        text = tr("Tomorrow");
    else if (day == today.addDays(-1))
        text = tr("Yesterday");
    else
        text = QLocale().toString(day, QStringLiteral("dddd, MMMM d, yyyy"));
    const QTime time = value.toLocalTime().time();
    if (!dateOnly && time != QTime(0, 0))
        text += QStringLiteral("  ·  ") + QLocale().toString(time, QStringLiteral("h:mm AP"));
    return text;
}

void TaskDetailsPopover::rebuild()
{
    const bool completed = isTaskCompleted(m_task);
    const QDate today = QDate::currentDate();
    m_title->setText(m_task.title.isEmpty() ? tr("(Untitled task)") : m_task.title);
    QFont titleFont = m_title->font();
    titleFont.setStrikeOut(completed);
    m_title->setFont(titleFont);

    if (m_task.start_date) {
        m_start->setText(tr("▶  Starts %1").arg(formatTaskDate(*m_task.start_date, m_task.start_is_date_only, today)));
        m_start->show();
    }
    if (m_task.due_date) {
        m_due->setText(QStringLiteral("🕒  %1").arg(formatTaskDate(*m_task.due_date, m_task.due_is_date_only, today)));
        if (TaskDates::isOverdue(m_task, today))
            setLabelTextColor(m_due, Theme::danger());
        m_due->show();
    }
    fillCalendarLine();
    if (m_task.priority >= 1 && !completed) {
        m_priority->setText(QStringLiteral("<span style=\"color:%1;\">●</span> %2")
                                .arg(priorityColor(m_task.priority).name(),
                                     tr("%1 priority")
                                         .arg(QCoreApplication::translate("TaskMarks", priorityLevelKey(m_task.priority)))
                                         .toHtmlEscaped()));
        m_priority->show();
    }
    fillCategories();
    if (!m_task.description.isEmpty()) {
        m_notes->setText(m_task.description);
        m_notes->show();
    }
    fillLinkedEvents();
    m_completeButton->setText(completed ? tr("Mark incomplete") : tr("Mark complete"));
}

void TaskDetailsPopover::fillCalendarLine()
{
    m_calendar->setText(calendarLine(m_app, m_task.color, m_task.calendar_id, tr("Unknown calendar")));
}

void TaskDetailsPopover::fillCategories()
{
    QStringList chips;
    for (const QString &category : m_task.categories) {
        const QString text = category.trimmed();
        if (text.isEmpty())
            continue;
        chips.append(QStringLiteral("<span style=\"background:%1; color:%2; padding:1px 6px; border-radius:8px; "
                                    "font-size:11px;\">%3</span>")
                         .arg(Theme::surfaceMuted().name(), Theme::textMuted().name(), text.toHtmlEscaped()));
    }
    if (chips.isEmpty())
        return;
    m_categories->setText(chips.join(QStringLiteral("&nbsp;")));
    m_categories->show();
}

void TaskDetailsPopover::fillLinkedEvents()
{
    const QList<Event> events = m_task.uid.isEmpty() ? QList<Event>() : m_app->events()->getRelatedTo(m_task.uid);
    if (events.isEmpty())
        return;
    m_firstEventId = events.first().id;
    const QString accent = Theme::accent().name();
    QStringList links;
    for (const Event &event : events) {
        const QString title = event.title.isEmpty() ? tr("(Untitled event)") : event.title;
        links.append(QStringLiteral("<a href=\"open-event:%1\" style=\"color:%2; text-decoration:none;\">%3</a>")
                         .arg(event.id.toHtmlEscaped(), accent, title.toHtmlEscaped()));
    }
    const QString caption = events.size() == 1 ? tr("Linked event:") : tr("Linked events:");
    m_linkedEvents->setText(QStringLiteral("<a href=\"open-event:%1\" style=\"color:%2; text-decoration:none;\"><span "
                                           "style=\"font-family:'%3'; font-size:14px;\">%4</span>&nbsp;&nbsp;%5</a> %6")
                                .arg(m_firstEventId.toHtmlEscaped(), accent, Theme::fontFamily().toHtmlEscaped(),
                                     QString(QChar(EventGlyph)), caption.toHtmlEscaped(),
                                     links.join(QStringLiteral(", "))));
    m_linkedEvents->show();
}

void TaskDetailsPopover::onEdit()
{
    AppState *app = m_app;
    const Task task = m_task;
    QWidget *host = parentWidget() ? window() : nullptr;
    QObject *context = host ? static_cast<QObject *>(host) : qApp;
    QPointer<TaskDetailsPopover> self(this);
    QTimer::singleShot(0, context, [app, task, host, self] {
        if (self)
            self->close();
        TaskFormDialog dialog(app, task, host);
        dialog.exec();
    });
}

void TaskDetailsPopover::onAddSubtask()
{
    AppState *app = m_app;
    const QString uid = m_task.uid;
    const QString calendarId = m_task.calendar_id;
    QWidget *host = parentWidget() ? window() : nullptr;
    QObject *context = host ? static_cast<QObject *>(host) : qApp;
    QPointer<TaskDetailsPopover> self(this);
    QTimer::singleShot(0, context, [app, uid, calendarId, host, self] {
        if (self)
            self->close();
        TaskFormDialog dialog(app, host);
        dialog.setParentTaskUid(uid);
        dialog.setCalendarId(calendarId);
        dialog.exec();
    });
}

void TaskDetailsPopover::onToggleCompleted()
{
    AppState *app = m_app;
    const Task task = m_task;
    QWidget *host = parentWidget() ? window() : nullptr;
    close();
    TaskActions::toggleCompleted(app, task, host);
}

void TaskDetailsPopover::onDelete()
{
    const Task task = m_task;
    const QString name = m_task.title.isEmpty() ? tr("Task") : m_task.title;
    AppState *app = m_app;
    close();
    // The question has no parent; a refusal is shown the same way.
    TaskActions::confirmAndDelete(app, task, tr("Delete task?"), tr("Delete \"%1\"? This cannot be undone.").arg(name),
                                  nullptr);
}

void TaskDetailsPopover::openFirstLinkedEvent()
{
    QWidget *host = parentWidget() ? window() : nullptr;
    const QString eventId = m_firstEventId;
    if (!host || eventId.isEmpty() || !host->inherits("MainWindow"))
        return;
    close();
    // The main window sits above this library and is reached by name.
    if (host->metaObject()->indexOfMethod("focusOnEvent(QString,QDate)") >= 0)
        QMetaObject::invokeMethod(host, "focusOnEvent", Qt::QueuedConnection, Q_ARG(QString, eventId),
                                  Q_ARG(QDate, QDate()));
}

QWidget *TaskDetailsPopover::linkedLine() const
{
    return m_linkedEvents;
}

void TaskDetailsPopover::openLinked()
{
    openFirstLinkedEvent();
}
