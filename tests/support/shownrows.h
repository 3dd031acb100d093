#pragma once

// Header only: the pane tests link the panes, the other users of the widget
// test support do not.
#include <QLabel>
#include <QScrollArea>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "ui/panes/taskspanerow.h"

#include <algorithm>

// The section headers and rows of a task or reminder pane's list as they
// stand on the screen, top to bottom, read from the widgets' places rather
// than from the pane's own bookkeeping.
struct ShownRows
{
    // "# Title" for a section header; one '>' per nesting level, then the
    // title, for a row.
    QStringList lines;
    // The first fault of the stacking (a gap or an overlap between two
    // lines, a line narrower or wider than the list, a row whose title is
    // cut off); empty when there is none.
    QString fault;

    static ShownRows of(QWidget *pane);
};

inline ShownRows ShownRows::of(QWidget *pane)
{
    ShownRows shown;
    auto *scroll = pane->findChild<QScrollArea *>();
    QWidget *content = scroll ? scroll->widget() : nullptr;
    if (!content) {
        shown.fault = QStringLiteral("no list");
        return shown;
    }
    QList<QWidget *> lines;
    for (QWidget *widget : content->findChildren<QWidget *>()) {
        const bool line = qobject_cast<TasksPaneRow *>(widget) || widget->objectName() == QLatin1String("sectionHeader");
        if (line && widget->isVisibleTo(pane))
            lines.append(widget);
    }
    std::sort(lines.begin(), lines.end(), [content](QWidget *a, QWidget *b) {
        return a->mapTo(content, QPoint()).y() < b->mapTo(content, QPoint()).y();
    });
    int expectedTop = -1;
    for (QWidget *widget : lines) {
        QString text;
        if (auto *row = qobject_cast<TasksPaneRow *>(widget)) {
            text = QString(row->depth(), QLatin1Char('>')) + row->task().title;
            auto *title = row->findChild<QLabel *>(QStringLiteral("taskTitle"));
            if (shown.fault.isEmpty() && title && title->height() < title->heightForWidth(title->width()))
                shown.fault = QStringLiteral("title cut off: ") + text;
        } else {
            auto *title = widget->findChild<QLabel *>(QStringLiteral("sectionTitle"));
            text = QStringLiteral("# ") + (title ? title->text() : QString());
        }
        shown.lines.append(text);
        const QRect place(widget->mapTo(content, QPoint()), widget->size());
        if (!shown.fault.isEmpty())
            continue;
        if (expectedTop >= 0 && place.top() != expectedTop)
            shown.fault = QStringLiteral("%1 at %2, expected at %3").arg(text).arg(place.top()).arg(expectedTop);
        else if (place.left() != 0 || place.width() != content->width())
            shown.fault = QStringLiteral("%1 spans %2..%3 of %4")
                              .arg(text)
                              .arg(place.left())
                              .arg(place.right())
                              .arg(content->width());
        expectedTop = place.bottom() + 1;
    }
    return shown;
}
