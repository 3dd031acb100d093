#pragma once

#include "update/feedbackconfig.h"

#include <QUrl>

class UrlOpener;

// The feedback page of the product: the portal's base address with the
// product tag as the query "tags".
QUrl feedbackPortalUrl(const FeedbackConfig &config);

// Opens it in the browser (the desktop's unless another opener is given);
// false when none opened.
bool openFeedbackPortal(const FeedbackConfig &config, UrlOpener *opener = nullptr);
