#include "ui/panes/agendataskrow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "calendar/taskmarks.h"
#include "calendar/tasktree.h"
#include "dialogs/editing/taskactions.h"
#include "store/taskrepository.h"
#include "ui/panes/agendarowcolor.h"
#include "ui/popovers/labelcolor.h"

#include <algorithm>

AgendaTaskRow::AgendaTaskRow(AppState *app, const Task &task, QWidget *parent, const QString &color)
    : PaneRow(QStringLiteral("agendaTaskRow"), parent)
    , m_app(app)
    , m_task(task)
    , m_color(color.isEmpty() ? AgendaRowColor::resolve(app, task.color, task.calendar_id) : color)
{

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(8);
    layout->addSpacing(22);
    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    QLabel *title = makeTitle(m_task.title.isEmpty() ? tr("(Untitled)") : m_task.title, "title", true);
    if (isTaskCompleted(m_task)) {
        QFont struck = title->font();
        struck.setStrikeOut(true);
        title->setFont(struck);
        QColor faded = Theme::textPrimary();
        faded.setAlpha(140);
        setLabelTextColor(title, faded);
    }
    column->addWidget(title);
    if (TaskDates::isOverdue(m_task, QDate::currentDate())) {
        auto *overdue = new QLabel(tr("Overdue"), this);
        overdue->setObjectName(QStringLiteral("overdue"));
        setLabelTextColor(overdue, Theme::danger());
        QFont font = overdue->font();
        font.setPointSize(std::max(font.pointSize() - 1, 8));
        font.setWeight(QFont::Bold);
        overdue->setFont(font);
        column->addWidget(overdue);
    }
    layout->addLayout(column, 1);
    layout->addWidget(makeChevron());
}

QRect AgendaTaskRow::checkBox() const
{
    return QRect(12, (height() - 16) / 2, 16, 16);
}

QRect AgendaTaskRow::checkHitArea() const
{
    return checkBox().adjusted(-2, -2, 2, 2);
}

void AgendaTaskRow::clickControl()
{
    TaskActions::toggleCompleted(m_app, m_task, this);
}

void AgendaTaskRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintHover(painter);
    paintRule(painter);
    const QColor parsed(m_color);
    const QColor colour = parsed.isValid() ? parsed : Theme::accent();
    const QRectF box = checkBox();
    if (isTaskCompleted(m_task)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(box, 3, 3);
        painter.setPen(QPen(Qt::white, 1.8));
        const qreal x = box.x();
        const qreal y = box.y();
        painter.drawLine(QPointF(x + 4, y + 8), QPointF(x + 7, y + 11));
        painter.drawLine(QPointF(x + 7, y + 11), QPointF(x + 12, y + 5));
        return;
    }
    painter.setPen(QPen(colour, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box, 3, 3);
}
