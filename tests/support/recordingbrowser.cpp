#include "tests/support/recordingbrowser.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QCoreApplication>
#include <QPointer>

StartAnswer askStartAddress(const QUrl &start)
{
    QNetworkAccessManager network;
    QNetworkRequest request(start);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *reply = network.get(request);
    QElapsedTimer timer;
    timer.start();
    while (!reply->isFinished() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    StartAnswer answer;
    if (reply->isFinished()) {
        answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        answer.location = QUrl::fromEncoded(reply->rawHeader("Location"));
    }
    delete reply;
    return answer;
}

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
    connect(reply, &QNetworkReply::redirected, this, [this](const QUrl &to) { m_redirects.append(to); });
    connect(reply, &QNetworkReply::finished, this, [reply, done] {
        reply->deleteLater();
        if (done)
            done(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt());
    });
}
