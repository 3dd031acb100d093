#include "ui/panes/paneparts.h"

#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/accountname.h"
#include "app/appstate.h"
#include "app/theme/theme.h"
#include "store/accountrepository.h"
#include "store/taskrepository.h"
#include "store/viewrepository.h"
#include "ui/panes/panereader.h"
#include "ui/panes/taskspanerow.h"
#include "ui/popovers/popoverplacement.h"
#include "ui/popovers/taskdetailspopover.h"

#include <algorithm>

namespace PaneParts {

std::optional<QSet<QString>> groupFilter(AppState *state)
{
    return groupFilter(state->views(), state->activeViewId());
}

std::optional<QSet<QString>> groupFilter(ViewRepository *views, const QString &activeViewId)
{
    const std::optional<CalendarView> group = views->getById(activeViewId);
    if (!group || group->deleted_at)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(group->calendar_ids.toUtf8());
    if (!document.isArray() || document.array().isEmpty())
        return std::nullopt;
    QSet<QString> ids;
    for (const QJsonValue &value : document.array())
        ids.insert(value.toString());
    return ids;
}

QString calendarTitle(AppState *state, const Calendar &calendar)
{
    return calendarTitle(state->accounts(), calendar);
}

QString calendarTitle(AccountRepository *accounts, const Calendar &calendar)
{
    const std::optional<Account> account = accounts ? accounts->getById(calendar.account_id) : std::nullopt;
    const QString accountName = account ? AccountName::shown(*account) : QString();
    if (!accountName.isEmpty())
        return QStringLiteral("%1 / %2").arg(accountName, calendar.name);
    return calendar.name;
}

QScrollArea *makeScrollList(QWidget *parent, QVBoxLayout **column)
{
    auto *scroll = new QScrollArea(parent);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *content = new QWidget(scroll);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    scroll->setWidget(content);
    *column = layout;
    return scroll;
}

void clearRows(QVBoxLayout *column)
{
    while (column->count() > 1) {
        QLayoutItem *item = column->takeAt(0);
        if (QWidget *widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
}

void appendRow(QVBoxLayout *column, QWidget *row)
{
    column->insertWidget(column->count() - 1, row);
}

EmptyState makeEmptyState(QWidget *parent, const QString &title, const QString &body)
{
    EmptyState state;
    state.widget = new QWidget(parent);
    auto *layout = new QVBoxLayout(state.widget);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setAlignment(Qt::AlignCenter);
    layout->addStretch(1);
    state.title = new QLabel(title, state.widget);
    state.title->setObjectName(QStringLiteral("emptyTitle"));
    QFont font = state.title->font();
    font.setWeight(QFont::Bold);
    font.setPointSize(std::max(1, 13 * Theme::fontScale() / 100));
    state.title->setFont(font);
    state.title->setAlignment(Qt::AlignCenter);
    layout->addWidget(state.title);
    layout->addSpacing(8);
    state.body = new QLabel(body, state.widget);
    state.body->setObjectName(QStringLiteral("emptyBody"));
    state.body->setProperty("muted", true);
    state.body->setWordWrap(true);
    state.body->setAlignment(Qt::AlignCenter);
    layout->addWidget(state.body);
    layout->addStretch(2);
    state.widget->hide();
    return state;
}

QWidget *makeSectionHeader(const QString &title, int count, const QString &dotColor, QWidget *parent)
{
    auto *header = new QWidget(parent);
    header->setObjectName(QStringLiteral("sectionHeader"));
    auto *layout = new QHBoxLayout(header);
    layout->setContentsMargins(12, 12, 12, 8);
    layout->setSpacing(8);
    if (!dotColor.isNull()) {
        const QColor colour(dotColor);
        auto *dot = new QLabel(QStringLiteral("●"), header);
        dot->setStyleSheet(QStringLiteral("color: %1;").arg(colour.isValid() ? colour.name() : QStringLiteral("#9aa0a6")));
        QFont dotFont = dot->font();
        dotFont.setPointSize(dotFont.pointSize() + 2);
        dot->setFont(dotFont);
        layout->addWidget(dot);
    }
    auto *label = new QLabel(title, header);
    label->setObjectName(QStringLiteral("sectionTitle"));
    label->setTextFormat(Qt::PlainText);
    QFont bold = label->font();
    bold.setWeight(QFont::Bold);
    label->setFont(bold);
    layout->addWidget(label);
    layout->addStretch(1);
    auto *counter = new QLabel(QString::number(count), header);
    counter->setObjectName(QStringLiteral("sectionCount"));
    counter->setProperty("muted", true);
    layout->addWidget(counter);
    return header;
}

QWidget *makeAddFooter(QWidget *parent, const QString &text, const QString &objectName, QPushButton **button)
{
    auto *footer = new QWidget(parent);
    auto *layout = new QHBoxLayout(footer);
    layout->setContentsMargins(12, 8, 12, 12);
    auto *add = new QPushButton(text, footer);
    add->setObjectName(objectName);
    add->setCursor(Qt::PointingHandCursor);
    QFont bold = add->font();
    bold.setWeight(QFont::Bold);
    add->setFont(bold);
    add->setMinimumHeight(36);
    layout->addWidget(add);
    *button = add;
    return footer;
}

QList<TasksPaneRow *> taskRows(const QList<QWidget *> &rows)
{
    QList<TasksPaneRow *> out;
    for (QWidget *widget : rows) {
        if (auto *row = qobject_cast<TasksPaneRow *>(widget))
            out.append(row);
    }
    return out;
}

PaneReader *makeTaskReader(AppState *state, QWidget *pane)
{
    auto *reader = new PaneReader(state, pane,
                                  ViewRangeLoader::Sources(ViewRangeLoader::Source::Tasks)
                                      | ViewRangeLoader::Source::Calendars | ViewRangeLoader::Source::Views);
    QObject::connect(state, &AppState::activeViewChanged, reader, [reader] { reader->noteChange(); });
    return reader;
}

void openTaskCard(AppState *state, const QString &taskId, const QRect &screenRect, QWidget *anchor)
{
    const std::optional<Task> task = state->tasks()->getById(taskId);
    if (!task || task->deleted_at)
        return;
    auto *popover = new TaskDetailsPopover(state, *task, anchor);
    if (screenRect.isValid())
        positionPopoverNear(popover, screenRect);
    else
        showPopoverCentered(popover);
}

} // namespace PaneParts
