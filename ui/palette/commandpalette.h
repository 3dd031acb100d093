#pragma once

#include <QFrame>
#include <QList>
#include <QString>

#include "ui/palette/palettecommand.h"

class AppState;
class MainWindow;
class QLineEdit;
class QListWidget;

// The keyboard launcher of the main window: a query field over a list of
// the commands whose keyword matches and, from the second character on, of
// the stored events that match. Created once per main window and hidden,
// not destroyed, between uses.
class CommandPalette : public QFrame
{
    Q_OBJECT
public:
    // A row's data roles: a command row holds its keyword, an event row its
    // event id and true under EventRowRole.
    static constexpr int EventRowRole = Qt::UserRole + 1;
    static constexpr int EventLimit = 15;

    CommandPalette(AppState *appState, MainWindow *mainWindow, QWidget *parent);

    void showPalette();

    QLineEdit *queryField() const { return m_query; }
    QListWidget *resultList() const { return m_results; }
    const QList<PaletteCommand> &commands() const { return m_commands; }

    void rebuildList(const QString &text);
    void activateCurrent();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildCommands();
    void addViewShortcut(const QString &keyword, const QString &mode, const QString &description);
    void addSpanShortcut(const QString &keyword, int days, const QString &description);
    bool switchView(const QString &argument);
    bool runCommand(const QString &keyword, const QString &argument);
    void addEventRows(const QString &query);

    AppState *m_appState;
    MainWindow *m_mainWindow;
    QLineEdit *m_query = nullptr;
    QListWidget *m_results = nullptr;
    QList<PaletteCommand> m_commands;
};
