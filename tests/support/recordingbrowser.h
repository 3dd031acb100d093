#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;

// What a sign-in's one-time start address answered one request.
struct StartAnswer
{
    int status = -1;
    // Where it sends the browser on.
    QUrl location;
};

// Asks a sign-in's start address once, as a browser does before it follows
// the redirect, and waits for the answer (at most five seconds).
StartAnswer askStartAddress(const QUrl &start);

// Stands in for the system browser in sign-in tests: records every address
// the program opens and, when visiting, loads it and follows the redirects,
// as a browser would on its way back to the program's loopback listener.
class RecordingBrowser : public QObject
{
    Q_OBJECT
public:
    explicit RecordingBrowser(QObject *parent = nullptr);

    void setVisiting(bool visiting) { m_visiting = visiting; }
    // Opens as told: false stands for a desktop without a browser.
    void setOpens(bool opens) { m_opens = opens; }
    std::function<bool(const QUrl &)> opener();
    QList<QUrl> opened() const { return m_opened; }
    // Every address a visit was redirected to, in order.
    QList<QUrl> redirects() const { return m_redirects; }
    // Loads `url` (following redirects); `done` gets the final status.
    void visit(const QUrl &url, std::function<void(int status)> done = {});

private:
    QNetworkAccessManager *m_network;
    QList<QUrl> m_opened;
    QList<QUrl> m_redirects;
    bool m_visiting = true;
    bool m_opens = true;
};
