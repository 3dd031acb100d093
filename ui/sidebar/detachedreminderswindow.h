#pragma once

#include <QMainWindow>

#include "store/preferencekeys.h"

class AppState;
class RemindersPane;

// The reminders in a window of its own, outside the main window. Its
// geometry is kept across openings.
class DetachedRemindersWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr const char *GeometryKey = PreferenceKeys::DetachedRemindersGeometry;

    explicit DetachedRemindersWindow(AppState *appState, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    AppState *m_appState;
    RemindersPane *m_pane = nullptr;
};
