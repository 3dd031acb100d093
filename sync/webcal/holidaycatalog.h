#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One public-holiday calendar the user can subscribe to.
struct HolidayFeed
{
    QString name;   // country, shown as it is (not translated)
    QString region; // one of HolidayCatalog::regions()
    QString url;    // the feed address

    bool operator==(const HolidayFeed &other) const
    {
        return name == other.name && region == other.region && url == other.url;
    }
};

// The fixed list of holiday feeds offered by the holiday picker: the public
// iCalendar exports of Google Calendar's regional holiday calendars.
namespace HolidayCatalog {

// Every feed, in the order the picker lists them.
QList<HolidayFeed> feeds();
// The region names in order of first appearance.
QStringList regions();
// The feeds of one region, in catalogue order; the name must match exactly.
QList<HolidayFeed> feedsInRegion(const QString &region);
// The feed address of one of the provider's holiday calendar names.
QString feedUrl(const QString &slug);

// The picker's search: an empty text keeps every feed; otherwise a feed is
// kept when its name, or else its region, contains the text, letter case
// aside.
bool matches(const HolidayFeed &feed, const QString &searchText);
// The feeds that match, in catalogue order.
QList<HolidayFeed> search(const QString &searchText);

} // namespace HolidayCatalog
