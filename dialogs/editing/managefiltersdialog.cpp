#include "dialogs/editing/managefiltersdialog.h"

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
#include "dialogs/editing/filterformdialog.h"
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

    auto *heading = new QLabel(tr("Filters"), this);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(Theme::fontXl());
    heading->setFont(headingFont);
    layout->addWidget(heading);
    auto *help = new QLabel(tr("Toggle the checkbox to enable / disable a filter. Drag a row to change priority (top "
                               "of the list applies first). Use Edit to change conditions or Delete to remove it."),
                            this);
    help->setWordWrap(true);
    help->setProperty("muted", true);
    layout->addWidget(help);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("filterList"));
    m_list->setMinimumHeight(280);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setDragEnabled(true);
    m_list->setAcceptDrops(true);
    m_list->setDropIndicatorShown(true);
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDefaultDropAction(Qt::MoveAction);
    m_list->setStyleSheet(Theme::listIndicatorStyleSheet());
    layout->addWidget(m_list, 1);
    connect(m_list, &QListWidget::itemChanged, this, &ManageFiltersDialog::toggleEnabled);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ManageFiltersDialog::editFilter);
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this, &ManageFiltersDialog::persistPriorities);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    auto *add = new QPushButton(tr("Add filter…"), this);
    add->setObjectName(QStringLiteral("addFilter"));
    m_edit = new QPushButton(tr("Edit…"), this);
    m_edit->setObjectName(QStringLiteral("editFilter"));
    m_delete = new QPushButton(tr("Delete"), this);
    m_delete->setObjectName(QStringLiteral("deleteFilter"));
    buttons->addWidget(add);
    buttons->addWidget(m_edit);
    buttons->addStretch(1);
    buttons->addWidget(m_delete);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &ManageFiltersDialog::addFilter);
    connect(m_edit, &QPushButton::clicked, this, &ManageFiltersDialog::editFilter);
    connect(m_delete, &QPushButton::clicked, this, &ManageFiltersDialog::deleteFilter);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::border().name()));
    layout->addWidget(line);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);

    resize(560, 500);
    // After the write and the slot that made it have finished.
    connect(m_app->filterRules(), &FilterRuleRepository::filterRulesChanged, this, &ManageFiltersDialog::reload,
            Qt::QueuedConnection);
}

void ManageFiltersDialog::reload()
{
    const bool wasBlocked = m_list->blockSignals(true);
    m_list->clear();
    const QList<FilterRule> rules = m_app->filterRules()->getAll();
    for (const FilterRule &rule : rules) {
        auto *item = new QListWidgetItem(rowText(rule.name, rule.type, rule.action), m_list);
        item->setData(Qt::UserRole, rule.id);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(rule.enabled ? Qt::Checked : Qt::Unchecked);
    }
    if (rules.isEmpty()) {
        auto *placeholder = new QListWidgetItem(tr("(no filters yet)"), m_list);
        placeholder->setFlags(Qt::NoItemFlags);
    }
    m_edit->setEnabled(!rules.isEmpty());
    m_delete->setEnabled(!rules.isEmpty());
    m_list->blockSignals(wasBlocked);
}

void ManageFiltersDialog::toggleEnabled(QListWidgetItem *item)
{
    const QString id = item->data(Qt::UserRole).toString();
    if (id.isEmpty())
        return;
    const std::optional<FilterRule> rule = m_app->filterRules()->getById(id);
    const bool ticked = item->checkState() == Qt::Checked;
    if (rule && !rule->deleted_at && rule->enabled != ticked)
        m_app->filterRules()->setEnabled(id, ticked);
}

void ManageFiltersDialog::persistPriorities()
{
    QStringList ids;
    for (int row = 0; row < m_list->count(); ++row) {
        const QString id = m_list->item(row)->data(Qt::UserRole).toString();
        if (!id.isEmpty())
            ids << id;
    }
    if (!ids.isEmpty())
        m_app->filterRules()->setPriority(ids);
}

void ManageFiltersDialog::addFilter()
{
    FilterFormDialog form(m_app, this);
    form.exec();
}

QString ManageFiltersDialog::currentId() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void ManageFiltersDialog::editFilter()
{
    const QString id = currentId();
    if (id.isEmpty())
        return;
    const std::optional<FilterRule> rule = m_app->filterRules()->getById(id);
    if (!rule || rule->deleted_at)
        return;
    FilterFormDialog form(m_app, *rule, this);
    form.exec();
}

void ManageFiltersDialog::deleteFilter()
{
    const QString id = currentId();
    if (id.isEmpty())
        return;
    const std::optional<FilterRule> rule = m_app->filterRules()->getById(id);
    if (!rule || rule->deleted_at)
        return;
    QMessageBox box(QMessageBox::Question, tr("Delete filter?"),
                    tr("Delete \"%1\"? You can recreate it later.").arg(rule->name), QMessageBox::Yes | QMessageBox::No,
                    this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() == QMessageBox::Yes)
        m_app->filterRules()->remove(id);
}
