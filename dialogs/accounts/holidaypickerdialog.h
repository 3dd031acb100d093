#pragma once

#include <QDialog>
#include <QString>

#include "dialogs/accounts/subscriptioncalendar.h"

class AppState;
class QLineEdit;
class QTreeWidget;

// "Holiday Calendars": the public-holiday feeds by region and country,
// filtered by a search field; one click subscribes to a country's feed.
class HolidayPickerDialog : public QDialog
{
    Q_OBJECT
public:
    // `fetch` starts the first download of a new subscription; by default
    // a webcal sync of the calendar.
    HolidayPickerDialog(AppState *state, QWidget *parent = nullptr,
                        SubscriptionCalendar::Fetcher fetch = SubscriptionCalendar::fetchNow);

private:
    void rebuildTree();
    bool isSubscribed(const QString &url) const;
    void subscribe(const QString &url, const QString &country);

    AppState *m_state;
    SubscriptionCalendar::Fetcher m_fetch;
    QLineEdit *m_filterEdit = nullptr;
    QTreeWidget *m_tree = nullptr;
    QString m_filter;
};
