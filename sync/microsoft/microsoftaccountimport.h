#pragma once

#include <QObject>
#include <QString>

#include "sync/core/syncrepositories.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/microsoft/microsoftendpoints.h"

#include <functional>
#include <memory>

namespace TindAccount {
class TokenStore;
}

namespace Microsoft {

struct DiscoveredCalendar;

// What follows a browser sign-in: the account is stored (or found again
// when the same address signs in once more), its token set is kept in the
// secret store under the account's id, and its calendars are listed and
// stored (new ones added, known ones renamed and recoloured). A sign-in
// screen connects AuthService::signInSucceeded to start() and shows
// `failed` to the user.
class AccountImport : public QObject
{
    Q_OBJECT
public:
    using TokenStoreMaker = std::function<std::unique_ptr<TindAccount::TokenStore>()>;

    explicit AccountImport(const Sync::Repositories &store, QObject *parent = nullptr);
    AccountImport(const Sync::Repositories &store, const Endpoints &endpoints, QObject *parent = nullptr);

    // Where the token set is written; the application's secret store by
    // default.
    void setTokenStoreMaker(TokenStoreMaker maker) { m_tokenStoreMaker = std::move(maker); }

    void start(const SignInResult &result);

Q_SIGNALS:
    void imported(const QString &accountId, int calendarCount);
    void failed(const QString &reason);

private:
    QString storeAccount(const SignInResult &result);
    bool storeCalendars(const QString &accountId, const QList<DiscoveredCalendar> &found);

    Sync::Repositories m_store;
    Endpoints m_endpoints;
    TokenStoreMaker m_tokenStoreMaker;
};

} // namespace Microsoft
