#include "update/updatedialog.h"

#include <QDebug>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace TindUpdate {

UpdateDialog::UpdateDialog(const Artifact &artifact, const QString &currentVersion,
                           const QString &appName, QWidget *parent)
    : QDialog(parent)
    , m_downloadUrl(artifact.url)
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
    layout->addWidget(new QLabel(tr("You have version %1. The latest version is %2.")
                                     .arg(currentVersion, artifact.version),
                                 this));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *download = buttons->addButton(tr("Download"), QDialogButtonBox::AcceptRole);
    download->setDefault(true);
    if (!artifact.mandatory)
        buttons->addButton(tr("Later"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &UpdateDialog::onDownloadClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void UpdateDialog::onDownloadClicked()
{
    if (!m_downloadUrl.isValid()) {
        qWarning() << "TindUpdate: download URL is empty or invalid";
    } else if (!QDesktopServices::openUrl(m_downloadUrl)) {
        qWarning() << "TindUpdate: QDesktopServices::openUrl failed for:" << m_downloadUrl;
    }
    accept();
}

} // namespace TindUpdate
