#pragma once

#include <QDebug>
#include <QString>
#include <QStringView>

// The kind of calendar source an account is. Tindlebrook is the program's
// own: the cloud account and the device's local one.
enum class AccountType { CalDav, ICloud, Zoho, Google, Microsoft, Webcal, Tindlebrook, Unknown };

// The text stored in the type column and carried by the configuration sync;
// empty for Unknown.
QString toText(AccountType type);
// A type this build does not know reads as Unknown: no sync client serves it
// and no merge touches it, as before; the record keeps its stored text.
AccountType accountTypeFromText(QStringView text);
// The CalDAV family: "caldav", "icloud" and "zoho" speak the same protocol.
bool isCalDavFamily(AccountType type);
QDebug operator<<(QDebug debug, AccountType type);
