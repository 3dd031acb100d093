#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

// Answers the modal dialogs and popup menus a widget opens while a test
// drives it, in the order they open. Each answer is queued before the action
// that opens the window; a window nobody queued an answer for is closed (a
// dialog rejected, a menu dismissed) and noted, so a test never hangs.
class ModalAnswerer : public QObject
{
    Q_OBJECT
public:
    using Answer = std::function<void(QWidget *window)>;

    explicit ModalAnswerer(QObject *parent = nullptr);

    void answer(Answer answer);
    // Presses a standard button of the next message box.
    void pressButton(QMessageBox::StandardButton button);
    // Clicks the push button with this text (without the '&') in the next dialog.
    void clickButton(const QString &text);
    // Triggers the entry with this text (without the '&') of the next menu.
    void chooseMenuItem(const QString &text);

    int pending() const { return int(m_answers.size()); }
    // Every window seen: its class name, then its title or, for a message
    // box, its text; an unanswered one is marked "unexpected".
    const QStringList &seen() const { return m_seen; }
    // The entries (enabled or not) of every menu seen, in order.
    const QList<QStringList> &menus() const { return m_menus; }

private:
    void poll();
    void handle(QWidget *window);

    QList<Answer> m_answers;
    QStringList m_seen;
    QList<QStringList> m_menus;
    QPointer<QWidget> m_current;
    QTimer m_poll;
};
