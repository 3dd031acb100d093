#pragma once

#include "store/event.h"

#include <QColor>
#include <QDateTime>
#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QSystemTrayIcon>

#include "app/tray/traypopover.h"

#include <optional>

class AppState;
class QMenu;
class QTimer;
class QWidget;

// The program's place in the notification area: an icon badged while a sync
// runs or after one failed, a tooltip naming the next event, a menu, and the
// popover on a click. Stays inert where the desktop has no tray.
class TrayManager : public QObject
{
    Q_OBJECT
public:
    // Where a badge sits on an icon of one size.
    struct Badge
    {
        QRect circle;
        int penWidth = 1;
    };

    // mainWindow may be null; its slots are reached by name so the shell
    // needs no window code.
    TrayManager(AppState *state, QWidget *mainWindow, QObject *parent = nullptr);
    ~TrayManager() override;

    void setup();
    void updateIcon();
    void updateToolTip();

    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    WinTrayPopover *popover() const { return m_popover; }
    QMenu *menu() const { return m_menu; }

    static QString toolTipText(bool lastSyncFailed, const QString &lastSyncError,
                               const std::optional<Event> &next, const QDateTime &now, const QString &timePattern);
    // Red after a failure (also while busy), blue while only busy, invalid
    // when the plain icon is shown.
    static QColor badgeColor(bool busy, bool failed);
    static Badge badgeFor(int size);
    static QPixmap badged(const QPixmap &base, const QColor &colour);
    // The base icon with a badge at 16, 24, 32 and 48 pixels.
    static QIcon badgedIcon(const QIcon &base, const QColor &colour);

Q_SIGNALS:
    void syncNowRequested();

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void showMainWindow();
    void togglePopover();

    AppState *m_state;
    QPointer<QWidget> m_mainWindow;
    QSystemTrayIcon *m_trayIcon = nullptr;
    QTimer *m_refreshTimer = nullptr;
    QMenu *m_menu = nullptr;
    QPointer<WinTrayPopover> m_popover;
};
