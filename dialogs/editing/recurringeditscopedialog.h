#pragma once

#include <QDialog>
#include <QString>

#include "app/edits/recurringeditscope.h"

class QVBoxLayout;

// Asks whether a change to one occurrence of a repeating event applies to
// that occurrence, to it and every later one, or to the whole series. The
// answer is read from scope() after exec: 0 cancel, 1 this event only,
// 2 this and following events, 3 all events in the series.
class RecurringEditScopeDialog : public QDialog
{
    Q_OBJECT
public:
    enum Scope {
        Cancel = SeriesScope::Cancel,
        ThisEvent = SeriesScope::ThisEvent,
        ThisAndFollowing = SeriesScope::ThisAndFollowing,
        AllEvents = SeriesScope::AllEvents
    };

    explicit RecurringEditScopeDialog(const QString &eventTitle, QWidget *parent = nullptr);
    ~RecurringEditScopeDialog() override;

    int scope() const { return m_scope; }

private:
    void addScopeButton(QVBoxLayout *layout, const QString &text, const QString &toolTip, int scope);

    int m_scope = Cancel;
};
