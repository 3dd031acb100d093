#pragma once

#include <QString>

#include "store/preferencekeys.h"

class PreferencesRepository;
class QWidget;

// Where no desktop keyring answers, passwords and tokens are kept in the
// private file store, readable by anyone who can read the user's files. The
// user is told so once; the settings remember that the notice was shown.
class UnencryptedSecretsNotice
{
public:
    static constexpr const char *ShownKey = PreferenceKeys::UnencryptedSecretsNoticeShown;

    // Opens the notice (window-modal over `parent`, without waiting for it)
    // unless it was shown before; true when it opened.
    static bool showOnce(QWidget *parent, PreferencesRepository *preferences);

    static QString text();
};
