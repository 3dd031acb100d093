#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "account/sharemember.h"

#include <functional>

namespace TindAccount {

// How the calendar-sharing dialog shares a cloud calendar, without knowing
// the transport. Every operation answers once, through its callback, on the
// GUI thread; a backend must outlive the requests it started.
class SharingBackend : public QObject
{
    Q_OBJECT
public:
    using MembersCallback = std::function<void(QList<ShareMember>)>;
    using ShareCallback = std::function<void(bool ok, QString error)>;
    using RemoveCallback = std::function<void(bool ok)>;

    explicit SharingBackend(QObject *parent = nullptr);
    ~SharingBackend() override;

    // The calendar's members; an empty list also when they cannot be read.
    virtual void listMembers(const QString &calendarId, MembersCallback callback) = 0;
    // error: a message the user can read, empty on success.
    virtual void shareWith(const QString &calendarId, const QString &userId, const QString &role,
                           ShareCallback callback) = 0;
    virtual void removeShare(const QString &calendarId, const QString &userId, RemoveCallback callback) = 0;
    // The user id the operations above take for a group member's account id.
    virtual QString resolveMemberId(const QString &accountId);
};

} // namespace TindAccount
