#pragma once

#include "tests/support/davserverprocess.h"

// Xandikos behind a Basic authentication wrapper: answers the well-known URL
// with 302 and keeps calendars in a home set apart from the principal.
class XandikosServer : public DavServerProcess
{
public:
    XandikosServer() = default;
    ~XandikosServer() override = default;

    QString name() const override { return QStringLiteral("Xandikos"); }
    QUrl principalUrl() const override;
    QUrl calendarHomeUrl() const override;

protected:
    bool prepare(quint16 port) override;
    QString program() const override;
    QStringList arguments(quint16 port) const override;
};
