#pragma once

#include <QString>

class AppState;
class QBoxLayout;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QWidget;
struct CalendarPick;

// The pieces the event, task and filter forms are built from, so that they
// look alike.
namespace FormParts {

// A muted, wrapping explanation under a form's heading, then a gap.
QLabel *addSubtitle(QBoxLayout *layout, const QString &text, QWidget *parent);
// The right-aligned label column every form uses.
QFormLayout *newFormLayout();
// The thin rule above a form's buttons.
void addRule(QBoxLayout *layout, QWidget *parent);
// The rule, then OK and Cancel with the caller's texts (each form keeps its
// own translations); Cancel rejects the dialog, the caller connects accepted.
QDialogButtonBox *addOkCancelFooter(QBoxLayout *layout, QDialog *dialog, const QString &okText,
                                    const QString &cancelText);
// Fills the picker with the calendars the pick offers and preselects the
// stored default for new events or tasks, else the default calendar.
void fillCalendarPicker(QComboBox *picker, AppState *state, const CalendarPick &pick);

} // namespace FormParts
