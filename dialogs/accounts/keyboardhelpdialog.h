#pragma once

#include <QDialog>
#include <QKeySequence>
#include <QList>
#include <QPair>
#include <QSize>
#include <QString>

// One titled block of the keyboard reference: (key text, description) rows.
struct KeyboardHelpSection
{
    QString title;
    QList<QPair<QString, QString>> rows;
};

// "Keyboard Shortcuts": the reference card of the program's keys, mouse
// gestures and quick-add phrases.
class KeyboardHelpDialog : public QDialog
{
    Q_OBJECT
public:
    explicit KeyboardHelpDialog(QWidget *parent = nullptr);

    // The card's sections, in order.
    static QList<KeyboardHelpSection> sections();
    // Every key combination the card names, so the window's bindings can be
    // checked against it.
    static QList<QKeySequence> namedShortcuts();
    // The Preferences key: the platform's own, else Ctrl+, (as the main
    // window binds it).
    static QKeySequence preferencesKey();

    void reject() override;
};
