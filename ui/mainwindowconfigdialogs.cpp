// The main window's entries for the user's filters, calendar groups,
// templates and invitations.
#include "ui/mainwindow.h"

#include "app/appstate.h"
#include "dialogs/editing/filterformdialog.h"
#include "dialogs/editing/invitationsdialog.h"
#include "dialogs/editing/managefiltersdialog.h"
#include "dialogs/editing/managetemplatesdialog.h"
#include "dialogs/editing/manageviewsdialog.h"
#include "dialogs/editing/viewformdialog.h"

void MainWindow::openAddFilter()
{
    FilterFormDialog dialog(m_appState, this);
    dialog.exec();
}

void MainWindow::openManageFilters()
{
    ManageFiltersDialog dialog(m_appState, this);
    dialog.exec();
}

void MainWindow::openAddCalendarGroup()
{
    runGroupForm(m_appState, std::nullopt, this);
}

void MainWindow::openManageCalendarGroups()
{
    ManageViewsDialog dialog(m_appState, this);
    dialog.exec();
}

void MainWindow::openManageTemplates()
{
    ManageTemplatesDialog dialog(m_appState, this);
    dialog.exec();
}

void MainWindow::openInvitations()
{
    InvitationsDialog dialog(m_appState, this);
    dialog.exec();
}

QString MainWindow::runGroupForm(AppState *state, const std::optional<CalendarView> &group, QWidget *parent)
{
    if (group) {
        ViewFormDialog dialog(state, *group, parent);
        return dialog.exec() == QDialog::Accepted ? dialog.savedGroupId() : QString();
    }
    ViewFormDialog dialog(state, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.savedGroupId() : QString();
}
