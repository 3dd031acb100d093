#include "app/theme/thememanager.h"

#include <QApplication>
#include <QDebug>
#include <QStyle>
#include <QWidget>

#include "app/platform/colorschemesource.h"
#include "app/theme/calendarproxystyle.h"
#include "app/theme/theme.h"
#include "store/preferencesrepository.h"
#include "store/preferencekeys.h"

#include <algorithm>
#include <cmath>

namespace {

const QString themeKey = QLatin1String(PreferenceKeys::Theme);
const QString accentKey = QLatin1String(PreferenceKeys::AccentColor);
const QString fontScaleKey = QLatin1String(PreferenceKeys::FontScale);

// With a stylesheet set, Qt wraps the application style in its own
// stylesheet style and makes the wrapped style its child; both count as
// ours being installed.
bool calendarStyleInstalled()
{
    QStyle *style = QApplication::style();
    if (!style)
        return false;
    if (qobject_cast<CalendarProxyStyle *>(style))
        return true;
    return style->findChild<CalendarProxyStyle *>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

} // namespace

ThemeManager::ThemeManager(PreferencesRepository *preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_mode(QStringLiteral("system"))
    , m_baseFont(QApplication::font())
    , m_colorScheme(new ColorSchemeSource(this))
{
    connect(m_colorScheme, &ColorSchemeSource::colorSchemeChanged, this,
            &ThemeManager::onColorSchemeChanged);
}

void ThemeManager::load()
{
    m_mode = m_preferences ? m_preferences->getString(themeKey, QStringLiteral("system"))
                           : QStringLiteral("system");
    Theme::setAccent(m_preferences ? m_preferences->getString(accentKey) : QString());
    apply(m_mode);
}

void ThemeManager::loadFontScale()
{
    const QString text = m_preferences ? m_preferences->getString(fontScaleKey, QStringLiteral("100"))
                                       : QStringLiteral("100");
    bool ok = false;
    const int percent = text.toInt(&ok);
    setFontScale(ok ? percent : 100, false);
}

void ThemeManager::apply(const QString &mode)
{
    if (!calendarStyleInstalled())
        QApplication::setStyle(new CalendarProxyStyle);

    bool dark = false;
    if (mode == QLatin1String("dark"))
        dark = true;
    else if (mode == QLatin1String("system"))
        dark = m_colorScheme->isDark();
    Theme::setMode(dark);

    QApplication::setPalette(buildPalette());
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        app->setStyleSheet(Theme::stylesheet());
}

QString ThemeManager::mode() const
{
    return m_mode;
}

void ThemeManager::setMode(const QString &mode)
{
    if (mode == m_mode) {
        apply(m_mode);
        return;
    }
    m_mode = mode;
    if (m_preferences && !m_preferences->set(themeKey, mode))
        qWarning() << "ThemeManager: could not store the theme" << mode;
    apply(m_mode);
    Q_EMIT modeChanged(mode);
}

void ThemeManager::setAccentColor(const QString &accent)
{
    Theme::setAccent(accent);
    if (m_preferences) {
        const bool stored = accent.isEmpty() ? m_preferences->remove(accentKey) : m_preferences->set(accentKey, accent);
        if (!stored)
            qWarning() << "ThemeManager: could not store the accent colour" << accent;
    }
    apply(m_mode);
    Q_EMIT accentChanged(Theme::accent());
}

void ThemeManager::setFontScale(int percent, bool persist)
{
    const int clamped = std::clamp(percent, 70, 200);
    const int previous = Theme::fontScale();
    Theme::setFontScale(clamped);

    if (persist && m_preferences && !m_preferences->set(fontScaleKey, QString::number(clamped)))
        qWarning() << "ThemeManager: could not store the font scale" << clamped;

    QFont font = m_baseFont;
    if (font.pointSize() > 0)
        font.setPointSize(std::max(1, m_baseFont.pointSize() * clamped / 100));
    QApplication::setFont(font);

    if (previous >= 1 && previous != clamped) {
        const double ratio = double(clamped) / double(previous);
        const QList<QWidget *> widgets = QApplication::allWidgets();
        for (QWidget *widget : widgets) {
            if (!widget->testAttribute(Qt::WA_SetFont))
                continue;
            QFont own = widget->font();
            if (own.pointSize() <= 0)
                continue;
            own.setPointSize(std::max(1, int(std::lround(own.pointSize() * ratio))));
            widget->setFont(own);
        }
    }
    Q_EMIT fontScaleChanged(clamped);
}

int ThemeManager::fontScale() const
{
    return Theme::fontScale();
}

QPalette ThemeManager::buildPalette()
{
    QPalette palette;
    palette.setBrush(QPalette::Window, Theme::canvas());
    palette.setBrush(QPalette::WindowText, Theme::textPrimary());
    palette.setBrush(QPalette::Base, Theme::surface());
    palette.setBrush(QPalette::AlternateBase, Theme::surfaceMuted());
    palette.setBrush(QPalette::ToolTipBase, Theme::textPrimary());
    palette.setBrush(QPalette::ToolTipText, Theme::surface());
    palette.setBrush(QPalette::Text, Theme::textPrimary());
    palette.setBrush(QPalette::Button, Theme::surface());
    palette.setBrush(QPalette::ButtonText, Theme::textPrimary());
    palette.setBrush(QPalette::BrightText, Theme::danger());
    palette.setBrush(QPalette::Highlight, Theme::accent());
    palette.setBrush(QPalette::HighlightedText, QColor(Qt::white));
    palette.setBrush(QPalette::Mid, Theme::border());
    palette.setBrush(QPalette::Light, Theme::surface());
    palette.setBrush(QPalette::Dark, Theme::borderStrong());
    palette.setBrush(QPalette::Disabled, QPalette::Text, Theme::textDisabled());
    palette.setBrush(QPalette::Disabled, QPalette::ButtonText, Theme::textDisabled());
    palette.setBrush(QPalette::Disabled, QPalette::WindowText, Theme::textDisabled());
    return palette;
}

void ThemeManager::onColorSchemeChanged()
{
    if (m_mode == QLatin1String("system"))
        apply(m_mode);
}
