#include "dialogs/editing/managetemplatesdialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "dialogs/editing/confirmbox.h"
#include "dialogs/editing/templateeditordialog.h"
#include "store/templaterepository.h"

ManageTemplatesDialog::ManageTemplatesDialog(AppState *app, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
{
    setWindowTitle(tr("Event Templates"));
    setModal(true);
    resize(560, 480);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    auto *help = new QLabel(tr("Templates pre-fill the new-event form. Double-click to edit."), this);
    help->setWordWrap(true);
    help->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    layout->addWidget(help);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("templateList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_list, 1);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ManageTemplatesDialog::editTemplate);

    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    auto *add = new QPushButton(tr("Add…"), this);
    add->setObjectName(QStringLiteral("addTemplate"));
    auto *edit = new QPushButton(tr("Edit…"), this);
    edit->setObjectName(QStringLiteral("editTemplate"));
    auto *remove = new QPushButton(tr("Delete"), this);
    remove->setObjectName(QStringLiteral("deleteTemplate"));
    connect(add, &QPushButton::clicked, this, &ManageTemplatesDialog::addTemplate);
    connect(edit, &QPushButton::clicked, this, &ManageTemplatesDialog::editTemplate);
    connect(remove, &QPushButton::clicked, this, &ManageTemplatesDialog::deleteTemplate);
    row->addWidget(add);
    row->addWidget(edit);
    row->addWidget(remove);
    row->addStretch(1);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    row->addWidget(box);
    layout->addLayout(row);
    reload();
}

void ManageTemplatesDialog::reload()
{
    m_list->clear();
    if (!m_app || !m_app->templates())
        return;
    for (const EventTemplate &tpl : m_app->templates()->getAll()) {
        const QString title = tpl.title.isEmpty() ? tr("(no title)") : tpl.title;
        auto *item = new QListWidgetItem(tr("%1: %2").arg(tpl.name, title), m_list);
        if (!tpl.color.isEmpty())
            item->setIcon(Theme::colorDotIcon(tpl.color));
        item->setData(Qt::UserRole, tpl.id);
    }
}

void ManageTemplatesDialog::addTemplate()
{
    EventTemplate fresh;
    fresh.is_all_day = false;
    fresh.duration_minutes = 60;
    fresh.reminders = {15};
    fresh.sort_order = 0;
    TemplateEditorDialog editor(m_app, fresh, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    if (!m_app->templates()->insert(editor.eventTemplate()))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the template."));
    reload();
}

std::optional<EventTemplate> ManageTemplatesDialog::currentTemplate() const
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return std::nullopt;
    return m_app->templates()->getById(item->data(Qt::UserRole).toString());
}

void ManageTemplatesDialog::editTemplate()
{
    const std::optional<EventTemplate> tpl = currentTemplate();
    if (!tpl)
        return;
    TemplateEditorDialog editor(m_app, *tpl, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    if (!m_app->templates()->update(editor.eventTemplate()))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the template."));
    reload();
}

void ManageTemplatesDialog::deleteTemplate()
{
    const std::optional<EventTemplate> tpl = currentTemplate();
    if (!tpl)
        return;
    if (!confirmed(this, tr("Delete template?"),
                   tr("Delete the template \"%1\"? Events already created from it are unaffected.").arg(tpl->name)))
        return;
    if (!m_app->templates()->remove(tpl->id))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not delete the template."));
    reload();
}
