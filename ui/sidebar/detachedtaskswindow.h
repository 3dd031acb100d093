#pragma once

#include <QMainWindow>

#include "store/preferencekeys.h"

class AppState;
class TasksPane;

// The tasks in a window of its own, outside the main window. Its
// geometry is kept across openings.
class DetachedTasksWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr const char *GeometryKey = PreferenceKeys::DetachedTasksGeometry;

    explicit DetachedTasksWindow(AppState *appState, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    AppState *m_appState;
    TasksPane *m_pane = nullptr;
};
