#pragma once

#include <QColor>
#include <QDialog>
#include <QList>
#include <QString>

#include "account/records.h"
#include "account/sharemember.h"
#include "account/sharingbackend.h"

class QLabel;
class QVBoxLayout;

namespace TindAccount {

class Client;

// Grants and withdraws access to one cloud calendar for the other members
// of the user's group: who has access, and who could still be added.
class ShareMembersDialog : public QDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString title;
        QString heading;
        QString intro;
        QString sharedSectionTitle;
        QString addSectionTitle;
        QString noSharesText;
        QString noGroupText;
        QString allHaveAccessText;
        QString shareButtonText;
        QString removeButtonTip;
        QString closeButtonText;
        QString shareRole;
        QString shareErrorTitle;
        QString removeErrorTitle;
        QString removeConfirmTitle;
        QString removeConfirmText;
    };

    ShareMembersDialog(Client *client, SharingBackend *backend, const QString &calendarId, const Texts &texts,
                       QWidget *parent = nullptr);

    void reload();

    static QString initialsFor(const QString &displayName, const QString &email);
    static QLabel *makeAvatar(const QString &initials, const QColor &color, int size, QWidget *parent);

Q_SIGNALS:
    void sharingChanged();

private:
    void loadGroupMembers();
    void loadShares();
    void populateShares();
    QWidget *makeCandidateRow(const GroupMember &member);
    QWidget *makeShareRow(const ShareMember &share);
    void shareWithMember(const QString &userId, const QString &name);
    void removeShare(const QString &userId, const QString &name);
    void showError(const QString &text);

    Client *m_client;
    SharingBackend *m_backend;
    QString m_calendarId;
    Texts m_texts;
    QLabel *m_errorLabel = nullptr;
    QVBoxLayout *m_sharedList = nullptr;
    QVBoxLayout *m_addList = nullptr;
    QLabel *m_noGroupLabel = nullptr;
    QLabel *m_allHaveAccessLabel = nullptr;
    QList<GroupMember> m_groupMembers;
    QList<ShareMember> m_shares;
    QString m_currentUserId;
    bool m_busy = false;
};

} // namespace TindAccount
