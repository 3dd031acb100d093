#pragma once

#include "update/artifact.h"

#include <QDialog>
#include <QUrl>

namespace TindUpdate {

// "Update available": names the new version and opens its download page in
// the browser. Nothing is downloaded or installed by the program itself.
class UpdateDialog : public QDialog
{
    Q_OBJECT
public:
    UpdateDialog(const Artifact &artifact, const QString &currentVersion, const QString &appName,
                 QWidget *parent = nullptr);

private Q_SLOTS:
    void onDownloadClicked();

private:
    QUrl m_downloadUrl;
};

} // namespace TindUpdate
