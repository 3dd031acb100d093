#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "store/preferencekeys.h"

#include <functional>

class PreferencesRepository;
class SecretServiceCache;
class QWidget;

// Where no desktop keyring answers, passwords and tokens are kept in the
// private file store, readable by anyone who can read the user's files. The
// user is told so once, when it matters and can be seen: for secrets kept
// already, once the window is on screen (a start hidden in the tray waits
// for it); otherwise when the first secret is stored, not at a first start
// that holds none. The settings remember that the notice was shown.
class UnencryptedSecretsNotice : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *ShownKey = PreferenceKeys::UnencryptedSecretsNoticeShown;

    // Over `window` (the main window, which outlives the dialogs a password
    // is typed in).
    UnencryptedSecretsNotice(QWidget *window, PreferencesRepository *preferences, QObject *parent = nullptr);

    // Once `cache` has settled without a keyring: `secretsKept` tells
    // whether anything is kept already; every later write is news.
    void watch(SecretServiceCache *cache, std::function<bool()> secretsKept);

    // Opens the notice (window-modal over `parent`, without waiting for it)
    // unless it was shown before; true when it opened.
    static bool showOnce(QWidget *parent, PreferencesRepository *preferences);

    static QString text();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showWhenSeen();

    QPointer<QWidget> m_window;
    PreferencesRepository *m_preferences;
    bool m_waitingForWindow = false;
};
