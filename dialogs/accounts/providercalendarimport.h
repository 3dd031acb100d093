#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "store/account.h"

#include <optional>

class AppState;
class QWidget;

// Stores what a Google or Microsoft sign-in brought back: the account row
// (new, or the one signed in again) and one calendar row per provider
// calendar. The two providers differ only in the values of Provider.
class ProviderCalendarImport
{
public:
    struct Provider
    {
        AccountType type = AccountType::Google;
        QString accountColor;
        QString fallbackName;        // when the sign-in gave neither name nor address
        QString insertFailedText;    // shown when the new account row cannot be stored
        bool updatesDescription = false;
    };

    // One provider calendar, already reduced to what is stored.
    struct Entry
    {
        QString id;
        QString name;
        QString description;
        QString color;
        bool readOnly = false;
        bool isDefaultCandidate = false;
    };

    ProviderCalendarImport(AppState *state, QWidget *messageParent, const Provider &provider);

    // The account the sign-in belongs to, created or updated; nothing when it
    // could not be stored (the user has been told).
    std::optional<Account> storeAccount(const QString &accountId, const QString &name, const QString &email) const;
    // New calendars are added, known ones (by url) renamed, recoloured and
    // given the provider's access; calendars no longer listed stay. An entry
    // without a drawable colour gets the default one. Returns the names of
    // the calendars that could not be stored.
    QStringList storeCalendars(const QString &accountId, const QList<Entry> &entries) const;
    // Tells the user which calendars storeCalendars could not store, if any.
    void reportUnstored(const QStringList &names) const;

private:
    AppState *m_state;
    QWidget *m_messageParent;
    Provider m_provider;
};
