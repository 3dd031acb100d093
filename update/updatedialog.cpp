#include "update/updatedialog.h"

#include <QDebug>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform/urlopener.h"
#include "update/notesbrowser.h"
#include "update/releasenotesfetcher.h"

namespace TindUpdate {

UpdateDialog::UpdateDialog(const Artifact &artifact, const QString &currentVersion, const QString &appName,
                           QWidget *parent, const QString &notesLanguage)
    : QDialog(parent)
    , m_downloadUrl(artifact.url)
    , m_opener(UrlOpener::desktop())
{
    setWindowTitle(tr("Update available"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("A new version of %1 is available.").arg(appName), this);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSizeF(headingFont.pointSizeF() + 1);
    heading->setFont(headingFont);
    layout->addWidget(heading);
    auto *versions =
        new QLabel(tr("You have version %1. The latest version is %2.").arg(currentVersion, artifact.version), this);
    // The version comes from the release manifest: shown as written.
    versions->setTextFormat(Qt::PlainText);
    layout->addWidget(versions);

    if (artifact.release_notes_url.isValid()) {
        m_notesBrowser = new NotesBrowser(this);
        m_notesBrowser->setObjectName(QStringLiteral("releaseNotes"));
        m_notesBrowser->setPlaceholderText(tr("Loading release notes…"));
        m_notesBrowser->setMinimumHeight(150);
        layout->addWidget(m_notesBrowser, 1);
        auto *fetcher = new ReleaseNotesFetcher(artifact.release_notes_url, QStringLiteral("update-dialog"), this);
        if (!notesLanguage.isEmpty())
            fetcher->setLanguage(notesLanguage);
        connect(fetcher, &ReleaseNotesFetcher::notesReady, this, &UpdateDialog::onNotesReady);
        connect(fetcher, &ReleaseNotesFetcher::notesUnavailable, this, [this] {
            m_notesBrowser->showMarkdown(tr("*Release notes are not available for this version.*"));
        });
        fetcher->fetch();
    }

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *download = buttons->addButton(tr("Download"), QDialogButtonBox::AcceptRole);
    download->setDefault(true);
    if (!artifact.mandatory)
        buttons->addButton(tr("Later"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &UpdateDialog::onDownloadClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    if (m_notesBrowser)
        resize(520, 420);
}

void UpdateDialog::setUrlOpener(UrlOpener *opener)
{
    m_opener = opener;
    if (m_notesBrowser)
        m_notesBrowser->setUrlOpener(opener);
}

void UpdateDialog::onDownloadClicked()
{
    if (!m_downloadUrl.isValid()) {
        qWarning() << "TindUpdate: download URL is empty or invalid";
    } else if (!m_opener->open(m_downloadUrl)) {
        qWarning() << "TindUpdate: QDesktopServices::openUrl failed for:" << m_downloadUrl;
    }
    accept();
}

void UpdateDialog::onNotesReady(const QString &markdown)
{
    if (m_notesBrowser)
        m_notesBrowser->showMarkdown(markdown);
}

} // namespace TindUpdate
