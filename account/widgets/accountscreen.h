#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QWidget>

#include "account/records.h"

class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace TindAccount {

class Client;

// The signed-in user's cloud account: profile, group with its members and
// invitations, registered devices, active sessions and account deletion.
// Every page is filled from an asynchronous reply; the widgets are the only
// state kept.
class AccountScreen : public QWidget
{
    Q_OBJECT
public:
    AccountScreen(Client *client, QWidget *parent = nullptr);

    void refreshAll();
    void refreshProfile();
    void refreshGroup();
    void refreshDevices();
    void refreshSessions();

    void populateGroup(const Group &group);
    void populateDevices(const QList<Device> &devices);
    void populateSessions(const QList<Session> &sessions);

    void showError(const QString &text);
    void showSuccess(const QString &text);

    // Relative time of a last activity as seen at `nowUtc`.
    static QString formatLastActive(const QDateTime &time,
                                    const QDateTime &nowUtc = QDateTime::currentDateTimeUtc());

Q_SIGNALS:
    void logoutRequested();

private:
    QWidget *buildProfilePage();
    QWidget *buildListPage(const QString &title, QVBoxLayout **layout, QWidget **container);
    QWidget *buildPrivacyPage();
    QVBoxLayout *replaceContainer(QVBoxLayout *pageLayout, QWidget **container, int spacing);
    void showUser(const User &user);
    bool viewerIsOwner() const;
    void addMemberRows(QVBoxLayout *layout, const Group &group, bool owner);
    void addOwnerRows(QVBoxLayout *layout, const Group &group);

    // The actions behind the buttons.
    void editDisplayName();
    void changePassword();
    void deleteAccount();
    void joinGroup();
    void inviteByEmail();
    void generateInviteCode();
    void removeMember(const QString &accountId, const QString &name);
    void revokeInvitation(const QString &invitationId);
    void leaveGroup();
    void removeDevice(const QString &deviceId, const QString &name);
    void revokeSession(const QString &sessionId);
    // Shows `success` when the change was made, else `failure` with the
    // service's or the network's reason, then re-reads the page.
    void reportChange(bool ok, const QString &success, const QString &failure, const QString &reason,
                      void (AccountScreen::*refresh)());

    Client *m_client;
    QListWidget *m_sidebar = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_nameLabel = nullptr;
    QLabel *m_emailLabel = nullptr;
    QPushButton *m_editNameButton = nullptr;
    QPushButton *m_changePasswordButton = nullptr;
    QVBoxLayout *m_groupLayout = nullptr;
    QWidget *m_groupContainer = nullptr;
    QVBoxLayout *m_devicesLayout = nullptr;
    QWidget *m_devicesContainer = nullptr;
    QVBoxLayout *m_sessionsLayout = nullptr;
    QWidget *m_sessionsContainer = nullptr;
};

} // namespace TindAccount
