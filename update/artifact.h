#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QUrl>

namespace TindUpdate {

// One release for one platform, as the manifest lists it.
struct Artifact
{
    QString version;
    QDateTime released_at;
    QUrl url;
    qint64 size = 0;
    QString sha256;
    bool mandatory = false;
    QString min_upgradable_from;
    QUrl release_notes_url;
};

} // namespace TindUpdate

Q_DECLARE_METATYPE(TindUpdate::Artifact)
