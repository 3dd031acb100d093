#pragma once

#include "app/platform/urlopener.h"

#include <QList>
#include <QUrl>

#include <functional>

// Records every address it is asked to open instead of opening it. A test
// that plays the browser sets `onOpen` (for example to call a sign-in's
// loopback address); `result` is what open() answers.
class RecordingUrlOpener : public UrlOpener
{
public:
    bool open(const QUrl &url) override
    {
        opened.append(url);
        if (onOpen)
            onOpen(url);
        return result;
    }

    QList<QUrl> opened;
    std::function<void(const QUrl &)> onOpen;
    bool result = true;
};
