#include "app/accountname.h"

#include <QCoreApplication>

namespace AccountName {

QString seeded()
{
    return QStringLiteral("On This Device");
}

QString shown(const Account &account)
{
    if (account.id == QLatin1String(PersonalLocalAccountId) && (account.name.isEmpty() || account.name == seeded()))
        return QCoreApplication::translate("AccountName", "On This Device");
    return account.name;
}

} // namespace AccountName
