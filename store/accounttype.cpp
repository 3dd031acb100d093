#include "store/accounttype.h"

QString toText(AccountType type)
{
    switch (type) {
    case AccountType::CalDav:
        return QStringLiteral("caldav");
    case AccountType::ICloud:
        return QStringLiteral("icloud");
    case AccountType::Zoho:
        return QStringLiteral("zoho");
    case AccountType::Google:
        return QStringLiteral("google");
    case AccountType::Microsoft:
        return QStringLiteral("microsoft");
    case AccountType::Webcal:
        return QStringLiteral("webcal");
    case AccountType::Tindlebrook:
        return QStringLiteral("tindlebrook");
    case AccountType::Unknown:
        break;
    }
    return QString();
}

AccountType accountTypeFromText(QStringView text)
{
    for (const AccountType type : {AccountType::CalDav, AccountType::ICloud, AccountType::Zoho, AccountType::Google,
                                   AccountType::Microsoft, AccountType::Webcal, AccountType::Tindlebrook}) {
        if (text == toText(type))
            return type;
    }
    return AccountType::Unknown;
}

bool isCalDavFamily(AccountType type)
{
    return type == AccountType::CalDav || type == AccountType::ICloud || type == AccountType::Zoho;
}

QDebug operator<<(QDebug debug, AccountType type)
{
    return debug << (type == AccountType::Unknown ? QStringLiteral("unknown") : toText(type));
}
