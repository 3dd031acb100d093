#pragma once

#include "store/event.h"
#include "store/task.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QWidget>

#include <functional>

class AppState;
class QScrollArea;
class QStackedWidget;
class QTimer;
class QVBoxLayout;

// The day-by-day list of the coming days' events and tasks, in the sidebar
// and the detached agenda window. Mode "agenda" heads every day of the
// window, mode "list" only the days with something on them; each list keeps
// its mode under its own settings key.
class AgendaListWidget : public QWidget
{
    Q_OBJECT
public:
    AgendaListWidget(AppState *app, bool showEmptyDays, int dayCount, const QString &modeKey,
                     QWidget *parent = nullptr);

    void setMode(bool showEmptyDays);
    bool showEmptyDays() const { return m_showEmptyDays; }
    void reload();

    // The clock that decides "today" and which of today's events have
    // ended; the system's until set.
    void setClock(std::function<QDateTime()> clock);

    // What the last reload showed, in order: day headers' texts (tests, tools).
    QStringList headerTexts() const;
    bool showsEmptyState() const;

    void showEventContextMenu(const QString &eventId, const QPoint &globalPos);
    void showTaskContextMenu(const QString &taskId, const QPoint &globalPos);

Q_SIGNALS:
    void showEmptyDaysChanged(bool show);

private:
    QWidget *makeDayHeader(const QDate &date, const QDate &today);
    void openEventPopover(const Event &event, const QRect &screenRect);
    void openEventEditor(const QString &eventId);
    void openTaskPopover(const QString &taskId, const QRect &screenRect);
    void openTaskEditor(const QString &taskId);

    AppState *m_app;
    bool m_showEmptyDays = true;
    int m_dayCount = 30;
    QString m_modeKey;
    QStackedWidget *m_stack = nullptr;
    QScrollArea *m_scroll = nullptr;
    QVBoxLayout *m_content = nullptr;
    QTimer *m_reloadTimer = nullptr;
    std::function<QDateTime()> m_clock;
};
