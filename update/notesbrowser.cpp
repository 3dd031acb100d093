#include "update/notesbrowser.h"

#include <QDebug>
#include <QTextDocument>

#include "app/platform/urlopener.h"

namespace TindUpdate {

NotesBrowser::NotesBrowser(QWidget *parent)
    : QTextBrowser(parent)
    , m_opener(UrlOpener::desktop())
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &NotesBrowser::onAnchorClicked);
}

void NotesBrowser::showMarkdown(const QString &markdown)
{
    document()->setMarkdown(markdown, QTextDocument::MarkdownFeatures(QTextDocument::MarkdownDialectGitHub
                                                                      | QTextDocument::MarkdownNoHTML));
}

QVariant NotesBrowser::loadResource(int, const QUrl &)
{
    // Images and style sheets the notes name are neither read from disk
    // nor fetched.
    return QVariant();
}

void NotesBrowser::onAnchorClicked(const QUrl &url)
{
    if (!LinkPolicy::isWebLink(url)) {
        qWarning() << "TindUpdate: not opening a release-notes link that is not a web address:" << url;
        return;
    }
    m_opener->open(url);
}

} // namespace TindUpdate
