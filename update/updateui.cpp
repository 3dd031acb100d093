#include "update/updateui.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include "update/releasenotesfetcher.h"
#include "update/updatedialog.h"
#include "update/whatsnewdialog.h"

namespace UpdateUi {

namespace {

void show(const StatusHooks &hooks, const QString &text)
{
    if (hooks.showMessage)
        hooks.showMessage(text);
}

void clear(const StatusHooks &hooks)
{
    if (hooks.clearMessage)
        hooks.clearMessage();
}

void showFor(const StatusHooks &hooks, const QString &text, int timeoutMs)
{
    clear(hooks);
    if (hooks.showTimedMessage)
        hooks.showTimedMessage(text, timeoutMs);
}

void showNoNotes(const StatusHooks &hooks, const QString &appName, const QString &version)
{
    showFor(hooks,
            QCoreApplication::translate("UpdateUi", "No release notes available for %1 %2").arg(appName, version),
            5000);
}

void openWhatsNew(QWidget *parent, const QString &markdown, const QString &version,
                  const TindUpdate::Client::Config &config, const QString &appName, const QUrl &downloadUrl)
{
    auto *dialog = new TindUpdate::WhatsNewDialog(markdown, version, config.currentVersion, appName, parent,
                                                  downloadUrl);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

// Without notes for the running version: the notes of a newer release, if
// there is one that has them.
void showNewerReleaseNotes(const TindUpdate::Client::Config &config, const QString &appName,
                           const QPointer<QWidget> &parent, const StatusHooks &hooks)
{
    auto *client = new TindUpdate::Client(config, QCoreApplication::instance());
    QObject::connect(client, &TindUpdate::Client::updateAvailable, client,
                     [config, appName, parent, hooks, client](const TindUpdate::Artifact &artifact) {
                         if (!artifact.release_notes_url.isValid()) {
                             showNoNotes(hooks, appName, config.currentVersion);
                             client->deleteLater();
                             return;
                         }
                         auto *fetcher = new TindUpdate::ReleaseNotesFetcher(artifact.release_notes_url, config.app,
                                                                             QCoreApplication::instance());
                         if (!config.notesLanguage.isEmpty())
                             fetcher->setLanguage(config.notesLanguage);
                         fetcher->setTimeout(config.timeoutMs);
                         QObject::connect(fetcher, &TindUpdate::ReleaseNotesFetcher::notesReady, fetcher,
                                          [=](const QString &markdown) {
                                              clear(hooks);
                                              if (parent)
                                                  openWhatsNew(parent, markdown, artifact.version, config, appName,
                                                               artifact.url);
                                              fetcher->deleteLater();
                                              client->deleteLater();
                                          });
                         QObject::connect(fetcher, &TindUpdate::ReleaseNotesFetcher::notesUnavailable, fetcher,
                                          [=] {
                                              showNoNotes(hooks, appName, config.currentVersion);
                                              fetcher->deleteLater();
                                              client->deleteLater();
                                          });
                         fetcher->fetch();
                     });
    auto noNotes = [config, appName, hooks, client] {
        showNoNotes(hooks, appName, config.currentVersion);
        client->deleteLater();
    };
    QObject::connect(client, &TindUpdate::Client::upToDate, client, noNotes);
    QObject::connect(client, &TindUpdate::Client::checkFailed, client, noNotes);
    client->check();
}

} // namespace

void runManualCheck(const TindUpdate::Client::Config &config, const QString &appName, QWidget *parent,
                    const StatusHooks &hooks)
{
    const QPointer<QWidget> window(parent);
    auto *client = new TindUpdate::Client(config, QCoreApplication::instance());
    show(hooks, QCoreApplication::translate("UpdateUi", "Checking for updates…"));
    QObject::connect(client, &TindUpdate::Client::updateAvailable, client,
                     [config, appName, window, hooks, client](const TindUpdate::Artifact &artifact) {
                         clear(hooks);
                         if (window) {
                             auto *dialog = new TindUpdate::UpdateDialog(artifact, config.currentVersion, appName,
                                                                         window, config.notesLanguage);
                             dialog->setAttribute(Qt::WA_DeleteOnClose);
                             dialog->show();
                         }
                         client->deleteLater();
                     });
    QObject::connect(client, &TindUpdate::Client::upToDate, client, [config, appName, hooks, client] {
        showFor(hooks,
                QCoreApplication::translate("UpdateUi", "%1 is up to date (version %2)")
                    .arg(appName, config.currentVersion),
                5000);
        client->deleteLater();
    });
    QObject::connect(client, &TindUpdate::Client::checkFailed, client, [hooks, client](const QString &reason) {
        showFor(hooks, QCoreApplication::translate("UpdateUi", "Update check failed: %1").arg(reason), 5000);
        client->deleteLater();
    });
    client->check();
}

void showWhatsNew(const TindUpdate::Client::Config &config, const QString &appName, QWidget *parent,
                  const StatusHooks &hooks)
{
    const QPointer<QWidget> window(parent);
    show(hooks, QCoreApplication::translate("UpdateUi", "Loading release notes…"));
    auto *fetcher = new TindUpdate::ReleaseNotesFetcher(config, QCoreApplication::instance());
    QObject::connect(fetcher, &TindUpdate::ReleaseNotesFetcher::notesReady, fetcher,
                     [config, appName, window, hooks, fetcher](const QString &markdown) {
                         clear(hooks);
                         if (window)
                             openWhatsNew(window, markdown, config.currentVersion, config, appName, QUrl());
                         fetcher->deleteLater();
                     });
    QObject::connect(fetcher, &TindUpdate::ReleaseNotesFetcher::notesUnavailable, fetcher,
                     [config, appName, window, hooks, fetcher] {
                         fetcher->deleteLater();
                         showNewerReleaseNotes(config, appName, window, hooks);
                     });
    fetcher->fetch();
}

} // namespace UpdateUi
