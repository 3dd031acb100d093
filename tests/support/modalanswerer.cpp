#include "tests/support/modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>

namespace {

QString plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

} // namespace

ModalAnswerer::ModalAnswerer(QObject *parent)
    : QObject(parent)
{
    connect(&m_poll, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_poll.start(5);
}

void ModalAnswerer::answer(Answer answer)
{
    m_answers.append(std::move(answer));
}

void ModalAnswerer::pressButton(QMessageBox::StandardButton button)
{
    answer([button](QWidget *window) {
        if (auto *box = qobject_cast<QMessageBox *>(window)) {
            if (QAbstractButton *b = box->button(button)) {
                b->click();
                return;
            }
        }
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
    });
}

void ModalAnswerer::clickButton(const QString &text)
{
    answer([text](QWidget *window) {
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (plain(button->text()) == text) {
                button->click();
                return;
            }
        }
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
    });
}

void ModalAnswerer::chooseMenuItem(const QString &text)
{
    answer([text](QWidget *window) {
        auto *menu = qobject_cast<QMenu *>(window);
        if (!menu) {
            window->close();
            return;
        }
        for (QAction *action : menu->actions()) {
            if (plain(action->text()) == text && action->isEnabled()) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
}

void ModalAnswerer::poll()
{
    QWidget *window = QApplication::activePopupWidget();
    if (!window)
        window = QApplication::activeModalWidget();
    if (!window || window == m_current)
        return;
    m_current = window;
    handle(window);
}

void ModalAnswerer::handle(QWidget *window)
{
    QString description = QString::fromLatin1(window->metaObject()->className());
    if (auto *box = qobject_cast<QMessageBox *>(window))
        description += QLatin1Char(' ') + box->text();
    else
        description += QLatin1Char(' ') + window->windowTitle();
    if (auto *menu = qobject_cast<QMenu *>(window)) {
        QStringList entries;
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator())
                entries.append(plain(action->text()) + (action->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
        }
        m_menus.append(entries);
    }
    if (m_answers.isEmpty()) {
        m_seen.append(description + QStringLiteral(" (unexpected)"));
        QPointer<QWidget> guarded(window);
        QTimer::singleShot(0, this, [guarded] {
            if (auto *dialog = qobject_cast<QDialog *>(guarded.data()))
                dialog->reject();
            else if (guarded)
                guarded->close();
        });
        return;
    }
    m_seen.append(description);
    const Answer next = m_answers.takeFirst();
    QPointer<QWidget> guarded(window);
    QTimer::singleShot(0, this, [guarded, next] {
        if (guarded)
            next(guarded);
    });
}
