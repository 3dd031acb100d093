#include "app/unencryptedsecretsnotice.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include "app/secrets/secretservicecache.h"
#include "store/preferencesrepository.h"

UnencryptedSecretsNotice::UnencryptedSecretsNotice(QWidget *window, PreferencesRepository *preferences,
                                                   QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_preferences(preferences)
{
}

void UnencryptedSecretsNotice::watch(SecretServiceCache *cache, std::function<bool()> secretsKept)
{
    cache->whenSettled(this, [this, cache, secretsKept = std::move(secretsKept)] {
        if (cache->state() != SecretServiceCache::State::Unavailable)
            return;
        connect(cache, &SecretServiceCache::keptUnencrypted, this, &UnencryptedSecretsNotice::showWhenSeen);
        if (secretsKept && secretsKept())
            showWhenSeen();
    });
}

void UnencryptedSecretsNotice::showWhenSeen()
{
    if (!m_window || m_preferences->getBool(QLatin1String(ShownKey), false))
        return;
    if (m_window->isVisible()) {
        showOnce(m_window, m_preferences);
        return;
    }
    // A window hidden in the tray: the notice waits until it is shown.
    if (!m_waitingForWindow) {
        m_waitingForWindow = true;
        m_window->installEventFilter(this);
    }
}

bool UnencryptedSecretsNotice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show) {
        m_window->removeEventFilter(this);
        m_waitingForWindow = false;
        // Over the window once it is up, not in the middle of showing it.
        QTimer::singleShot(0, this, &UnencryptedSecretsNotice::showWhenSeen);
    }
    return QObject::eventFilter(watched, event);
}

bool UnencryptedSecretsNotice::showOnce(QWidget *parent, PreferencesRepository *preferences)
{
    if (!preferences || preferences->getBool(QLatin1String(ShownKey), false))
        return false;
    // Remembered before it shows: a crash or a kill while it is open must
    // not bring it back at every start. Unrecorded, it only shows once more.
    (void)preferences->setBool(QLatin1String(ShownKey), true);
    auto *box = new QMessageBox(QMessageBox::Information,
                                QCoreApplication::translate("UnencryptedSecretsNotice", "Passwords Not Encrypted"),
                                text(), QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    // Above the dialog a password was just typed in, if one is still open.
    box->raise();
    return true;
}

QString UnencryptedSecretsNotice::text()
{
    return QCoreApplication::translate(
        "UnencryptedSecretsNotice",
        "No desktop keyring is available, so your account passwords and sign-in tokens are kept in a file "
        "in your data folder without encryption. Anyone who can read your files can read them.\n\n"
        "Install or unlock a keyring (such as GNOME Keyring or KWallet) to keep them encrypted.");
}
