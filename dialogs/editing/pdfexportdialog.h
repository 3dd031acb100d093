#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class AppState;
class QDateEdit;
class QLineEdit;

// Exports the events of a date range as an agenda PDF on A4 pages, as the
// calendar views show them: the active group's calendars, repeating events
// expanded, the filter rules applied.
class PdfExportDialog : public QDialog
{
    Q_OBJECT
public:
    // Asks where to save; an empty answer cancels.
    using PathChooser = std::function<QString(QWidget *parent, const QString &suggestedName)>;

    explicit PdfExportDialog(AppState *app, QWidget *parent = nullptr);

    void setPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }
    QDateEdit *fromEdit() const { return m_from; }
    QDateEdit *toEdit() const { return m_to; }
    QLineEdit *titleEdit() const { return m_title; }

public Q_SLOTS:
    void exportPdf();

private:
    // Writes the file in one piece: a failed export leaves any earlier file
    // of that name as it was. The number of events written, or -1 with
    // `error` set.
    int writePdf(const QString &path, QString *error);

    AppState *m_app;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QLineEdit *m_title = nullptr;
    PathChooser m_choosePath;
};
