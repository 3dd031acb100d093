#include "dialogs/editing/manageviewsdialog.h"

#include <QListWidget>
#include <QMessageBox>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/calendargroupname.h"
#include "app/theme/theme.h"
#include "dialogs/editing/confirmbox.h"
#include "dialogs/editing/orderedrecordlist.h"
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
    OrderedRecordList::addHeading(layout, tr("Calendar Groups"),
                                  tr("Drag a row to change the order groups appear in the picker. Use Edit to change "
                                     "which calendars a group includes, or Delete to remove a group."),
                                  this);

    m_rows = new OrderedRecordList({QStringLiteral("groupList"),
                                    {tr("Add group…"), QStringLiteral("addGroup")},
                                    {tr("Edit…"), QStringLiteral("editGroup")},
                                    {tr("Delete"), QStringLiteral("deleteGroup")}},
                                   this);
    layout->addWidget(m_rows, 1);
    connect(m_rows, &OrderedRecordList::orderChanged, this, &ManageViewsDialog::persistOrder);
    connect(m_rows, &OrderedRecordList::addRequested, this, &ManageViewsDialog::addGroup);
    connect(m_rows, &OrderedRecordList::editRequested, this, &ManageViewsDialog::editGroup);
    connect(m_rows, &OrderedRecordList::deleteRequested, this, &ManageViewsDialog::deleteGroup);
    connect(m_app->views(), &ViewRepository::viewsChanged, this, &ManageViewsDialog::reload, Qt::QueuedConnection);
    OrderedRecordList::addCloseFooter(layout, this);
    resize(560, 480);
}

void ManageViewsDialog::reload()
{
    m_rows->beginRows();
    const QList<CalendarView> groups = m_app->views()->getAll();
    for (const CalendarView &group : groups) {
        QListWidgetItem *item = m_rows->addRow(CalendarGroupName::shown(group), group.id);
        if (!group.color.isEmpty())
            item->setIcon(Theme::colorDotIcon(group.color));
        if (group.id == QLatin1String(AllCalendarsId))
            item->setFlags(item->flags() & ~Qt::ItemIsDragEnabled);
    }
    m_rows->finishRows(tr("(no groups yet)"));
}

void ManageViewsDialog::addGroup()
{
    ViewFormDialog form(m_app, this);
    form.exec();
}

void ManageViewsDialog::editGroup()
{
    const QString id = m_rows->currentId();
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
    const QString id = m_rows->currentId();
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
    if (confirmed(this, tr("Delete group?"), tr("Delete \"%1\"? You can recreate it later.").arg(group->name))
        && !m_app->views()->remove(id))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not delete the group."));
}

void ManageViewsDialog::persistOrder(const QStringList &ids)
{
    if (!m_app->views()->reorder(ids))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the order of the groups."));
}
