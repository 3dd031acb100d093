#include "tests/support/recordingbrowser.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

RecordingBrowser::RecordingBrowser(QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
}

std::function<bool(const QUrl &)> RecordingBrowser::opener()
{
    QPointer<RecordingBrowser> self(this);
    return [self](const QUrl &url) {
        if (!self)
            return false;
        self->m_opened.append(url);
        if (!self->m_opens)
            return false;
        if (self->m_visiting)
            self->visit(url);
        return true;
    };
}

void RecordingBrowser::visit(const QUrl &url, std::function<void(int)> done)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = m_network->get(request);
    connect(reply, &QNetworkReply::finished, this, [reply, done] {
        reply->deleteLater();
        if (done)
            done(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt());
    });
}
