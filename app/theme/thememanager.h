#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPalette>
#include <QString>

class ColorSchemeSource;
class PreferencesRepository;

// The user's appearance choices (mode, accent, font scale), kept in the
// settings and turned into the running look: the proxy style, the
// application palette, the stylesheet and the application font.
class ThemeManager : public QObject
{
    Q_OBJECT
public:
    explicit ThemeManager(PreferencesRepository *preferences, QObject *parent = nullptr);

    void load();
    void loadFontScale();
    void apply(const QString &mode);

    QString mode() const;
    void setMode(const QString &mode);
    void setAccentColor(const QString &accent);
    // Clamped to 70 … 200 percent.
    void setFontScale(int percent, bool persist);
    int fontScale() const;

    static QPalette buildPalette();

Q_SIGNALS:
    void modeChanged(const QString &mode);
    void accentChanged(const QColor &accent);
    void fontScaleChanged(int percent);

private Q_SLOTS:
    void onColorSchemeChanged();

private:
    PreferencesRepository *m_preferences;
    QString m_mode;
    QFont m_baseFont;
    ColorSchemeSource *m_colorScheme;
};
