#include "ui/panes/taskspanerow.h"

#include <QApplication>
#include <QDrag>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"
#include "calendar/taskmarks.h"
#include "calendar/tasktree.h"
#include "dialogs/editing/taskactions.h"
#include "store/taskrepository.h"
#include "ui/panes/taskbadge.h"
#include "ui/popovers/labelcolor.h"

#include <algorithm>

namespace {

constexpr char16_t PendingGlyph = 0xE2C3;
constexpr int MaxAncestorWalk = 64;

QLabel *mutedLabel(const QString &text, int sizeDelta, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setProperty("muted", true);
    QFont font = label->font();
    font.setPointSize(std::max(font.pointSize() + sizeDelta, 8));
    label->setFont(font);
    return label;
}

} // namespace

TasksPaneRow::TasksPaneRow(AppState *appState, const Task &task, bool showNotes, bool showCategories,
                           const QString &calendarColor, int depth, QWidget *parent)
    : PaneRow(QStringLiteral("tasksPaneRow"), parent)
    , m_appState(appState)
    , m_task(task)
    , m_calendarColor(calendarColor)
    , m_depth(depth)
{
    setAcceptDrops(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(m_calendarColor.isEmpty() ? 12 : 20, 8, 12, 8);
    layout->setSpacing(12);
    layout->addSpacing(20);
    if (m_depth > 0)
        layout->addSpacing(16 * m_depth);

    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    layout->addLayout(column, 1);
    buildTitle(column);
    buildMeta(column);
    buildExtras(column, showNotes, showCategories);

    layout->addWidget(makeChevron());
}

void TasksPaneRow::buildTitle(QVBoxLayout *column)
{
    QLabel *title = makeTitle(m_task.title.isEmpty() ? tr("(Untitled)") : m_task.title, "taskTitle", false);
    if (m_task.status == TaskStatus::Completed || m_task.status == TaskStatus::Cancelled) {
        QFont font = title->font();
        font.setStrikeOut(true);
        title->setFont(font);
        QColor faded = Theme::textPrimary();
        faded.setAlpha(140);
        setLabelTextColor(title, faded);
    }
    const bool pendingRemote = m_task.sync_status == SyncStatus::Pending && m_appState
                               && m_appState->remoteAccountCalendars().contains(m_task.calendar_id);
    if (!pendingRemote) {
        column->addWidget(title);
        return;
    }
    auto *line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(4);
    line->addWidget(title, 1);
    auto *marker = new QLabel(QString(QChar(PendingGlyph)), this);
    marker->setObjectName(QStringLiteral("syncMarker"));
    QFont iconFont(Theme::fontFamily());
    iconFont.setPixelSize(14);
    marker->setFont(iconFont);
    marker->setProperty("muted", true);
    marker->setFixedWidth(16);
    marker->setAlignment(Qt::AlignCenter);
    const bool failedHere =
        m_appState->lastSyncErrored() && m_appState->lastSyncErrorCalendarId() == m_task.calendar_id;
    marker->setToolTip(failedHere ? PlainText::forAutoText(m_appState->lastSyncError()) : tr("Waiting to sync"));
    line->addWidget(marker, 0, Qt::AlignTop);
    column->addLayout(line);
}

void TasksPaneRow::buildMeta(QVBoxLayout *column)
{
    const bool inProgress = m_task.status == TaskStatus::InProcess;
    const bool cancelled = m_task.status == TaskStatus::Cancelled;
    const bool completed = isTaskCompleted(m_task);
    const bool priorityBadge = m_task.priority > 0 && !completed;
    if (!m_task.start_date && !m_task.due_date && !inProgress && !cancelled && !priorityBadge)
        return;
    auto *meta = new QHBoxLayout;
    meta->setContentsMargins(0, 0, 0, 0);
    meta->setSpacing(8);
    if (m_task.start_date) {
        auto *start = mutedLabel(QStringLiteral("▶  ") + formatRelativeDay(TaskDates::startDay(m_task)), -1, this);
        start->setObjectName(QStringLiteral("taskStart"));
        meta->addWidget(start);
    }
    if (m_task.due_date) {
        auto *due = mutedLabel(QStringLiteral("🕒  ") + formatRelativeDay(TaskDates::dueDay(m_task)), -1, this);
        due->setObjectName(QStringLiteral("taskDue"));
        if (TaskDates::isOverdue(m_task, QDate::currentDate()))
            setLabelTextColor(due, Theme::danger());
        meta->addWidget(due);
    }
    meta->addStretch(1);
    if (inProgress)
        meta->addWidget(makeTaskBadge(tr("IN PROGRESS"), QColor(255, 154, 0), false, this));
    else if (cancelled)
        meta->addWidget(makeTaskBadge(tr("CANCELLED"), QColor(158, 158, 158), false, this));
    if (priorityBadge) {
        QLabel *badge = makeTaskBadge(QCoreApplication::translate("TaskMarks", priorityLevelKey(m_task.priority)),
                                      priorityColor(m_task.priority), true, this);
        badge->setObjectName(QStringLiteral("priorityBadge"));
        meta->addWidget(badge);
    }
    column->addLayout(meta);
}

void TasksPaneRow::buildExtras(QVBoxLayout *column, bool showNotes, bool showCategories)
{
    const QString notes = m_task.description.trimmed();
    if (showNotes && !notes.isEmpty()) {
        auto *label = mutedLabel(notes, -1, this);
        label->setObjectName(QStringLiteral("taskNotes"));
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(label);
    }
    if (!showCategories)
        return;
    QStringList chips;
    for (const QString &category : m_task.categories) {
        const QString text = category.trimmed();
        if (text.isEmpty())
            continue;
        chips.append(QStringLiteral("<span style=\"background:%1; color:%2; padding:1px 6px; border-radius:8px;\">"
                                    "%3</span>")
                         .arg(Theme::surfaceMuted().name(), Theme::textMuted().name(), text.toHtmlEscaped()));
    }
    if (chips.isEmpty())
        return;
    auto *label = new QLabel(chips.join(QStringLiteral("&nbsp;")), this);
    label->setObjectName(QStringLiteral("taskCategories"));
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPointSize(std::max(font.pointSize() - 2, 7));
    label->setFont(font);
    column->addWidget(label);
}

int TasksPaneRow::boxLeft() const
{
    return m_calendarColor.isEmpty() ? 12 : 20;
}

QRect TasksPaneRow::completionHitArea() const
{
    return QRect(boxLeft() - 2, 8, 20, 20);
}

bool TasksPaneRow::wouldStartDrag(const QPoint &press, const QPoint &pos) const
{
    if (!m_draggable || completionHitArea().contains(press))
        return false;
    return (pos - press).manhattanLength() >= QApplication::startDragDistance();
}

bool TasksPaneRow::refusesDrop(const QString &uid) const
{
    if (uid == m_task.uid)
        return true;
    QString ancestor = m_task.parent_task_uid;
    for (int walked = 0; !ancestor.isEmpty() && walked < MaxAncestorWalk; ++walked) {
        if (ancestor == uid)
            return true;
        if (!m_appState)
            break;
        const std::optional<Task> parent = m_appState->tasks()->getByUidAndCalendar(ancestor, m_task.calendar_id);
        if (!parent)
            break;
        ancestor = parent->parent_task_uid;
    }
    return false;
}

DropZone TasksPaneRow::dropZoneAt(int y, int height)
{
    if (height < 1)
        return DropOnto;
    if (y < height / 4)
        return DropAbove;
    if (y > height - height / 4)
        return DropBelow;
    return DropOnto;
}

QMimeData *TasksPaneRow::makeDragData(const Task &task)
{
    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(UidMimeType), task.uid.toUtf8());
    mime->setData(QString::fromLatin1(IdMimeType), task.id.toUtf8());
    return mime;
}

void TasksPaneRow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressPos = event->position().toPoint();
    m_pressed = true;
    event->accept();
}

void TasksPaneRow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    PaneRow::mouseReleaseEvent(event);
}

void TasksPaneRow::clickControl()
{
    if (m_appState)
        TaskActions::toggleCompleted(m_appState, m_task, this);
}

void TasksPaneRow::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    if (!wouldStartDrag(m_pressPos, event->position().toPoint()))
        return;
    m_pressed = false;
    startDrag();
}

void TasksPaneRow::startDrag()
{
    QPixmap pixmap(size() * devicePixelRatioF());
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setOpacity(0.7);
        render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    auto *drag = new QDrag(this);
    drag->setMimeData(makeDragData(m_task));
    drag->setPixmap(pixmap);
    drag->setHotSpot(m_pressPos);
    drag->exec(Qt::MoveAction);
}

void TasksPaneRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintHover(painter);
    paintDropZone(painter);
    paintRule(painter);
    const QColor stripe(m_calendarColor);
    if (!m_calendarColor.isEmpty() && stripe.isValid()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(stripe);
        painter.drawRoundedRect(QRectF(2, 6, 4, height() - 12), 2, 2);
    }
    paintCompletionBox(painter);
}

void TasksPaneRow::paintDropZone(QPainter &painter)
{
    const QColor accent = Theme::accent();
    if (m_dropZone == DropOnto) {
        QColor wash = accent;
        wash.setAlpha(36);
        painter.fillRect(rect(), wash);
        painter.fillRect(QRect(0, 0, 4, height()), accent);
        QFont pillFont = font();
        pillFont.setPointSizeF(pillFont.pointSizeF() - 1.0);
        pillFont.setWeight(QFont::Bold);
        const QFontMetrics metrics(pillFont);
        const QString text = tr("↳ subtask");
        const int pillWidth = metrics.horizontalAdvance(text) + 16;
        const int pillHeight = metrics.height() + 6;
        const QRectF pill(width() - 12 - pillWidth, (height() - pillHeight) / 2, pillWidth, pillHeight);
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawRoundedRect(pill, pillHeight / 2.0, pillHeight / 2.0);
        painter.setFont(pillFont);
        painter.setPen(Qt::white);
        painter.drawText(pill, Qt::AlignCenter, text);
    } else if (m_dropZone == DropAbove || m_dropZone == DropBelow) {
        const int left = 44 + 16 * m_depth + (m_calendarColor.isEmpty() ? 0 : 8);
        const int y = m_dropZone == DropAbove ? 0 : height() - 3;
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawRect(QRect(left, y, width() - 12 - left, 3));
        if (m_dropZone == DropAbove)
            painter.drawEllipse(QPointF(left, 0), 5, 5);
    }
}

void TasksPaneRow::paintCompletionBox(QPainter &painter)
{
    const int x = boxLeft();
    const int y = 10;
    if (isTaskCompleted(m_task)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::accent());
        painter.drawRoundedRect(QRectF(x, y, 16, 16), 3, 3);
        QPen tick(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(tick);
        painter.drawLine(QPointF(x + 4, y + 8.5), QPointF(x + 7, y + 11.5));
        painter.drawLine(QPointF(x + 7, y + 11.5), QPointF(x + 12, y + 5));
        return;
    }
    painter.setPen(QPen(Theme::borderStrong(), 1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(x, y, 15, 15), 3, 3);
}

void TasksPaneRow::dragEnterEvent(QDragEnterEvent *event)
{
    const QString format = QString::fromLatin1(UidMimeType);
    if (!event->mimeData()->hasFormat(format)) {
        event->ignore();
        return;
    }
    if (refusesDrop(QString::fromUtf8(event->mimeData()->data(format)))) {
        event->ignore();
        return;
    }
    m_dropZone = dropZoneAt(event->position().toPoint().y(), height());
    event->setDropAction(Qt::MoveAction);
    event->accept();
    update();
}

void TasksPaneRow::dragMoveEvent(QDragMoveEvent *event)
{
    if (!event->mimeData()->hasFormat(QString::fromLatin1(UidMimeType))) {
        event->ignore();
        return;
    }
    const DropZone zone = dropZoneAt(event->position().toPoint().y(), height());
    if (zone != m_dropZone) {
        m_dropZone = zone;
        update();
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void TasksPaneRow::dragLeaveEvent(QDragLeaveEvent *)
{
    m_dropZone = DropNone;
    update();
}

void TasksPaneRow::dropEvent(QDropEvent *event)
{
    const DropZone zone = m_dropZone;
    m_dropZone = DropNone;
    update();
    const QString format = QString::fromLatin1(UidMimeType);
    const QString uid =
        event->mimeData()->hasFormat(format) ? QString::fromUtf8(event->mimeData()->data(format)) : QString();
    if (uid.isEmpty() || uid == m_task.uid || zone == DropNone) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    Q_EMIT rowDropTargeted(uid, m_task.uid, zone);
}
