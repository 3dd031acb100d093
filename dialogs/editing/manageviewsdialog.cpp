#include "dialogs/editing/manageviewsdialog.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "dialogs/editing/viewformdialog.h"
#include "store/viewrepository.h"

namespace {

constexpr const char *AllCalendarsId = "all-calendars";

} // namespace

ManageViewsDialog::ManageViewsDialog(AppState *app, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
{
    setWindowTitle(tr("Manage Calendar Groups"));
    setModal(true);
    buildUi();
    reload();
}

void ManageViewsDialog::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    auto *heading = new QLabel(tr("Calendar Groups"), this);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(Theme::fontXl());
    heading->setFont(headingFont);
    layout->addWidget(heading);
    auto *help = new QLabel(tr("Drag a row to change the order groups appear in the picker. Use Edit to change which "
                               "calendars a group includes, or Delete to remove a group."),
                            this);
    help->setWordWrap(true);
    help->setProperty("muted", true);
    layout->addWidget(help);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("groupList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumHeight(280);
    m_list->setDragEnabled(true);
    m_list->setAcceptDrops(true);
    m_list->setDropIndicatorShown(true);
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDefaultDropAction(Qt::MoveAction);
    layout->addWidget(m_list, 1);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ManageViewsDialog::editGroup);
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this, &ManageViewsDialog::persistOrder);
    connect(m_app->views(), &ViewRepository::viewsChanged, this, &ManageViewsDialog::reload, Qt::QueuedConnection);

    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    auto *add = new QPushButton(tr("Add group…"), this);
    add->setObjectName(QStringLiteral("addGroup"));
    m_edit = new QPushButton(tr("Edit…"), this);
    m_edit->setObjectName(QStringLiteral("editGroup"));
    m_delete = new QPushButton(tr("Delete"), this);
    m_delete->setObjectName(QStringLiteral("deleteGroup"));
    row->addWidget(add);
    row->addWidget(m_edit);
    row->addStretch(1);
    row->addWidget(m_delete);
    layout->addLayout(row);
    connect(add, &QPushButton::clicked, this, &ManageViewsDialog::addGroup);
    connect(m_edit, &QPushButton::clicked, this, &ManageViewsDialog::editGroup);
    connect(m_delete, &QPushButton::clicked, this, &ManageViewsDialog::deleteGroup);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::border().name()));
    layout->addWidget(line);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
    resize(560, 480);
}

void ManageViewsDialog::reload()
{
    const bool wasBlocked = m_list->blockSignals(true);
    m_list->clear();
    const QList<CalendarView> groups = m_app->views()->getAll();
    for (const CalendarView &group : groups) {
        auto *item = new QListWidgetItem(group.name, m_list);
        item->setData(Qt::UserRole, group.id);
        if (!group.color.isEmpty())
            item->setIcon(Theme::colorDotIcon(group.color));
        if (group.id == QLatin1String(AllCalendarsId))
            item->setFlags(item->flags() & ~Qt::ItemIsDragEnabled);
    }
    if (groups.isEmpty()) {
        auto *placeholder = new QListWidgetItem(tr("(no groups yet)"), m_list);
        placeholder->setFlags(Qt::NoItemFlags);
    }
    m_edit->setEnabled(!groups.isEmpty());
    m_delete->setEnabled(!groups.isEmpty());
    m_list->blockSignals(wasBlocked);
}

QString ManageViewsDialog::currentId() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void ManageViewsDialog::addGroup()
{
    ViewFormDialog form(m_app, this);
    form.exec();
}

void ManageViewsDialog::editGroup()
{
    const QString id = currentId();
    if (id.isEmpty())
        return;
    const std::optional<CalendarView> group = m_app->views()->getById(id);
    if (!group || group->deleted_at)
        return;
    ViewFormDialog form(m_app, *group, this);
    form.exec();
}

void ManageViewsDialog::deleteGroup()
{
    const QString id = currentId();
    if (id.isEmpty())
        return;
    if (id == QLatin1String(AllCalendarsId)) {
        QMessageBox::information(this, tr("Built-in group"),
                                 tr("\"All Calendars\" is the fallback group. It can be renamed but not deleted."));
        return;
    }
    const std::optional<CalendarView> group = m_app->views()->getById(id);
    if (!group || group->deleted_at)
        return;
    QMessageBox box(QMessageBox::Question, tr("Delete group?"),
                    tr("Delete \"%1\"? You can recreate it later.").arg(group->name), QMessageBox::Yes | QMessageBox::No,
                    this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() == QMessageBox::Yes)
        m_app->views()->remove(id);
}

void ManageViewsDialog::persistOrder()
{
    QStringList ids;
    for (int row = 0; row < m_list->count(); ++row) {
        const QString id = m_list->item(row)->data(Qt::UserRole).toString();
        if (!id.isEmpty())
            ids << id;
    }
    if (!ids.isEmpty())
        m_app->views()->reorder(ids);
}
