#include "dialogs/editing/managefiltersdialog.h"

#include <QListWidget>
#include <QMessageBox>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "dialogs/editing/confirmbox.h"
#include "dialogs/editing/filterformdialog.h"
#include "dialogs/editing/orderedrecordlist.h"
#include "store/filterrulerepository.h"

namespace {

QString typeLabel(const QString &type)
{
    if (type == QLatin1String("pattern"))
        return ManageFiltersDialog::tr("Pattern");
    if (type == QLatin1String("time"))
        return ManageFiltersDialog::tr("Time");
    if (type == QLatin1String("specific"))
        return ManageFiltersDialog::tr("Specific");
    if (type == QLatin1String("all_day"))
        return ManageFiltersDialog::tr("All-day");
    return type;
}

QString actionLabel(const QString &action)
{
    if (action == QLatin1String("hide"))
        return ManageFiltersDialog::tr("Hide");
    if (action == QLatin1String("dim"))
        return ManageFiltersDialog::tr("Dim");
    return action;
}

} // namespace

ManageFiltersDialog::ManageFiltersDialog(AppState *app, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
{
    setWindowTitle(tr("Manage Filters"));
    setModal(true);
    buildUi();
    reload();
}

QString ManageFiltersDialog::rowText(const QString &name, const QString &type, const QString &action)
{
    return tr("%1   ·   %2 → %3").arg(name, typeLabel(type), actionLabel(action));
}

void ManageFiltersDialog::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    OrderedRecordList::addHeading(layout, tr("Filters"),
                                  tr("Toggle the checkbox to enable / disable a filter. Drag a row to change priority "
                                     "(top of the list applies first). Use Edit to change conditions or Delete to "
                                     "remove it."),
                                  this);

    m_rows = new OrderedRecordList({QStringLiteral("filterList"),
                                    {tr("Add filter…"), QStringLiteral("addFilter")},
                                    {tr("Edit…"), QStringLiteral("editFilter")},
                                    {tr("Delete"), QStringLiteral("deleteFilter")}},
                                   this);
    m_rows->list()->setStyleSheet(Theme::listIndicatorStyleSheet());
    layout->addWidget(m_rows, 1);
    connect(m_rows->list(), &QListWidget::itemChanged, this, &ManageFiltersDialog::toggleEnabled);
    connect(m_rows, &OrderedRecordList::orderChanged, this, &ManageFiltersDialog::persistPriorities);
    connect(m_rows, &OrderedRecordList::addRequested, this, &ManageFiltersDialog::addFilter);
    connect(m_rows, &OrderedRecordList::editRequested, this, &ManageFiltersDialog::editFilter);
    connect(m_rows, &OrderedRecordList::deleteRequested, this, &ManageFiltersDialog::deleteFilter);
    OrderedRecordList::addCloseFooter(layout, this);

    resize(560, 500);
    // After the write and the slot that made it have finished.
    connect(m_app->filterRules(), &FilterRuleRepository::filterRulesChanged, this, &ManageFiltersDialog::reload,
            Qt::QueuedConnection);
}

void ManageFiltersDialog::reload()
{
    m_rows->beginRows();
    const QList<FilterRule> rules = m_app->filterRules()->getAll();
    for (const FilterRule &rule : rules) {
        QListWidgetItem *item = m_rows->addRow(rowText(rule.name, rule.type, rule.action), rule.id);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(rule.enabled ? Qt::Checked : Qt::Unchecked);
    }
    m_rows->finishRows(tr("(no filters yet)"));
}

void ManageFiltersDialog::toggleEnabled(QListWidgetItem *item)
{
    const QString id = item->data(Qt::UserRole).toString();
    if (id.isEmpty())
        return;
    const std::optional<FilterRule> rule = m_app->filterRules()->getById(id);
    const bool ticked = item->checkState() == Qt::Checked;
    if (rule && !rule->deleted_at && rule->enabled != ticked && !m_app->filterRules()->setEnabled(id, ticked))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the filter."));
}

void ManageFiltersDialog::persistPriorities(const QStringList &ids)
{
    if (!m_app->filterRules()->setPriority(ids))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the order of the filters."));
}

void ManageFiltersDialog::addFilter()
{
    FilterFormDialog form(m_app, this);
    form.exec();
}

std::optional<FilterRule> ManageFiltersDialog::currentRule() const
{
    const QString id = m_rows->currentId();
    if (id.isEmpty())
        return std::nullopt;
    std::optional<FilterRule> rule = m_app->filterRules()->getById(id);
    if (!rule || rule->deleted_at)
        return std::nullopt;
    return rule;
}

void ManageFiltersDialog::editFilter()
{
    const std::optional<FilterRule> rule = currentRule();
    if (!rule)
        return;
    FilterFormDialog form(m_app, *rule, this);
    form.exec();
}

void ManageFiltersDialog::deleteFilter()
{
    const std::optional<FilterRule> rule = currentRule();
    if (!rule)
        return;
    if (confirmed(this, tr("Delete filter?"), tr("Delete \"%1\"? You can recreate it later.").arg(rule->name))
        && !m_app->filterRules()->remove(rule->id))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not delete the filter."));
}
