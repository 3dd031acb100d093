#pragma once

#include <QMainWindow>

#include "store/preferencekeys.h"

class AppState;
class AgendaListWidget;
class MiniMonthCalendar;

// The agenda in a window of its own, outside the main window. Its
// geometry is kept across openings.
class DetachedAgendaWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr const char *GeometryKey = PreferenceKeys::DetachedAgendaGeometry;

    explicit DetachedAgendaWindow(AppState *appState, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    AppState *m_appState;
    MiniMonthCalendar *m_miniMonth = nullptr;
    AgendaListWidget *m_agenda = nullptr;
};
