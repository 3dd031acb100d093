#pragma once

#include "app/edits/icsimportresult.h"
#include "calendar/icscodec.h"

#include <QObject>
#include <QPointer>
#include <QString>

class AppState;
class IcsImportRun;
class QMainWindow;
class QProgressDialog;

// The import of an .ics file as the main window offers it (the command
// line, a dropped file): the file is read on a thread of its own, the user
// picks a writable calendar, and the events are stored in slices, with a
// progress dialog and Cancel for a large file. The result shows in the
// window's status bar. One import runs at a time.
class IcsImportFlow : public QObject
{
    Q_OBJECT
public:
    IcsImportFlow(AppState *state, QMainWindow *window);
    ~IcsImportFlow() override;

    void importFile(const QString &path);
    bool isRunning() const { return m_busy; }

    // Files with at least this many events show the progress dialog.
    static constexpr int ProgressThreshold = 2000;

private:
    void onRead(const QString &fileName, const IcsReadResult &read);
    QString chooseCalendar(const QString &fileName, int count, QString *label);
    void store(const QString &fileName, const QList<Event> &events, const QString &calendarId,
               const QString &label);
    void finish(const QString &message);

    AppState *m_state;
    QMainWindow *m_window;
    QPointer<IcsImportRun> m_run;
    QPointer<QProgressDialog> m_progress;
    bool m_busy = false;
};
