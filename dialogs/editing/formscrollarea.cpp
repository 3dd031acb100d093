#include "dialogs/editing/formscrollarea.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

// The least of the form a short screen still shows.
constexpr int MinimumShownHeight = 120;

} // namespace

FormScrollArea::FormScrollArea(QWidget *body, QWidget *parent)
    : QScrollArea(parent)
{
    setObjectName(QStringLiteral("formScrollArea"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(body);
    body->installEventFilter(this);
}

int FormScrollArea::scrollBarWidth() const
{
    return verticalScrollBar()->sizeHint().width();
}

QSize FormScrollArea::sizeHint() const
{
    // Room for the scroll bar too, so a bar that appears never squeezes
    // the form.
    const QSize body = widget() ? widget()->sizeHint() : QSize();
    return QSize(body.width() + scrollBarWidth(), body.height());
}

QSize FormScrollArea::minimumSizeHint() const
{
    // Never narrower than the form: only its height scrolls.
    const QSize body = widget() ? widget()->minimumSizeHint() : QSize();
    return QSize(body.width() + scrollBarWidth(), std::min(body.height(), MinimumShownHeight));
}

bool FormScrollArea::eventFilter(QObject *watched, QEvent *event)
{
    // A form that grows or shrinks changes what the dialog asks for.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}
