#include "dialogs/editing/recurringeditscopedialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/theme/theme.h"

RecurringEditScopeDialog::RecurringEditScopeDialog(const QString &eventTitle, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Edit Recurring Event"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);

    auto *heading = new QLabel(tr("Edit \"%1\"").arg(eventTitle), this);
    heading->setTextFormat(Qt::PlainText);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(Theme::fontXl());
    heading->setFont(headingFont);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    auto *question = new QLabel(tr("This event repeats. Apply your changes to:"), this);
    question->setProperty("muted", true);
    question->setWordWrap(true);
    layout->addWidget(question);
    layout->addSpacing(8);

    addScopeButton(layout, tr("This event only"),
                   tr("Only this occurrence is changed; the rest of the series stays as it was."), ThisEvent);
    addScopeButton(layout, tr("This and following events"),
                   tr("This occurrence and every later one inherit the change. Past occurrences keep their "
                      "original times."),
                   ThisAndFollowing);
    addScopeButton(layout, tr("All events in the series"),
                   tr("The master event shifts; every occurrence — past and future — moves with it."), AllEvents);

    layout->addStretch();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::rejected, this, [this] {
        m_scope = Cancel;
        reject();
    });
    layout->addWidget(buttons);
    resize(400, sizeHint().height());
}

RecurringEditScopeDialog::~RecurringEditScopeDialog() = default;

void RecurringEditScopeDialog::addScopeButton(QVBoxLayout *layout, const QString &text, const QString &toolTip,
                                              int scope)
{
    auto *button = new QPushButton(text, this);
    button->setMinimumHeight(40);
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, scope] {
        m_scope = scope;
        accept();
    });
    layout->addWidget(button);
}
