#pragma once

#include "store/event.h"

#include <QDateTime>
#include <QDialog>
#include <QPair>
#include <QSet>
#include <QString>

class AppState;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTimer;

// Finds stored events by text in their title, location or notes, within a
// date range and the checked calendars. A click on a result shows its
// details beside the row; activating it hands its id to the caller and
// closes the dialog.
class SearchDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDebounceMs = 200;
    static constexpr int kResultLimit = 300;

    explicit SearchDialog(AppState *app, QWidget *parent = nullptr);

    // [from, to] of range number 0 ("All time") to 4 ("Next 12 months")
    // around `now`; any other number is "All time".
    static QPair<QDateTime, QDateTime> searchRange(int range, const QDateTime &now);
    static QString formatWhen(AppState *app, const Event &event);

    QListWidget *results() const { return m_resultList; }

Q_SIGNALS:
    void eventActivated(const QString &eventId);

private:
    void buildUi();
    void scheduleSearch();
    void onCalendarToggled(QListWidgetItem *item);
    void runSearch();
    void addResultRow(const Event &event);
    void showDetailsPopover(QListWidgetItem *item);
    void activateRow(QListWidgetItem *item);

    AppState *m_app;
    QLineEdit *m_searchEdit = nullptr;
    QComboBox *m_rangeCombo = nullptr;
    QListWidget *m_calendarList = nullptr;
    QListWidget *m_resultList = nullptr;
    QLabel *m_statusLabel = nullptr;
    QTimer *m_debounce = nullptr;
    QSet<QString> m_selectedCalendarIds;
};
