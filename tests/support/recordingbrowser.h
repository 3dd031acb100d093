#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;

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
    // Loads `url` (following redirects); `done` gets the final status.
    void visit(const QUrl &url, std::function<void(int status)> done = {});

private:
    QNetworkAccessManager *m_network;
    QList<QUrl> m_opened;
    bool m_visiting = true;
    bool m_opens = true;
};
