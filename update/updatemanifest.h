#pragma once

#include "update/artifact.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QLatin1String>
#include <QString>

// The release manifest "latest.json": the releases of one product and
// channel, one artifact per platform key.
struct UpdateManifest
{
    int schema = 0;
    QString app;
    QString channel;
    QHash<QString, TindUpdate::Artifact> artifacts;

    // The first problem found goes to *error (cleared first).
    static UpdateManifest parse(const QByteArray &json, QString *error);
    bool isValid() const;

    static TindUpdate::Artifact parseArtifact(const QJsonObject &object, const QString &key,
                                              QString *error);
    static QString requireString(const QJsonObject &object, QLatin1String key, QString *error);
    // The artifact key of the running platform, empty when none is shipped.
    static QString platformKey();
};
