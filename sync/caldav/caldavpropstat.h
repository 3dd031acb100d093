#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What a server did with each property of a PROPPATCH. A 207 reply does
// not mean success: it carries one status per property, and a server that
// refuses one (403) fails the others with 424.
namespace CalDavPropStat {

struct PropertyStatus
{
    QString namespaceUri;
    QString name;
    int status = 0; // 0 when the status line could not be read

    bool operator==(const PropertyStatus &other) const
    {
        return namespaceUri == other.namespaceUri && name == other.name && status == other.status;
    }
};

struct Outcome
{
    // False when the body is not one complete multistatus document.
    bool readable = false;
    QList<PropertyStatus> properties;
    // A status that answers a whole <response> rather than its properties
    // (a request refused as a whole); 0 when there is none.
    int requestStatus = 0;

    // The properties whose status is not 2xx (an unreadable status line
    // counts as a failure).
    QList<PropertyStatus> failures() const;
    // The status to tell the user: the first failure that is not a 424
    // (which only follows another failure), else the first failure; 0 when
    // nothing failed.
    int decisiveFailure() const;
};

Outcome parse(const QByteArray &body);
// "HTTP/1.1 403 Forbidden" -> 403; 0 when the line holds no status code.
int statusCode(const QString &statusLine);

} // namespace CalDavPropStat
