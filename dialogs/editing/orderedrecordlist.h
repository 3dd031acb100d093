#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QVBoxLayout;

// The body of the dialogs that manage an ordered set of stored records
// (filter rules, calendar groups): a list with one row per record id that
// the user reorders by dragging, and "add", "Edit…" and "Delete" below it.
// Each row's Qt::UserRole data is the record's id; rows without one (the
// placeholder) never reach the store.
class OrderedRecordList : public QWidget
{
    Q_OBJECT
public:
    // The button texts come from the dialog, so that they stay in its
    // translation context; the object names are for tests and style sheets.
    struct Button
    {
        QString text;
        QString name;
    };
    struct Controls
    {
        QString listName;
        Button add;
        Button edit;
        Button remove;
    };

    explicit OrderedRecordList(const Controls &controls, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    // The ids of the rows from top to bottom.
    QStringList ids() const;
    // The current row's id, empty without one.
    QString currentId() const;

    // Clears the list for a rebuild without reporting the new rows as edits;
    // finishRows puts the signals back, adds the inert placeholder when no
    // record was added, and enables Edit and Delete only when one was.
    void beginRows();
    QListWidgetItem *addRow(const QString &text, const QString &id);
    void finishRows(const QString &placeholder);

    // The heading, the muted help text and the closing line and Close button
    // the manage dialogs put around the list.
    static void addHeading(QVBoxLayout *layout, const QString &heading, const QString &help, QWidget *parent);
    static void addCloseFooter(QVBoxLayout *layout, QWidget *dialog);

Q_SIGNALS:
    // After a drag, with the new order of ids; not sent when no row has one.
    void orderChanged(const QStringList &ids);
    void addRequested();
    void editRequested();
    void deleteRequested();

private:
    QListWidget *m_list = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    bool m_wasBlocked = false;
    int m_records = 0;
};
