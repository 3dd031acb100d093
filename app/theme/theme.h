#pragma once

#include <QChar>
#include <QColor>
#include <QIcon>
#include <QString>
#include <Qt>

class QDateTimeEdit;

// The one source of colours, font sizes and the application stylesheet for
// everything the program paints. Process-wide state, GUI thread only; the
// theme manager is its only writer.
namespace Theme {

// Colour roles of the current mode.
QColor canvas();
QColor surface();
QColor surfaceMuted();
QColor border();
QColor borderStrong();
QColor textPrimary();
QColor textMuted();
QColor textDisabled();
// The user's accent when it parses, else the mode's own.
QColor accent();
QColor accentMuted();
QColor danger();

bool isDark();
void setMode(bool dark);
void setAccent(const QString &accent);
QString customAccent();

// The icon font's family ("Material Icons" until the start-up sets it).
QString fontFamily();
void setFontFamily(const QString &family);
// The family of the application's text font.
QString defaultFontFamily();

// Font sizes in points, scaled by the font scale percent.
int fontScale();
void setFontScale(int percent);
int fontSm();
int fontBody();
int fontLg();
int fontXl();
int fontXxl();

// Stylesheet text of a colour: "#rrggbb" when opaque, else
// "rgba(r, g, b, a)" with the alpha as a fraction with 3 decimals.
QString cssColor(const QColor &color);

// A 14 x 14 swatch; an unparsable colour draws neutral grey.
QIcon colorDotIcon(const QString &color);
// A glyph of the icon font at `size` logical pixels, at the screen's ratio.
QIcon tintedIcon(QChar glyph, int size, const QColor &color);

QString listIndicatorStyleSheet();
// The application stylesheet with every token replaced; empty when the
// resource is missing.
QString stylesheet();

} // namespace Theme

// Date editors follow the week-start preference in their popup calendar.
void applyFirstDayOfWeek(QDateTimeEdit *edit, Qt::DayOfWeek day);
