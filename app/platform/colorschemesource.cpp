#include "app/platform/colorschemesource.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QStyleHints>

namespace {

// The platform's answer on Qt 6.4, taken while the application palette is
// still the platform's; later managers reuse it once ours is installed.
std::optional<bool> &platformPaletteDark()
{
    static std::optional<bool> dark;
    return dark;
}

void capturePlatformPalette()
{
    if (!qGuiApp || QCoreApplication::testAttribute(Qt::AA_SetPalette))
        return;
    const QPalette palette = QGuiApplication::palette();
    platformPaletteDark() =
        palette.color(QPalette::WindowText).lightness() > palette.color(QPalette::Window).lightness();
}

} // namespace

ColorSchemeSource::ColorSchemeSource(QObject *parent)
    : QObject(parent)
{
    capturePlatformPalette();
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    if (QStyleHints *hints = QGuiApplication::styleHints())
        connect(hints, &QStyleHints::colorSchemeChanged, this, &ColorSchemeSource::reevaluate);
#endif
    // A theme change from the platform is the moment to ask again; palette
    // and style changes (ours included) are not.
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
    m_dark = isDark();
}

std::optional<bool> ColorSchemeSource::environmentOverride()
{
    const QByteArray value = qgetenv("CALENDAR_COLOR_SCHEME").trimmed().toLower();
    if (value == "dark")
        return true;
    if (value == "light")
        return false;
    return std::nullopt;
}

bool ColorSchemeSource::desktopIsDark()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    if (const QStyleHints *hints = QGuiApplication::styleHints())
        return hints->colorScheme() == Qt::ColorScheme::Dark;
    return false;
#else
    return platformPaletteDark().value_or(false);
#endif
}

bool ColorSchemeSource::isDark() const
{
    if (const std::optional<bool> forced = environmentOverride())
        return *forced;
    return desktopIsDark();
}

void ColorSchemeSource::reevaluate()
{
    const bool dark = isDark();
    if (dark == m_dark)
        return;
    m_dark = dark;
    Q_EMIT colorSchemeChanged();
}

bool ColorSchemeSource::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ThemeChange)
        reevaluate();
    return QObject::eventFilter(watched, event);
}
