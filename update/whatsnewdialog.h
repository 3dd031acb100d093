#pragma once

#include <QDialog>
#include <QUrl>

class UrlOpener;

namespace TindUpdate {

class NotesBrowser;

// The release notes of one version in a window of their own; with a
// download address it also offers that version's download.
class WhatsNewDialog : public QDialog
{
    Q_OBJECT
public:
    WhatsNewDialog(const QString &markdown, const QString &version, const QString &runningVersion,
                   const QString &appName, QWidget *parent = nullptr, const QUrl &downloadUrl = QUrl());

    void setUrlOpener(UrlOpener *opener);
    NotesBrowser *notesBrowser() const { return m_notesBrowser; }

private:
    void download();

    NotesBrowser *m_notesBrowser;
    QUrl m_downloadUrl;
    UrlOpener *m_opener;
};

} // namespace TindUpdate
