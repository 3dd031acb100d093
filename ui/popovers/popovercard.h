#pragma once

#include <QFrame>
#include <QString>

class AppState;
class QLabel;
class QLayout;
class QMouseEvent;
class QPushButton;

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

    // A wrapping line of the card, named for tests, added to the layout.
    QLabel *addLabel(QLayout *layout, const char *name, Qt::TextFormat format, bool muted);
    // The card's plain-text heading in bold.
    QLabel *addTitle(QLayout *layout);
    QPushButton *newActionButton(const QString &text, const char *name);
    // Widens the card, never narrows it, to give `row`, one of its lines,
    // the room its widgets need: their texts are longer in some languages.
    void widenFor(QLayout *row);
    // The coloured dot and "Account / Calendar" (unknownName when the
    // calendar is gone); the item's own colour wins over the calendar's.
    static QString calendarLine(AppState *app, const QString &itemColor, const QString &calendarId,
                                const QString &unknownName);

private:
    // The press last seen by the application filter, compared by address
    // and time stamp, never dereferenced.
    const QMouseEvent *m_lastPress = nullptr;
    quint64 m_lastPressTime = 0;
};
