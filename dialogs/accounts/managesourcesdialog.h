#pragma once

#include <QDialog>
#include <QString>

#include "account/widgets/sharemembersdialog.h"
#include "store/calendar.h"
#include "sync/google/googleendpoints.h"
#include "sync/microsoft/microsoftendpoints.h"

#include <functional>
#include <optional>

class AppState;
namespace TindAccount {
class Client;
}
namespace Tindlebrook {
class SharingBackend;
}
class MainWindow;
class QToolButton;
class QWidget;
class UrlOpener;

// "Calendar Accounts": every account with its calendars beneath it, read
// afresh from the store whenever accounts or calendars change, so that
// nothing shown here can go stale. Rows hand their actions back by key.
class ManageSourcesDialog : public QDialog
{
    Q_OBJECT
public:
    // The main window may be null; it only marks that a sync may be asked
    // for (through AppState::syncNowRequested, which the window answers).
    ManageSourcesDialog(AppState *state, MainWindow *mainWindow, QWidget *parent = nullptr);

    void rebuild();
    // A new calendar: on the server of a CalDAV account, else on this device.
    void addCalendar(const QString &accountId);
    void editCalendar(const QString &calendarId);

    // Keys: "sync", "edit", "addcal", "refresh", "remove", "up", "down".
    void onAccountAction(const QString &action, const QString &accountId);
    // Keys: "edit", "default", "remove", "share".
    void onCalendarAction(const QString &action, const QString &calendarId);

    void moveAccount(const QString &accountId, int delta);
    void setCalendarVisible(const QString &calendarId, bool visible);

    void signInAccount(const QString &accountId);
    void startGoogleSignIn(const QString &accountId);
    void startMicrosoftSignIn(const QString &accountId);
    void openCloudAccount();
    // The browser of provider sign-ins (not owned); the system's when unset.
    void setUrlOpener(UrlOpener *opener) { m_urlOpener = opener; }
    // Google's hosts and client; the build's and the environment's when unset.
    void setGoogleEndpoints(const Google::Endpoints &endpoints) { m_googleEndpoints = endpoints; }
    // Microsoft's hosts and client; the build's and the environment's when unset.
    void setMicrosoftEndpoints(const Microsoft::Endpoints &endpoints) { m_microsoftEndpoints = endpoints; }

    void removeAccount(const QString &accountId);
    void removeCalendar(const QString &calendarId);
    void refreshCalDavCalendars(const QString &accountId);

    void upgradeCalendar(const QString &calendarId);
    void shareCalendar(const Calendar &calendar);

    // Replaces the members dialog of a cloud calendar (opened over a backend
    // that lives as long as this dialog); a change of members there is to
    // call sharingChanged().
    using ShareDialogOpener =
        std::function<void(ManageSourcesDialog *dialog, TindAccount::Client *client,
                           Tindlebrook::SharingBackend *backend, const QString &serverCalendarId,
                           const QString &calendarName)>;
    void setShareDialogOpener(ShareDialogOpener opener) { m_shareDialogOpener = std::move(opener); }
    // Members changed: every account syncs.
    void sharingChanged();
    // What the members dialog shows for the calendar of this name.
    static TindAccount::ShareMembersDialog::Texts shareTexts(const QString &calendarName);

    // The two confirmations before a calendar is deleted: a warning, then
    // typing "DELETE". True only when both were passed.
    static bool confirmDeleteCalendar(QWidget *parent, const QString &name, int eventCount, bool onCalDavServer);

private:
    QToolButton *buildAddButton();
    void insertRow(QWidget *row);
    void requestFullSync();
    void deleteCalendarLocally(const QString &calendarId);
    void disableAfterRefusedDelete(const QString &calendarId, const QString &name, int status,
                                   const QString &error);

    AppState *m_state;
    MainWindow *m_mainWindow;
    QWidget *m_listHost = nullptr;
    ShareDialogOpener m_shareDialogOpener;
    UrlOpener *m_urlOpener = nullptr;
    std::optional<Google::Endpoints> m_googleEndpoints;
    std::optional<Microsoft::Endpoints> m_microsoftEndpoints;
};
