#pragma once

#include <QString>

class PreferencesRepository;
class QWidget;

// A detached window's geometry kept in the settings as Base64 text.
namespace DetachedWindowGeometry {

// Leaves the default size when the value is missing or does not decode.
void restore(QWidget *window, PreferencesRepository *preferences, const QString &key);
void save(const QWidget *window, PreferencesRepository *preferences, const QString &key);

} // namespace DetachedWindowGeometry
