#pragma once

#include "calendar/nlparser.h"

#include <QDialog>
#include <QString>

class AppState;
class QLabel;
class QPlainTextEdit;

// A small window for one sentence in plain English ("lunch Thursday 1pm").
// While the user types it shows how the sentence will be read; Enter stores
// it as an event, to-do or reminder. Not modal: the main window keeps one
// and shows it again, empty, each time.
class QuickAddDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QuickAddDialog(AppState *app, QWidget *parent = nullptr);

    // The preview's "when" part (title included) of a parsed sentence, in
    // the user's time-of-day pattern, and its kind ("Event", "To-do" or
    // "Reminder").
    static QString whenText(const NLParser::ParseResult &parsed, const QString &timePattern);
    static QString kindLabel(const NLParser::ParseResult &parsed);

Q_SIGNALS:
    // Nothing can be stored without a calendar: the user is sent to the
    // main window instead.
    void openMainWindow();

public Q_SLOTS:
    void onTextChanged();
    void onCommit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fitEditHeight();

    AppState *m_app;
    QPlainTextEdit *m_edit = nullptr;
    QLabel *m_preview = nullptr;
};
