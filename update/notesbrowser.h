#pragma once

#include <QTextBrowser>

class UrlOpener;

namespace TindUpdate {

// Shows downloaded release notes: Markdown without raw HTML, nothing loaded
// from anywhere, and links that open in the browser only when they are web
// addresses.
class NotesBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit NotesBrowser(QWidget *parent = nullptr);

    void setUrlOpener(UrlOpener *opener) { m_opener = opener; }
    void showMarkdown(const QString &markdown);
    QVariant loadResource(int type, const QUrl &name) override;

private:
    void onAnchorClicked(const QUrl &url);

    UrlOpener *m_opener;
};

} // namespace TindUpdate
