#pragma once

#include <QDialog>
#include <QUrl>

// Shown when no browser opens for an address the program meant to open: the
// address, selectable, with a button that copies it, so the user can paste
// it into a browser of their own.
class AddressDialog : public QDialog
{
    Q_OBJECT
public:
    AddressDialog(const QString &title, const QString &message, const QUrl &address, QWidget *parent = nullptr);

    // The usual wording: "<what> could not be opened in a browser."
    static void showFor(QWidget *parent, const QString &what, const QUrl &address);
};
