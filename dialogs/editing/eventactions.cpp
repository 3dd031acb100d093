#include "dialogs/editing/eventactions.h"

#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>

#include "app/appstate.h"
#include "calendar/filterengine.h"
#include "dialogs/editing/confirmbox.h"
#include "dialogs/editing/filterformdialog.h"
#include "dialogs/editing/recurringeditscopedialog.h"
#include "store/filterrulerepository.h"

#include <optional>

namespace {

// The editor logged the store's own words; the box says what the user lost.
void warn(QWidget *parent, const QString &title, const EditResult &result)
{
    QMessageBox box(QMessageBox::Warning, title, result.error, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void EventActions::showSaveFailure(QWidget *parent, const EditResult &result)
{
    warn(parent, tr("Couldn't save the change"), result);
}

void EventActions::showDeleteFailure(QWidget *parent, const EditResult &result)
{
    warn(parent, tr("Couldn't delete the event"), result);
}

void EventActions::showMenu(AppState *state, QWidget *parent, const Event &stored, const QPoint &globalPos,
                            const OpenEditor &openEditor)
{
    QMenu menu(parent);
    QAction *edit = menu.addAction(tr("Edit…"));
    QAction *remove = menu.addAction(tr("Delete"));
    menu.addSeparator();
    const std::optional<FilterRule> rule = FilterEngine::findMatchingRule(stored, state->filterRules()->getAll());
    QAction *editFilter = rule ? menu.addAction(tr("Edit filter \"%1\"…").arg(rule->name)) : nullptr;
    QAction *createFilter = menu.addAction(tr("Create Filter from Event…"));

    QAction *chosen = menu.exec(globalPos);
    if (chosen == edit) {
        if (openEditor)
            openEditor(stored);
    } else if (chosen && chosen == editFilter) {
        FilterFormDialog form(state, *rule, parent);
        form.exec();
    } else if (chosen == createFilter) {
        FilterFormDialog form(state, parent);
        form.setSpecificEvent(stored);
        form.exec();
    } else if (chosen == remove) {
        confirmAndDelete(state, parent, stored.id);
    }
}

bool EventActions::confirmAndDelete(AppState *state, QWidget *parent, const QString &eventId)
{
    EventEditor editor = state->eventEditor();
    std::optional<Event> stored = editor.liveEvent(eventId);
    if (!stored)
        return false;
    const QString name = stored->title.isEmpty() ? tr("Event") : stored->title;
    const QString question =
        tr("Delete \"%1\"? You can undo with %2.").arg(name, QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText));
    if (!confirmed(parent, tr("Delete event?"), question))
        return false;
    // The row as it is now: the box may have stood open while a sync ran.
    stored = editor.liveEvent(eventId);
    if (!stored)
        return false;
    const EditResult removed = editor.remove(*stored);
    if (!removed) {
        showDeleteFailure(parent, removed);
        return false;
    }
    return true;
}

bool EventActions::duplicate(AppState *state, QWidget *parent, const Event &source)
{
    const QString title = tr("%1 (copy)").arg(source.title.isEmpty() ? tr("Event") : source.title);
    const EditResult copied = state->eventEditor().duplicate(source, title);
    if (!copied) {
        warn(parent, tr("Couldn't duplicate the event"), copied);
        return false;
    }
    return true;
}

void EventActions::changeTimes(AppState *state, QWidget *parent, const Event &stored,
                               const QDateTime &occurrenceStart, const EventEditor::Times &times,
                               EventEditor::TimeEdit edit)
{
    int scope = SeriesScope::Cancel;
    if (!stored.recurrence_rule.isEmpty()) {
        RecurringEditScopeDialog dialog(stored.title, parent);
        if (dialog.exec() != QDialog::Accepted || dialog.scope() == SeriesScope::Cancel)
            return;
        scope = dialog.scope();
    }
    const EditResult changed = state->eventEditor().changeTimes(stored, occurrenceStart, times, edit, scope);
    if (!changed)
        showSaveFailure(parent, changed);
}
