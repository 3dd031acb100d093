#include "ui/popovers/popovercard.h"

#include <QApplication>
#include <QColor>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPushButton>

#include "app/accountname.h"
#include "app/appstate.h"
#include "app/theme/theme.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"

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

QLabel *PopoverCard::addLabel(QLayout *layout, const char *name, Qt::TextFormat format, bool muted)
{
    auto *label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextFormat(format);
    if (muted)
        label->setProperty("muted", true);
    layout->addWidget(label);
    return label;
}

QLabel *PopoverCard::addTitle(QLayout *layout)
{
    QLabel *title = addLabel(layout, "title", Qt::PlainText, false);
    QFont titleFont = title->font();
    titleFont.setWeight(QFont::Bold);
    titleFont.setPointSize(Theme::fontXl());
    title->setFont(titleFont);
    return title;
}

QPushButton *PopoverCard::newActionButton(const QString &text, const char *name)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

void PopoverCard::widenFor(QLayout *row)
{
    // Sized as they will show: with their style and font.
    ensurePolished();
    row->invalidate();
    const QMargins margins = layout()->contentsMargins();
    const int frame = width() - contentsRect().width();
    const int needed = row->sizeHint().width() + margins.left() + margins.right() + frame;
    if (needed > width())
        setFixedWidth(needed);
}

QString PopoverCard::calendarLine(AppState *app, const QString &itemColor, const QString &calendarId,
                                  const QString &unknownName)
{
    const std::optional<Calendar> calendar = app->calendars()->getById(calendarId);
    QString colour = QStringLiteral("#4285F4");
    if (!itemColor.isEmpty())
        colour = safeColor(itemColor, colour);
    else if (calendar)
        colour = safeColor(calendar->color, colour);
    QString name = unknownName;
    if (calendar) {
        name = calendar->name;
        const std::optional<Account> account = app->accounts()->getById(calendar->account_id);
        const QString accountName = account ? AccountName::shown(*account) : QString();
        if (!accountName.isEmpty())
            name = QStringLiteral("%1 / %2").arg(accountName, calendar->name);
    }
    // Label rich text draws no sized boxes; a coloured dot stands for the
    // calendar's swatch.
    return QStringLiteral("<span style=\"color:%1;\">&#9679;</span>&nbsp;&nbsp;%2").arg(colour, name.toHtmlEscaped());
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
