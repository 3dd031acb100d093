#pragma once

#include "store/event.h"
#include "store/task.h"
#include "ui/panes/agendawindow.h"
#include "views/common/viewrange.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QWidget>

#include <functional>

class AppState;
class QStackedWidget;
class QTimer;
class ViewRangeLoader;
class WindowedRows;

// The day-by-day list of the coming days' events and tasks, in the sidebar
// and the detached agenda window. Mode "agenda" heads every day of the
// window, mode "list" only the days with something on them; each list keeps
// its mode under its own settings key. The list reads the store off the GUI
// thread, first when it is first shown, and builds only the rows in and near
// view, so a long window over a big store costs what a screen shows.
class AgendaListWidget : public QWidget
{
    Q_OBJECT
public:
    AgendaListWidget(AppState *app, bool showEmptyDays, int dayCount, const QString &modeKey,
                     QWidget *parent = nullptr);

    void setMode(bool showEmptyDays);
    bool showEmptyDays() const { return m_showEmptyDays; }
    // Reads the window anew; the rows change when the read arrives.
    void reload();
    // A read is on its way, or none has arrived yet.
    bool isLoading() const;

    // The clock that decides "today" and which of today's events have
    // ended; the system's until set.
    void setClock(std::function<QDateTime()> clock);

    // What the last reload showed, in order: day headers' texts (tests, tools).
    QStringList headerTexts() const;
    // Entries of the list (headers and rows), built or not.
    int entryCount() const { return int(m_entries.size()); }
    // The rows built now (in and near view).
    int builtRowCount() const;
    bool showsEmptyState() const;

    void showEventContextMenu(const QString &eventId, const QPoint &globalPos);
    void showTaskContextMenu(const QString &taskId, const QPoint &globalPos);

Q_SIGNALS:
    void showEmptyDaysChanged(bool show);
    // The rows of a read are in place.
    void reloaded();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Entry
    {
        enum Kind { Header, EventRow, TaskRow };
        Kind kind = Header;
        // Into m_window's days, and into that day's events or tasks.
        int day = 0;
        int item = -1;
    };

    void reloadWhenShown();
    void apply(const ViewRangeData &data);
    void rebuild();
    QWidget *buildEntry(int index, QWidget *parent);
    QWidget *makeEventRow(const Event &event, QWidget *parent);
    QWidget *makeTaskRow(const Task &task, QWidget *parent);
    QWidget *makeDayHeader(const QDate &date, const QDate &today, QWidget *parent);
    static QString headerText(const QDate &date, const QDate &today);
    void openEventPopover(const Event &event, const QRect &screenRect);
    void openEventEditor(const QString &eventId);
    void openTaskPopover(const QString &taskId, const QRect &screenRect);
    void openTaskEditor(const QString &taskId);

    AppState *m_app;
    bool m_showEmptyDays = true;
    int m_dayCount = 30;
    QString m_modeKey;
    QStackedWidget *m_stack = nullptr;
    WindowedRows *m_rows = nullptr;
    QTimer *m_reloadTimer = nullptr;
    ViewRangeLoader *m_loader = nullptr;
    std::function<QDateTime()> m_clock;
    // The last read and what it lists.
    ViewRangeData m_data;
    AgendaWindow m_window;
    QDate m_today;
    bool m_loaded = false;
    // A change arrived while hidden: read when shown.
    bool m_stale = true;
    QList<Entry> m_entries;
};
