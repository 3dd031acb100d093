#include "sync/webcal/holidaycatalog.h"

namespace HolidayCatalog {

namespace {

// The address around the slug. The number sign and the at sign of the
// calendar id stand encoded already; the slug goes in as it is.
constexpr char kFeedHead[] = "https://calendar.google.com/calendar/ical/en.";
constexpr char kFeedTail[] = "%23holiday%40group.v.calendar.google.com/public/basic.ics";

const QList<HolidayFeed> &table()
{
    struct Row
    {
        const char *name;
        const char *region;
        const char *slug;
    };
    // The slugs are the provider's own calendar names, irregular ones too.
    static const Row rows[] = {
        {"United States", "Americas", "usa"},
        {"Canada", "Americas", "canadian"},
        {"Mexico", "Americas", "mexican"},
        {"Brazil", "Americas", "brazilian"},
        {"Argentina", "Americas", "ar"},
        {"United Kingdom", "Europe", "uk"},
        {"Germany", "Europe", "german"},
        {"France", "Europe", "french"},
        {"Spain", "Europe", "spain"},
        {"Italy", "Europe", "italian"},
        {"Netherlands", "Europe", "dutch"},
        {"Sweden", "Europe", "swedish"},
        {"Poland", "Europe", "polish"},
        {"Japan", "Asia Pacific", "japanese"},
        {"Australia", "Asia Pacific", "australian"},
        {"India", "Asia Pacific", "indian"},
        {"South Korea", "Asia Pacific", "south_korea"},
        {"China", "Asia Pacific", "china"},
        {"New Zealand", "Asia Pacific", "new_zealand"},
        {"Israel", "Middle East & Africa", "jewish"},
        {"South Africa", "Middle East & Africa", "sa"},
    };
    static const QList<HolidayFeed> feeds = [] {
        QList<HolidayFeed> list;
        for (const Row &row : rows) {
            list.append({QString::fromLatin1(row.name), QString::fromLatin1(row.region),
                         feedUrl(QString::fromLatin1(row.slug))});
        }
        return list;
    }();
    return feeds;
}

} // namespace

QList<HolidayFeed> feeds()
{
    return table();
}

QStringList regions()
{
    QStringList names;
    for (const HolidayFeed &feed : table()) {
        if (!names.contains(feed.region))
            names.append(feed.region);
    }
    return names;
}

QList<HolidayFeed> feedsInRegion(const QString &region)
{
    QList<HolidayFeed> found;
    for (const HolidayFeed &feed : table()) {
        if (feed.region == region)
            found.append(feed);
    }
    return found;
}

QString feedUrl(const QString &slug)
{
    return QLatin1String(kFeedHead) + slug + QLatin1String(kFeedTail);
}

bool matches(const HolidayFeed &feed, const QString &searchText)
{
    const QString text = searchText.toLower();
    return text.isEmpty() || feed.name.toLower().contains(text)
        || feed.region.toLower().contains(text);
}

QList<HolidayFeed> search(const QString &searchText)
{
    QList<HolidayFeed> found;
    for (const HolidayFeed &feed : table()) {
        if (matches(feed, searchText))
            found.append(feed);
    }
    return found;
}

} // namespace HolidayCatalog
