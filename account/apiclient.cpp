#include "account/apiclient.h"

namespace TindAccount {

ApiClient::ApiClient(QObject *parent)
    : QObject(parent)
{
}

void ApiClient::setBaseUrl(const QUrl &url)
{
    m_baseUrl = url;
}

} // namespace TindAccount
