#pragma once

#include "tests/support/davserverprocess.h"

// Radicale: answers the well-known URL with 301 and uses the principal
// collection as its calendar home set.
class RadicaleServer : public DavServerProcess
{
public:
    RadicaleServer() = default;
    ~RadicaleServer() override = default;

    QString name() const override { return QStringLiteral("Radicale"); }
    QUrl principalUrl() const override;
    QUrl calendarHomeUrl() const override;

protected:
    bool prepare(quint16 port) override;
    QString program() const override;
    QStringList arguments(quint16 port) const override;
};
