// The Help menu's updater entries: the manual update check, the what's-new
// window (also shown once after an upgrade) and the feedback page.
#include "ui/mainwindow.h"

#include <QPointer>
#include <QStatusBar>

#include "app/appstate.h"
#include "app/platform/urlopener.h"
#include "store/preferencesrepository.h"
#include "update/feedbackportal.h"
#include "update/updateui.h"
#include "update/updateversion.h"
#include "ui/pickers/addressdialog.h"
#include "store/preferencekeys.h"

namespace {

constexpr const char *LastRunVersionKey = PreferenceKeys::LastRunVersion;

} // namespace

void MainWindow::setUpdateConfigs(std::function<TindUpdate::Client::Config()> update,
                                  std::function<FeedbackConfig()> feedback)
{
    m_updateConfig = std::move(update);
    m_feedbackConfig = std::move(feedback);
}

UpdateUi::StatusHooks MainWindow::makeUpdateStatusHooks()
{
    // The flows outlive a closed window; their messages then go nowhere.
    const QPointer<QStatusBar> bar(statusBar());
    UpdateUi::StatusHooks hooks;
    hooks.showMessage = [bar](const QString &text) {
        if (bar)
            bar->showMessage(text);
    };
    hooks.clearMessage = [bar] {
        if (bar)
            bar->clearMessage();
    };
    hooks.showTimedMessage = [bar](const QString &text, int timeoutMs) {
        if (bar)
            bar->showMessage(text, timeoutMs);
    };
    return hooks;
}

void MainWindow::checkForUpdates()
{
    const TindUpdate::Client::Config config = m_updateConfig ? m_updateConfig() : TindUpdate::Client::Config();
    UpdateUi::runManualCheck(config, tr("Tindlebrook Calendar"), this, makeUpdateStatusHooks());
}

void MainWindow::showWhatsNew()
{
    const TindUpdate::Client::Config config = m_updateConfig ? m_updateConfig() : TindUpdate::Client::Config();
    UpdateUi::showWhatsNew(config, tr("Tindlebrook Calendar"), this, makeUpdateStatusHooks());
}

void MainWindow::sendFeedback()
{
    if (!m_feedbackConfig)
        return;
    const FeedbackConfig config = m_feedbackConfig();
    if (!openFeedbackPortal(config, m_urlOpener ? m_urlOpener : UrlOpener::desktop()))
        AddressDialog::showFor(this, tr("The feedback page"), feedbackPortalUrl(config));
}

bool MainWindow::showWhatsNewAfterUpgrade()
{
    if (!m_updateConfig || !isVisible())
        return false;
    const QString current = m_updateConfig().currentVersion;
    PreferencesRepository *preferences = m_appState->preferences();
    const QString key = QString::fromLatin1(LastRunVersionKey);
    const QString last = preferences->getString(key);
    if (current.isEmpty() || last == current)
        return false;
    // Unrecorded, the notes only show once more.
    (void)preferences->set(key, current);
    // A first install has nothing new to tell, nor has going back.
    if (last.isEmpty() || !UpdateVersion::lessThan(UpdateVersion::parse(last), UpdateVersion::parse(current)))
        return false;
    showWhatsNew();
    return true;
}
