#pragma once

#include <QWidget>

class AgendaListWidget;
class AppState;
class MiniMonthCalendar;

// The main window's left column: the mini month above the agenda.
class Sidebar : public QWidget
{
    Q_OBJECT
public:
    explicit Sidebar(AppState *appState, QWidget *parent = nullptr);
    ~Sidebar() override;

    MiniMonthCalendar *miniMonth() const { return m_miniMonth; }
    AgendaListWidget *agenda() const { return m_agenda; }

private:
    AppState *m_appState;
    MiniMonthCalendar *m_miniMonth = nullptr;
    AgendaListWidget *m_agenda = nullptr;
};
