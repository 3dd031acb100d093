#pragma once

#include <QObject>

#include <optional>

class QEvent;

// Whether the desktop asks for a dark colour scheme, and when that changes.
// - "CALENDAR_COLOR_SCHEME" set to "dark" or "light" overrides the desktop
//   (read afresh on every question, so tests can flip it);
// - Qt 6.5 and later: the style hints' colour scheme;
// - Qt 6.4, which has no such hint: the palette the platform gave the
//   application before the program installed its own, dark when its window
//   text is lighter than its window.
// `colorSchemeChanged` is emitted only when the answer changes, so the
// program's own palette change can never feed back into it.
class ColorSchemeSource : public QObject
{
    Q_OBJECT
public:
    explicit ColorSchemeSource(QObject *parent = nullptr);

    bool isDark() const;

Q_SIGNALS:
    void colorSchemeChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static std::optional<bool> environmentOverride();
    static bool desktopIsDark();
    void reevaluate();

    bool m_dark = false;
};
