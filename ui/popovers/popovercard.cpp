#include "ui/popovers/popovercard.h"

#include <QApplication>
#include <QColor>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/theme/theme.h"

PopoverCard::PopoverCard(QWidget *anchor, const QString &objectName, int width)
    : QFrame(anchor ? anchor->window() : nullptr)
{
    setObjectName(objectName);
    setStyleSheet(QStringLiteral("QFrame#%1 {background: %2;border: 1px solid %3;border-radius: %4px;}")
                      .arg(objectName, Theme::surface().name(), Theme::border().name())
                      .arg(10));
    setFixedWidth(width);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_DeleteOnClose);
    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(28);
    shadow->setOffset(0, 6);
    shadow->setColor(QColor(0, 0, 0, 80));
    setGraphicsEffect(shadow);
}

PopoverCard::~PopoverCard()
{
    qApp->removeEventFilter(this);
}

QString PopoverCard::safeColor(const QString &text, const QString &fallback)
{
    const QColor color(text);
    return color.isValid() ? color.name() : fallback;
}

bool PopoverCard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        // A press nobody takes travels up to the parents, through this
        // filter again; only the widget that got it first decides.
        const auto *press = static_cast<const QMouseEvent *>(event);
        if (press == m_lastPress && press->timestamp() == m_lastPressTime)
            return QFrame::eventFilter(watched, event);
        m_lastPress = press;
        m_lastPressTime = press->timestamp();
        auto *widget = static_cast<QWidget *>(watched);
        QWidget *linked = linkedLine();
        if (linked && (widget == linked || linked->isAncestorOf(widget))) {
            openLinked();
            return true;
        }
        if (widget != this && !isAncestorOf(widget) && widget->window() == window() && isVisible())
            close();
    }
    return QFrame::eventFilter(watched, event);
}

void PopoverCard::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}

void PopoverCard::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    qApp->installEventFilter(this);
    raise();
}

void PopoverCard::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QFrame::hideEvent(event);
}
