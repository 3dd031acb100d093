#include "update/whatsnewdialog.h"

#include <QDebug>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform/urlopener.h"
#include "update/notesbrowser.h"

namespace TindUpdate {

WhatsNewDialog::WhatsNewDialog(const QString &markdown, const QString &version, const QString &runningVersion,
                               const QString &appName, QWidget *parent, const QUrl &downloadUrl)
    : QDialog(parent)
    , m_notesBrowser(new NotesBrowser(this))
    , m_downloadUrl(downloadUrl)
    , m_opener(UrlOpener::desktop())
{
    setWindowTitle(tr("What's New in %1 %2").arg(appName, version));
    setModal(false);
    resize(520, 420);

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("What's new in %1 %2").arg(appName, version), this);
    // The version may come from the release manifest: shown as written.
    heading->setTextFormat(Qt::PlainText);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSizeF(headingFont.pointSizeF() + 2);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    m_notesBrowser->setObjectName(QStringLiteral("releaseNotes"));
    m_notesBrowser->showMarkdown(markdown);
    layout->addWidget(m_notesBrowser, 1);

    auto *bottom = new QHBoxLayout;
    auto *running = new QLabel(tr("You are running version %1").arg(runningVersion), this);
    running->setStyleSheet(QStringLiteral("color: gray; font-size: 11px;"));
    bottom->addWidget(running);
    bottom->addStretch(1);
    auto *buttons = new QDialogButtonBox(this);
    if (m_downloadUrl.isValid()) {
        QPushButton *downloadButton = buttons->addButton(tr("Download %1").arg(version), QDialogButtonBox::AcceptRole);
        connect(downloadButton, &QPushButton::clicked, this, &WhatsNewDialog::download);
    }
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
}

void WhatsNewDialog::setUrlOpener(UrlOpener *opener)
{
    m_opener = opener;
    m_notesBrowser->setUrlOpener(opener);
}

void WhatsNewDialog::download()
{
    if (!m_opener->open(m_downloadUrl))
        qWarning() << "TindUpdate: QDesktopServices::openUrl failed for:" << m_downloadUrl;
    close();
}

} // namespace TindUpdate
