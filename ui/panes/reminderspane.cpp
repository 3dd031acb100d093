#include "ui/panes/reminderspane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "calendar/tasktree.h"
#include "dialogs/editing/taskactions.h"
#include "dialogs/editing/taskformdialog.h"
#include "store/calendarrepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"
#include "ui/panes/panereader.h"
#include "ui/panes/paneparts.h"
#include "ui/panes/slicedrows.h"
#include "ui/panes/taskspanerow.h"

#include <algorithm>

RemindersPane::RemindersPane(AppState *appState, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *header = new QWidget(this);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(12, 8, 12, 8);
    headerLayout->setSpacing(8);
    auto *title = new QLabel(tr("Reminders"), header);
    QFont titleFont = title->font();
    titleFont.setWeight(QFont::Bold);
    titleFont.setPointSize(std::max(1, 13 * Theme::fontScale() / 100));
    title->setFont(titleFont);
    headerLayout->addWidget(title);
    headerLayout->addStretch(1);
    m_clearButton = new QPushButton(tr("Clear"), header);
    m_clearButton->setObjectName(QStringLiteral("clearCompleted"));
    m_clearButton->setCursor(Qt::PointingHandCursor);
    m_clearButton->setToolTip(tr("Delete all completed reminders"));
    m_clearButton->hide();
    connect(m_clearButton, &QPushButton::clicked, this, &RemindersPane::clearCompleted);
    headerLayout->addWidget(m_clearButton);
    m_completedButton = new QToolButton(header);
    m_completedButton->setObjectName(QStringLiteral("showCompleted"));
    m_completedButton->setText(tr("Completed"));
    m_completedButton->setCheckable(true);
    m_completedButton->setCursor(Qt::PointingHandCursor);
    m_completedButton->setToolTip(tr("Show completed reminders"));
    connect(m_completedButton, &QToolButton::toggled, this, &RemindersPane::setShowCompleted);
    headerLayout->addWidget(m_completedButton);
    layout->addWidget(header);

    m_scroll = PaneParts::makeScrollList(this, &m_list);
    layout->addWidget(m_scroll, 1);
    m_empty = PaneParts::makeEmptyState(this, tr("No reminders yet"),
                                        tr("Add a reminder to get a nudge at the time you set."))
                  .widget;
    layout->addWidget(m_empty, 1);
    // Until the first read tells whether there is anything.
    m_empty->hide();

    QPushButton *add = nullptr;
    layout->addWidget(PaneParts::makeAddFooter(this, tr("+ New Reminder"), QStringLiteral("newReminderButton"), &add));
    connect(add, &QPushButton::clicked, this, &RemindersPane::addReminder);

    // The reminders are tasks of the calendars of the active group.
    m_reader = PaneParts::makeTaskReader(m_appState, this);
    connect(m_reader, &PaneReader::readWanted, this, &RemindersPane::reload);
    connect(m_reader, &PaneReader::arrived, this, &RemindersPane::apply);
    m_rows = new SlicedRows(m_list, this);
    connect(m_rows, &SlicedRows::finished, this, &RemindersPane::reloaded);
    // The first read waits for the first show: the window paints before it.
}

void RemindersPane::setShowCompleted(bool on)
{
    if (on == m_showCompleted)
        return;
    m_showCompleted = on;
    m_clearButton->setVisible(on);
    if (m_completedButton->isChecked() != on)
        m_completedButton->setChecked(on);
    reload();
}

QList<Task> RemindersPane::collectReminders(bool completed) const
{
    return ReminderListing::collect(ViewRange::sourcesOf(m_appState), m_appState->activeViewId(), completed);
}

void RemindersPane::reload()
{
    m_reader->readListing<ReminderListing>({m_showCompleted, m_appState->activeViewId(), QDate::currentDate()});
}

bool RemindersPane::isLoading() const
{
    return m_reader->isReading() || m_rows->isBuilding();
}

void RemindersPane::apply(const QVariant &digest)
{
    m_listing = digest.value<ReminderListing>();
    m_empty->setVisible(m_listing.isEmpty());
    m_scroll->setVisible(!m_listing.isEmpty());
    m_nextSection = 0;
    m_nextRow = -1;
    m_rows->start([this](QWidget *parent) { return nextRow(parent); });
}

QString RemindersPane::sectionTitle(int kind)
{
    switch (kind) {
    case ReminderListing::Overdue:
        return tr("Overdue");
    case ReminderListing::Today:
        return tr("Today");
    case ReminderListing::Upcoming:
        return tr("Upcoming");
    case ReminderListing::NoDate:
        return tr("No date");
    default:
        return tr("Completed");
    }
}

QWidget *RemindersPane::nextRow(QWidget *parent)
{
    while (m_nextSection < m_listing.sections.size()) {
        const ReminderListing::Section &section = m_listing.sections.at(m_nextSection);
        if (m_nextRow < 0) {
            m_nextRow = 0;
            return PaneParts::makeSectionHeader(sectionTitle(section.kind), int(section.reminders.size()),
                                                QString(), parent);
        }
        if (m_nextRow < section.reminders.size())
            return makeRow(section.reminders.at(m_nextRow++), parent);
        ++m_nextSection;
        m_nextRow = -1;
    }
    return nullptr;
}

QWidget *RemindersPane::makeRow(const Task &task, QWidget *parent)
{
    auto *row = new TasksPaneRow(m_appState, task, false, true, m_listing.colors.value(task.calendar_id), 0,
                                 parent);
    row->setDraggable(false);
    connect(row, &TasksPaneRow::rowSelected, this, &RemindersPane::openRowPopover);
    connect(row, &TasksPaneRow::rowActivated, this, &RemindersPane::openEditor);
    connect(row, &TasksPaneRow::rowContextRequested, this, &RemindersPane::showContextMenu);
    return row;
}

QStringList RemindersPane::sectionTitles() const
{
    QStringList titles;
    for (QWidget *widget : m_rows->rows()) {
        if (widget->objectName() == QLatin1String("sectionHeader"))
            titles.append(widget->findChild<QLabel *>(QStringLiteral("sectionTitle"))->text());
    }
    return titles;
}

QList<TasksPaneRow *> RemindersPane::rows() const
{
    return PaneParts::taskRows(m_rows->rows());
}

void RemindersPane::openRowPopover(const QString &taskId, const QRect &screenRect)
{
    PaneParts::openTaskCard(m_appState, taskId, screenRect, this);
}

void RemindersPane::openEditor(const QString &taskId)
{
    TaskActions::openEditor(m_appState, taskId, this);
}

void RemindersPane::showContextMenu(const QString &taskId, const QPoint &globalPos)
{
    TaskMenuTexts texts;
    texts.edit = tr("Edit…");
    texts.markComplete = tr("Mark Complete");
    texts.markIncomplete = tr("Mark Incomplete");
    texts.remove = tr("Delete");
    texts.deleteTitle = tr("Delete reminder?");
    texts.deleteQuestion = tr("Delete \"%1\"? This cannot be undone.");
    texts.separatorBeforeDelete = true;
    TaskActions::showMenu(m_appState, this, taskId, globalPos, texts);
}

void RemindersPane::clearCompleted()
{
    const QList<Task> completed = collectReminders(true);
    if (completed.isEmpty())
        return;
    QMessageBox box(QMessageBox::Question, tr("Clear completed reminders?"),
                    tr("Delete all %n completed reminder(s)? This cannot be undone.", nullptr, int(completed.size())),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    for (const Task &task : completed) {
        // One refusal is shown once; the rest would be refused alike.
        if (!TaskActions::remove(m_appState, task.id, this))
            return;
    }
}

void RemindersPane::addReminder()
{
    if (m_appState->calendars()->getAll().isEmpty()) {
        QMessageBox::information(this, tr("No calendars"), tr("Create a calendar first."), QMessageBox::Ok);
        return;
    }
    TaskFormDialog dialog(m_appState, this);
    dialog.setItemType(QStringLiteral("reminder"));
    dialog.exec();
}
