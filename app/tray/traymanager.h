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

#include <functional>
#include <optional>

class AppState;
class QMenu;
class QTimer;
class TrayMessageMarkup;
class QWidget;
class ViewRangeLoader;

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

    // Finds the event the tooltip names. By default the first upcoming one,
    // read off the GUI thread: the tooltip changes when the read arrives.
    using NextEventLookup = std::function<std::optional<Event>()>;

    // mainWindow may be null; its slots are reached by name so the shell
    // needs no window code.
    TrayManager(AppState *state, QWidget *mainWindow, QObject *parent = nullptr, NextEventLookup nextEvent = {});
    ~TrayManager() override;

    // `markup`, when given, was asked with the program's first look for a
    // tray (TrayMessageMarkup::askAround), when Qt chose how the icon shows
    // messages; the icon's messages are read by its answer. Without one it
    // is asked around this look.
    void setup(TrayMessageMarkup *markup = nullptr);
    // Whether the desktop has a tray; QSystemTrayIcon's answer until set.
    void setTrayAvailableCheck(std::function<bool()> check) { m_trayAvailable = std::move(check); }
    // Follows changes of the events: a burst of them (a sync, an import)
    // looks the next event up once, shortly after it began. setup() calls it.
    void watchEvents();
    void updateIcon();
    void updateToolTip();
    // The tooltip text of the last update, as the tray shows it.
    QString toolTip() const { return m_toolTip; }
    // A lookup of the next event is on its way.
    bool isLookingUp() const;

    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    WinTrayPopover *popover() const { return m_popover; }
    QMenu *menu() const { return m_menu; }
    // Whether the icon's messages are read as markup, asked around the
    // first look for a tray; null without an icon.
    TrayMessageMarkup *messageMarkup() const { return m_messageMarkup; }

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
    // The tooltip text was set anew.
    void toolTipUpdated();

private:
    void onEventsChanged();
    void showToolTip(const std::optional<Event> &next);
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void showMainWindow();
    void togglePopover();

    AppState *m_state;
    QPointer<QWidget> m_mainWindow;
    QSystemTrayIcon *m_trayIcon = nullptr;
    TrayMessageMarkup *m_messageMarkup = nullptr;
    std::function<bool()> m_trayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
    NextEventLookup m_nextEvent;
    // Reads the next event when no lookup was given.
    ViewRangeLoader *m_loader = nullptr;
    QTimer *m_refreshTimer = nullptr;
    QTimer *m_eventsChangedTimer = nullptr;
    QString m_toolTip;
    QMenu *m_menu = nullptr;
    QPointer<WinTrayPopover> m_popover;
};
