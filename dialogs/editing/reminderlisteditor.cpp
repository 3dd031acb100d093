#include "dialogs/editing/reminderlisteditor.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/editing/listeditorbuttons.h"

namespace {

struct ReminderPreset
{
    int minutes;
    const char *label;
};

// Shared with the program's other reminder texts: the QObject context.
const ReminderPreset ReminderPresets[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "At time of event")},
    {5, QT_TRANSLATE_NOOP("QObject", "5 minutes before")},
    {10, QT_TRANSLATE_NOOP("QObject", "10 minutes before")},
    {15, QT_TRANSLATE_NOOP("QObject", "15 minutes before")},
    {30, QT_TRANSLATE_NOOP("QObject", "30 minutes before")},
    {60, QT_TRANSLATE_NOOP("QObject", "1 hour before")},
    {120, QT_TRANSLATE_NOOP("QObject", "2 hours before")},
    {1440, QT_TRANSLATE_NOOP("QObject", "1 day before")},
    {2880, QT_TRANSLATE_NOOP("QObject", "2 days before")},
    {10080, QT_TRANSLATE_NOOP("QObject", "1 week before")},
};

} // namespace

ReminderListEditor::ReminderListEditor(QWidget *parent)
    : QWidget(parent)
{
    m_rows = new QVBoxLayout(this);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(8);
    m_addButton = createListAddButton(QCoreApplication::translate("EventFormDialog", "+ Add reminder"), this);
    m_addButton->setObjectName(QStringLiteral("addReminder"));
    connect(m_addButton, &QPushButton::clicked, this, [this] { addReminderRow(15); });
    m_rows->addWidget(m_addButton);
}

ReminderListEditor::~ReminderListEditor() = default;

QString ReminderListEditor::reminderLabel(int minutes)
{
    for (const ReminderPreset &preset : ReminderPresets) {
        if (preset.minutes == minutes)
            return QCoreApplication::translate("QObject", preset.label);
    }
    if (minutes == 0)
        return QCoreApplication::translate("QObject", "At time of event");
    if (minutes >= 1440)
        return QCoreApplication::translate("QObject", "%1 days before").arg(minutes / 1440);
    if (minutes >= 60)
        return QCoreApplication::translate("QObject", "%1 hours before").arg(minutes / 60);
    return QCoreApplication::translate("QObject", "%1 minutes before").arg(minutes);
}

void ReminderListEditor::addReminderRow(int minutes)
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto *choice = new QComboBox(row);
    choice->setObjectName(QStringLiteral("reminder"));
    for (const ReminderPreset &preset : ReminderPresets)
        choice->addItem(QCoreApplication::translate("QObject", preset.label), preset.minutes);
    int index = choice->findData(minutes);
    if (index < 0) {
        choice->addItem(reminderLabel(minutes), minutes);
        index = choice->count() - 1;
    }
    choice->setCurrentIndex(index);
    layout->addWidget(choice, 1);
    QToolButton *remove = createRowRemoveButton(row);
    connect(remove, &QToolButton::clicked, this, [this, row] {
        m_rows->removeWidget(row);
        row->hide();
        row->deleteLater();
    });
    layout->addWidget(remove);
    m_rows->insertWidget(m_rows->indexOf(m_addButton), row);
}

void ReminderListEditor::clear()
{
    while (m_rows->count() > 1) {
        QWidget *row = m_rows->itemAt(0)->widget();
        m_rows->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
}

QList<int> ReminderListEditor::minutes() const
{
    QList<int> minutes;
    for (int i = 0; i < m_rows->count(); ++i) {
        QWidget *row = m_rows->itemAt(i)->widget();
        if (auto *choice = row == m_addButton ? nullptr : row->findChild<QComboBox *>(QStringLiteral("reminder")))
            minutes.append(choice->currentData().toInt());
    }
    return minutes;
}
