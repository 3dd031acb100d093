#include "dialogs/editing/orderedrecordlist.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/theme/theme.h"
#include "dialogs/editing/formparts.h"

OrderedRecordList::OrderedRecordList(const Controls &controls, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);

    m_list = new QListWidget(this);
    m_list->setObjectName(controls.listName);
    m_list->setMinimumHeight(280);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setDragEnabled(true);
    m_list->setAcceptDrops(true);
    m_list->setDropIndicatorShown(true);
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDefaultDropAction(Qt::MoveAction);
    layout->addWidget(m_list, 1);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &OrderedRecordList::editRequested);
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this, [this] {
        const QStringList order = ids();
        if (!order.isEmpty())
            Q_EMIT orderChanged(order);
    });

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    auto *add = new QPushButton(controls.add.text, this);
    add->setObjectName(controls.add.name);
    m_edit = new QPushButton(controls.edit.text, this);
    m_edit->setObjectName(controls.edit.name);
    m_delete = new QPushButton(controls.remove.text, this);
    m_delete->setObjectName(controls.remove.name);
    buttons->addWidget(add);
    buttons->addWidget(m_edit);
    buttons->addStretch(1);
    buttons->addWidget(m_delete);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &OrderedRecordList::addRequested);
    connect(m_edit, &QPushButton::clicked, this, &OrderedRecordList::editRequested);
    connect(m_delete, &QPushButton::clicked, this, &OrderedRecordList::deleteRequested);
}

QStringList OrderedRecordList::ids() const
{
    QStringList order;
    for (int row = 0; row < m_list->count(); ++row) {
        const QString id = m_list->item(row)->data(Qt::UserRole).toString();
        if (!id.isEmpty())
            order << id;
    }
    return order;
}

QString OrderedRecordList::currentId() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void OrderedRecordList::beginRows()
{
    m_wasBlocked = m_list->blockSignals(true);
    m_list->clear();
    m_records = 0;
}

QListWidgetItem *OrderedRecordList::addRow(const QString &text, const QString &id)
{
    auto *item = new QListWidgetItem(text, m_list);
    item->setData(Qt::UserRole, id);
    ++m_records;
    return item;
}

void OrderedRecordList::finishRows(const QString &placeholder)
{
    if (m_records == 0) {
        auto *row = new QListWidgetItem(placeholder, m_list);
        row->setFlags(Qt::NoItemFlags);
    }
    m_edit->setEnabled(m_records > 0);
    m_delete->setEnabled(m_records > 0);
    m_list->blockSignals(m_wasBlocked);
}

void OrderedRecordList::addHeading(QVBoxLayout *layout, const QString &heading, const QString &help, QWidget *parent)
{
    auto *title = new QLabel(heading, parent);
    QFont font = title->font();
    font.setWeight(QFont::Bold);
    font.setPointSize(Theme::fontXl());
    title->setFont(font);
    layout->addWidget(title);
    auto *text = new QLabel(help, parent);
    text->setWordWrap(true);
    text->setProperty("muted", true);
    layout->addWidget(text);
}

void OrderedRecordList::addCloseFooter(QVBoxLayout *layout, QWidget *dialog)
{
    FormParts::addRule(layout, dialog);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    if (auto *owner = qobject_cast<QDialog *>(dialog))
        connect(box, &QDialogButtonBox::rejected, owner, &QDialog::reject);
    layout->addWidget(box);
}
