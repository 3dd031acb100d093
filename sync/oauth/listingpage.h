#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLatin1String>
#include <QList>
#include <QString>

namespace OAuth {

// One page of a provider's listing as it came: the raw objects, each read
// once (off the window's thread) into the provider's `Listed` form.
template <typename Listed>
struct ListingPage
{
    QList<QJsonObject> objects;
    // One per object, in the same order.
    QList<Listed> listed;
    // False when the body is no JSON object: the listing cannot be trusted.
    bool readable = false;
    // Where the listing goes on; empty on the last page.
    QString next;
    // What the last page hands on for the next listing.
    QString token;
};

// Reads a page that holds its objects under `arrayKey` and says where it
// goes on under `nextKey` and what it hands on under `tokenKey`. A body
// that is no JSON object reads as an unreadable page.
template <typename Listed>
ListingPage<Listed> readListingPage(const QByteArray &body, QLatin1String arrayKey, QLatin1String nextKey,
                                    QLatin1String tokenKey, Listed (*readOne)(const QJsonObject &object))
{
    ListingPage<Listed> page;
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isObject())
        return page;
    page.readable = true;
    const QJsonObject object = document.object();
    const QJsonArray values = object.value(arrayKey).toArray();
    page.objects.reserve(values.size());
    page.listed.reserve(values.size());
    for (const QJsonValue &value : values) {
        const QJsonObject one = value.toObject();
        page.objects.append(one);
        page.listed.append(readOne(one));
    }
    page.next = object.value(nextKey).toString();
    page.token = object.value(tokenKey).toString();
    return page;
}

} // namespace OAuth
