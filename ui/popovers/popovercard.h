#pragma once

#include <QFrame>
#include <QString>

class QMouseEvent;

// The floating card the details popovers share: a rounded, shadowed frame
// in the anchor's window that closes on Escape and on a click elsewhere in
// that window. A click on its linked line opens what that line names.
class PopoverCard : public QFrame
{
    Q_OBJECT
public:
    ~PopoverCard() override;

protected:
    // A child of the anchor's window (no parent without an anchor).
    PopoverCard(QWidget *anchor, const QString &objectName, int width);

    // The line whose click opens the linked item; null while there is none.
    virtual QWidget *linkedLine() const = 0;
    virtual void openLinked() = 0;

    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

    // A colour from the store or a server, reduced to "#rrggbb" before it
    // goes into markup: colour text is not trusted to be a colour.
    static QString safeColor(const QString &text, const QString &fallback);

private:
    // The press last seen by the application filter, compared by address
    // and time stamp, never dereferenced.
    const QMouseEvent *m_lastPress = nullptr;
    quint64 m_lastPressTime = 0;
};
