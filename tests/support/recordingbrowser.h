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
    std::function<void(const QUrl &)> opener();
    QList<QUrl> opened() const { return m_opened; }
    // Loads `url` (following redirects); `done` gets the final status.
    void visit(const QUrl &url, std::function<void(int status)> done = {});

private:
    QNetworkAccessManager *m_network;
    QList<QUrl> m_opened;
    bool m_visiting = true;
};
