#pragma once

#include <QDialog>
#include <QString>

class AppState;

// The first-launch greeting. Accepted means "Add Account…": the caller then
// opens the calendar accounts; rejected ("Get Started", Escape, closing)
// means the user starts with the local calendar alone.
class WelcomeDialog : public QDialog
{
    Q_OBJECT
public:
    // The state is taken for symmetry with the other dialogs; nothing of it
    // is shown here.
    explicit WelcomeDialog(AppState *state, QWidget *parent = nullptr);

    // The greeting, naming Google and Microsoft only when the build can sign
    // in to them.
    static QString bodyText(bool google, bool microsoft);
};
