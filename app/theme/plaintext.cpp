#include "app/theme/plaintext.h"

#include <QLabel>
#include <QPushButton>
#include <QTextDocument>

namespace PlainText {

QLabel *label(const QString &text, QWidget *parent)
{
    auto *result = new QLabel(parent);
    result->setTextFormat(Qt::PlainText);
    result->setText(text);
    return result;
}

QString forAutoText(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    // Line breaks and runs of spaces kept as they were typed.
    return QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(text.toHtmlEscaped());
}

QMessageBox::StandardButton message(QMessageBox::Icon icon, QWidget *parent, const QString &title,
                                    const QString &text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(defaultButton);
    } else {
        for (QAbstractButton *button : box.buttons()) {
            if (box.buttonRole(button) == QMessageBox::AcceptRole) {
                box.setDefaultButton(qobject_cast<QPushButton *>(button));
                break;
            }
        }
    }
    box.exec();
    return box.standardButton(box.clickedButton());
}

QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    return message(QMessageBox::Information, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return message(QMessageBox::Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return message(QMessageBox::Critical, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return message(QMessageBox::Question, parent, title, text, buttons, defaultButton);
}

} // namespace PlainText
