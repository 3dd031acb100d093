#pragma once

#include <QObject>
#include <QUrl>

namespace TindAccount {

// JSON over HTTPS to one cloud service. The client facade makes one per
// service (sign-in realm, account, sync); they differ in their base URL.
class ApiClient : public QObject
{
    Q_OBJECT
public:
    explicit ApiClient(QObject *parent = nullptr);

    // Request paths are appended to this URL.
    void setBaseUrl(const QUrl &url);
    QUrl baseUrl() const { return m_baseUrl; }

private:
    QUrl m_baseUrl;
};

} // namespace TindAccount
