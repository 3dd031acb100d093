#include "ui/panes/panerow.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "app/theme/theme.h"

PaneRow::PaneRow(const QString &objectName, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QLabel *PaneRow::makeChevron()
{
    auto *chevron = new QLabel(QStringLiteral("›"), this);
    chevron->setProperty("muted", true);
    QFont chevronFont = chevron->font();
    chevronFont.setPointSize(chevronFont.pointSize() + 4);
    chevron->setFont(chevronFont);
    chevron->setFixedWidth(14);
    chevron->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return chevron;
}

QLabel *PaneRow::makeTitle(const QString &text, const char *objectName, bool bold)
{
    auto *title = new QLabel(text, this);
    title->setObjectName(QString::fromLatin1(objectName));
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    title->setMinimumWidth(40);
    if (bold) {
        QFont font = title->font();
        font.setWeight(QFont::Bold);
        title->setFont(font);
    }
    return title;
}

void PaneRow::paintHover(QPainter &painter)
{
    if (m_hovered)
        painter.fillRect(rect(), Theme::surfaceMuted());
}

void PaneRow::paintRule(QPainter &painter)
{
    painter.setPen(QPen(Theme::border(), 0.5));
    painter.drawLine(QPointF(0, height() - 1), QPointF(width(), height() - 1));
}

void PaneRow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (isOnControl(event->position().toPoint()))
        clickControl();
    else
        Q_EMIT rowSelected(itemId(), QRect(mapToGlobal(QPoint(0, 0)), size()));
    event->accept();
}

void PaneRow::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    if (!isOnControl(event->position().toPoint()))
        Q_EMIT rowActivated(itemId());
    event->accept();
}

void PaneRow::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QWidget::enterEvent(event);
}

void PaneRow::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QWidget::leaveEvent(event);
}

void PaneRow::contextMenuEvent(QContextMenuEvent *event)
{
    Q_EMIT rowContextRequested(itemId(), event->globalPos());
    event->accept();
}
