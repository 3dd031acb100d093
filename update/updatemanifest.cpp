#include "update/updatemanifest.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QSysInfo>

#include <cmath>

namespace {

void setError(QString *error, const QString &text)
{
    if (error && error->isEmpty())
        *error = text;
}

} // namespace

UpdateManifest UpdateManifest::parse(const QByteArray &json, QString *error)
{
    QString local;
    QString *err = error ? error : &local;
    err->clear();
    UpdateManifest manifest;

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        setError(err, QStringLiteral("JSON parse error: %1").arg(parseError.errorString()));
        return manifest;
    }
    if (!document.isObject()) {
        setError(err, QStringLiteral("manifest root is not a JSON object"));
        return manifest;
    }
    const QJsonObject root = document.object();
    const QJsonValue schema = root.value(QLatin1String("schema"));
    if (!schema.isDouble()) {
        setError(err, QStringLiteral("missing or non-integer field: schema"));
        return manifest;
    }
    manifest.schema = schema.toInt(0);
    if (manifest.schema != 1) {
        setError(err, QStringLiteral("unsupported manifest schema: %1 (expected %2)").arg(manifest.schema).arg(1));
        return manifest;
    }
    manifest.app = requireString(root, QLatin1String("app"), err);
    manifest.channel = requireString(root, QLatin1String("channel"), err);
    if (!err->isEmpty())
        return manifest;
    const QJsonValue artifacts = root.value(QLatin1String("artifacts"));
    if (!artifacts.isObject()) {
        setError(err, QStringLiteral("missing or non-object field: artifacts"));
        return manifest;
    }
    const QJsonObject byPlatform = artifacts.toObject();
    for (auto it = byPlatform.begin(); it != byPlatform.end(); ++it) {
        if (!it.value().isObject()) {
            setError(err, QStringLiteral("artifact %1 is not an object").arg(it.key()));
            return manifest;
        }
        const TindUpdate::Artifact artifact = parseArtifact(it.value().toObject(), it.key(), err);
        if (!err->isEmpty())
            return manifest;
        manifest.artifacts.insert(it.key(), artifact);
    }
    if (!manifest.isValid())
        setError(err, QStringLiteral("manifest failed validation"));
    return manifest;
}

bool UpdateManifest::isValid() const
{
    return schema == 1 && !app.isEmpty() && !channel.isEmpty() && !artifacts.isEmpty();
}

TindUpdate::Artifact UpdateManifest::parseArtifact(const QJsonObject &object, const QString &key,
                                                   QString *error)
{
    TindUpdate::Artifact artifact;
    artifact.version = requireString(object, QLatin1String("version"), error);
    artifact.released_at = QDateTime::fromString(requireString(object, QLatin1String("released_at"), error),
                                                 Qt::ISODate);
    artifact.url = QUrl(requireString(object, QLatin1String("url"), error), QUrl::TolerantMode);
    // A size no file can have is no size: converting it would overflow.
    constexpr double LargestSize = 9007199254740992.0; // 2^53, the last exact whole double
    const double size = std::trunc(object.value(QLatin1String("size")).toDouble(-1));
    artifact.size = (std::isfinite(size) && size >= 0 && size <= LargestSize) ? static_cast<qint64>(size) : -1;
    artifact.sha256 = requireString(object, QLatin1String("sha256"), error);
    artifact.mandatory = object.value(QLatin1String("mandatory")).toBool(false);
    const QJsonValue minimum = object.value(QLatin1String("min_upgradable_from"));
    artifact.min_upgradable_from = minimum.isString() ? minimum.toString() : QString();
    const QJsonValue notes = object.value(QLatin1String("release_notes_url"));
    if (notes.isString() && !notes.toString().isEmpty())
        artifact.release_notes_url = QUrl(notes.toString(), QUrl::TolerantMode);

    if (error && error->isEmpty()) {
        const bool valid = !artifact.version.isEmpty() && artifact.released_at.isValid()
                           && artifact.url.isValid() && artifact.size >= 1
                           && artifact.sha256.size() == 64;
        if (!valid)
            setError(error, QStringLiteral("artifact %1 failed validation").arg(key));
        // The download leaves the program through the browser: never offer
        // one that anybody on the way could swap.
        else if (artifact.url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0)
            setError(error, QStringLiteral("artifact %1 url is not https").arg(key));
    }
    return artifact;
}

QString UpdateManifest::requireString(const QJsonObject &object, QLatin1String key, QString *error)
{
    const QJsonValue value = object.value(key);
    if (value.isString())
        return value.toString();
    setError(error, QStringLiteral("missing or non-string field: %1").arg(key));
    return QString();
}

QString UpdateManifest::platformKey()
{
    if (QSysInfo::currentCpuArchitecture() != QLatin1String("x86_64"))
        return QString();
#if defined(Q_OS_WIN)
    return QStringLiteral("windows-x64");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("linux-x64");
#else
    return QString();
#endif
}
