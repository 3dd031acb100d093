#pragma once

#include <QString>

class QFont;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// The building blocks the account screen's pages share. Their labels show
// names and messages from the service as typed.
namespace TindAccount::ScreenParts {

// A font `delta` points from the default, never below 7 points.
QFont adjustedFont(const QFont &base, int delta, int weight = -1);
// A section title (one point larger, weight 500) with an optional muted,
// word-wrapped description (two points smaller).
QWidget *section(const QString &title, const QString &description, QWidget *parent);
// A label in the palette's placeholder colour.
QLabel *mutedLabel(const QString &text, QWidget *parent);
QFrame *separator(QWidget *parent);
QLabel *label(const QString &text, QWidget *parent, int pointDelta = 0, int weight = -1);
QPushButton *button(const QString &text, const QString &objectName, QWidget *parent);

} // namespace TindAccount::ScreenParts
