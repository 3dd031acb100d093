#include "dialogs/editing/formparts.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QPushButton>

#include "app/appstate.h"
#include "app/calendarchoice.h"
#include "app/theme/theme.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"

namespace FormParts {

QLabel *addSubtitle(QBoxLayout *layout, const QString &text, QWidget *parent)
{
    auto *subtitle = new QLabel(text, parent);
    subtitle->setProperty("muted", true);
    subtitle->setWordWrap(true);
    layout->addWidget(subtitle);
    layout->addSpacing(8);
    return subtitle;
}

QFormLayout *newFormLayout()
{
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(12);
    return form;
}

void addRule(QBoxLayout *layout, QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::border().name()));
    layout->addWidget(line);
}

QDialogButtonBox *addOkCancelFooter(QBoxLayout *layout, QDialog *dialog, const QString &okText,
                                    const QString &cancelText)
{
    addRule(layout, dialog);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(okText);
    buttons->button(QDialogButtonBox::Cancel)->setText(cancelText);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons;
}

void fillCalendarPicker(QComboBox *picker, AppState *state, const CalendarPick &pick)
{
    const QHash<QString, QString> accountNames = shownAccountNames(state->accounts()->getAll());
    const QList<Calendar> calendars = writableCalendars(state->calendars()->getAll(), accountNames, pick);
    for (const Calendar &calendar : calendars)
        picker->addItem(Theme::colorDotIcon(calendar.color), calendarLabel(accountNames, calendar), calendar.id);

    const QString preferred = defaultCalendarIdFor(state->preferences(), pick.forTasks);
    int index = preferred.isEmpty() ? -1 : picker->findData(preferred);
    for (int i = 0; i < calendars.size() && index < 0; ++i) {
        if (calendars.at(i).is_default)
            index = i;
    }
    if (index >= 0)
        picker->setCurrentIndex(index);
}

} // namespace FormParts
