#pragma once

#include <QString>
#include <QUrl>

// Where the main window's "Send Feedback…" leads: the feedback portal and
// the product tag it files the feedback under.
struct FeedbackConfig
{
    QString app;
    QUrl baseUrl;
};
