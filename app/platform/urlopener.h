#pragma once

#include <QString>
#include <QUrl>

// Opens addresses outside the program (the browser, the mail client). A seam
// so that tests can record what would have been opened.
class UrlOpener
{
public:
    virtual ~UrlOpener();
    virtual bool open(const QUrl &url) = 0;

    // The desktop's handler; lives as long as the program.
    static UrlOpener *desktop();
};

// Links in text that came from servers and invitations: only web and mail
// addresses may leave the program.
namespace LinkPolicy {

bool isExternalLink(const QUrl &url);
// Web addresses only: links in downloaded documents, where a mail link is
// no more wanted than a file or program link.
bool isWebLink(const QUrl &url);

} // namespace LinkPolicy
