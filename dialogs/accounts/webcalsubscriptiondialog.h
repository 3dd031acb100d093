#pragma once

#include <QDialog>
#include <QString>

#include "dialogs/accounts/subscriptioncalendar.h"

class AppState;
class QLineEdit;
class QToolButton;

// "Add Subscription": a public ICS feed by URL, with an optional name and a
// colour, stored as a read-only calendar and fetched at once.
class WebcalSubscriptionDialog : public QDialog
{
    Q_OBJECT
public:
    // `fetch` starts the first download; by default a webcal sync.
    WebcalSubscriptionDialog(AppState *state, QWidget *parent = nullptr,
                             SubscriptionCalendar::Fetcher fetch = SubscriptionCalendar::fetchNow);

    void save();
    void chooseColor();

private:
    void styleColorButton();

    AppState *m_state;
    SubscriptionCalendar::Fetcher m_fetch;
    QLineEdit *m_url = nullptr;
    QLineEdit *m_name = nullptr;
    QToolButton *m_colorButton = nullptr;
    QString m_color = QStringLiteral("#4285F4");
};
