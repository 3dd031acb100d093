#include "ui/pickers/addressdialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddressDialog::AddressDialog(const QString &title, const QString &message, const QUrl &address, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(message, this);
    text->setObjectName(QStringLiteral("addressMessage"));
    text->setWordWrap(true);
    layout->addWidget(text);

    auto *row = new QHBoxLayout;
    auto *field = new QLineEdit(address.toString(QUrl::FullyEncoded), this);
    field->setObjectName(QStringLiteral("address"));
    field->setReadOnly(true);
    field->setCursorPosition(0);
    row->addWidget(field, 1);
    auto *copy = new QPushButton(tr("Copy"), this);
    copy->setObjectName(QStringLiteral("copyAddress"));
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, [field, copy] {
        QGuiApplication::clipboard()->setText(field->text());
        copy->setText(tr("Copied"));
    });
    row->addWidget(copy);
    layout->addLayout(row);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
    field->selectAll();
    field->setFocus();
}

void AddressDialog::showFor(QWidget *parent, const QString &what, const QUrl &address)
{
    AddressDialog dialog(tr("No browser opened"),
                         tr("%1 could not be opened in a browser. Copy this address into your browser:").arg(what),
                         address, parent);
    dialog.exec();
}
