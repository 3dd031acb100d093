#include "app/notifications/inappnotifier.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

// The box's own reading of its width is narrow enough to wrap "(5:30 AM)"
// away from its sentence: each text gets the width of its longest line,
// and only a longer note wraps, at MaxTextWidth.
void fitToText(QMessageBox *box)
{
    for (QLabel *label : box->findChildren<QLabel *>()) {
        if (!label->wordWrap())
            continue;
        int widest = 0;
        for (const QString &line : label->text().split(QLatin1Char('\n')))
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        label->setMinimumWidth(std::min(widest + 4, InAppNotifier::MaxTextWidth));
        label->setMaximumWidth(InAppNotifier::MaxTextWidth);
    }
}

} // namespace

InAppNotifier::InAppNotifier(QObject *parent)
    : Notifier(parent)
{
}

QWidget *InAppNotifier::hostWindow()
{
    if (QWidget *active = QApplication::activeWindow(); active && active->isVisible())
        return active;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (qobject_cast<QMainWindow *>(window) && window->isVisible() && !window->isMinimized())
            return window;
    }
    return nullptr;
}

void InAppNotifier::notify(const Notification &notification, Done done)
{
    QWidget *host = hostWindow();
    if (!host) {
        done(false);
        return;
    }
    auto *box = new QMessageBox(host);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setIcon(QMessageBox::Information);
    box->setWindowTitle(notification.title);
    // Event text is shown as typed, never as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(notification.title);
    box->setInformativeText(notification.body);
    // The box's text format leaves its informative text (a location) read
    // as markup.
    for (QLabel *label : box->findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    QPushButton *open = box->addButton(tr("Open"), QMessageBox::AcceptRole);
    box->addButton(QMessageBox::Close);
    box->setDefaultButton(QMessageBox::Close);
    fitToText(box);
    const QVariant context = notification.context;
    connect(box, &QMessageBox::buttonClicked, this, [this, open, context](QAbstractButton *button) {
        if (button == open)
            Q_EMIT activated(context);
    });
    box->show();
    done(true);
}
