#pragma once

#include "store/account.h"
#include "store/calendar.h"
#include "sync/caldav/caldavcalendarcalls.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class AppState;
class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace TindAccount {
class TokenStore;
}

// Creates a calendar on this device or on a CalDAV server (MKCALENDAR), or
// renames and recolours one, on its server too when it is a CalDAV calendar
// (PROPPATCH). For a CalDAV calendar that does not announce tasks it can
// allow them after a live test: a throw-away to-do is written and deleted.
// Network steps run while the dialog stays open with its controls disabled.
class CalendarFormDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { Local, CalDavCreate, Edit };
    using SecretStoreMaker = std::function<std::unique_ptr<TindAccount::TokenStore>()>;

    // A new calendar on this device.
    CalendarFormDialog(AppState *app, QWidget *parent = nullptr);
    // A new calendar on the account's CalDAV server.
    CalendarFormDialog(AppState *app, const Account &account, QWidget *parent = nullptr);
    // Renames and recolours an existing calendar.
    CalendarFormDialog(AppState *app, const Calendar &calendar, QWidget *parent = nullptr);

    Mode mode() const { return m_mode; }
    QString color() const { return m_color; }
    // Where CalDAV passwords are read from; the program's secret store
    // unless replaced.
    void setSecretStoreMaker(SecretStoreMaker maker) { m_secretStoreMaker = std::move(maker); }

    // The collection a new calendar of the account gets: a child of its
    // calendar home (or of its first calendar's parent, or of its server
    // URL), named by a new UUID, with a trailing slash.
    static QUrl newCalendarUrl(const Account &account, const QList<Calendar> &accountCalendars);
    // The collection one level up: /calendars/user/work/ -> /calendars/user/.
    static QUrl parentCollectionUrl(const QUrl &url);

public Q_SLOTS:
    // Refused while a server request is out: its answer decides what is
    // stored, and a probe item left behind would stay on the server.
    void reject() override;

private:
    void buildUi();
    void onAccepted();
    QString ensureLocalAccount();
    void saveLocal(const QString &name);
    void saveEdit(const QString &name);
    void storeEdit(const QString &name, const QString &failureStatus);
    Calendar newCalendarRecord(const QString &accountId, const QString &accountType, const QString &url,
                               const QString &name) const;

    // The CalDAV paths (calendarformcaldav.cpp).
    CalDavCalendarCalls *makeCalls(const Account &account, const QString &password);
    void releaseCalls();
    void runCalDavCreate(const QString &name);
    void onCreateReply(const CalDavCalendarCalls::Result &result, const QUrl &url, const QString &name);
    void runCalDavEdit(const QString &name);
    void onPropertiesReply(const CalDavCalendarCalls::Result &result, const QString &name);
    void runTaskSupportProbe(const QString &name);
    void onTaskProbeReply(const CalDavCalendarCalls::Result &result, const QString &name);
    QString loadAccountPassword(const QString &accountId) const;
    // Tells the user and answers true when `url` is not on the account's
    // server: nothing carrying its password goes there.
    bool refusedElsewhere(const Account &account, const QUrl &url);

    void pickColor();
    void updateColorButton();
    void setBusy(bool busy, const QString &message);

    AppState *m_app;
    Mode m_mode;
    std::optional<Account> m_account;
    std::optional<Calendar> m_calendar;
    QLineEdit *m_nameEdit = nullptr;
    QPushButton *m_colorButton = nullptr;
    QCheckBox *m_allowTasksCheck = nullptr;
    QLabel *m_statusLabel = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QString m_color = QStringLiteral("#4285F4");
    bool m_busy = false;
    QPointer<CalDavCalendarCalls> m_calls;
    SecretStoreMaker m_secretStoreMaker;
};
