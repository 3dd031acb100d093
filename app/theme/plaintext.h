#pragma once

#include <QMessageBox>
#include <QString>

class QLabel;
class QWidget;

// Text that comes from outside the program (names of calendars, accounts and
// people, server messages, file names) is shown as typed: never read as
// markup, so it fetches no image, opens no link and hides no other text.
namespace PlainText {

// A label that shows its text as typed.
QLabel *label(const QString &text, QWidget *parent);

// For a place that reads its text as markup when it looks like markup (a
// tooltip, a message box's informative text): the text escaped there, so
// it still shows as typed; unchanged where it would be shown as typed anyway.
QString forAutoText(const QString &text);

// A message box that shows its text as typed and opens no link; answers the
// button pressed, as QMessageBox's own functions do.
QMessageBox::StandardButton message(QMessageBox::Icon icon, QWidget *parent, const QString &title,
                                    const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                     QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

} // namespace PlainText
