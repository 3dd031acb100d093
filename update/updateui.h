#pragma once

#include "update/client.h"

#include <QString>

#include <functional>

class QWidget;

// The updater's two menu flows: a manual update check and the what's-new
// window. Both report through the caller's status bar.
namespace UpdateUi {

// Each may be empty; an empty one is skipped.
struct StatusHooks
{
    std::function<void(const QString &text)> showMessage;
    std::function<void()> clearMessage;
    std::function<void(const QString &text, int timeoutMs)> showTimedMessage;
};

// Checks the release manifest now: an update opens the update dialog over
// parent; "up to date" and failures are status messages.
void runManualCheck(const TindUpdate::Client::Config &config, const QString &appName, QWidget *parent,
                    const StatusHooks &hooks);

// The running version's release notes in a window; without them, the notes
// of a newer release with its download; else a status message.
void showWhatsNew(const TindUpdate::Client::Config &config, const QString &appName, QWidget *parent,
                  const StatusHooks &hooks);

} // namespace UpdateUi
