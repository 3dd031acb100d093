#pragma once

#include "update/artifact.h"

#include <QDialog>
#include <QUrl>

class UrlOpener;

namespace TindUpdate {

class NotesBrowser;

// "Update available": names the new version, shows its release notes when
// the release has them, and opens its download page in the browser.
// Nothing is downloaded or installed by the program itself.
class UpdateDialog : public QDialog
{
    Q_OBJECT
public:
    // notesLanguage: the two-letter language of the notes to try first;
    // empty means the system's.
    UpdateDialog(const Artifact &artifact, const QString &currentVersion, const QString &appName,
                 QWidget *parent = nullptr, const QString &notesLanguage = QString());

    // Where Download and the notes' links go; the desktop's browser until set.
    void setUrlOpener(UrlOpener *opener);
    NotesBrowser *notesBrowser() const { return m_notesBrowser; }

public Q_SLOTS:
    void onDownloadClicked();
    void onNotesReady(const QString &markdown);

private:
    QUrl m_downloadUrl;
    NotesBrowser *m_notesBrowser = nullptr;
    UrlOpener *m_opener;
};

} // namespace TindUpdate
