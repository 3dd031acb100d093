#include "calendar/filterconditions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A list key: every element as text (non-strings become empty texts and stay),
// anything but an array gives an empty list.
QStringList textList(const QJsonObject &object, const char *key)
{
    QStringList out;
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isArray())
        return out;
    const QJsonArray array = value.toArray();
    out.reserve(array.size());
    for (const QJsonValue &element : array)
        out.append(element.toString());
    return out;
}

bool flag(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toBool(false);
}

} // namespace

std::optional<FilterConditions> parseFilterConditions(const QString &json)
{
    if (json.isEmpty())
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject object = doc.object();
    const QString type = object.value(QLatin1String("runtimeType")).toString();

    if (type == QLatin1String("pattern")) {
        PatternConditions p;
        p.titleContains = textList(object, "titleContains");
        p.titleExact = textList(object, "titleExact");
        p.descriptionContains = textList(object, "descriptionContains");
        p.locationContains = textList(object, "locationContains");
        p.caseSensitive = flag(object, "caseSensitive");
        return FilterConditions(p);
    }
    if (type == QLatin1String("time")) {
        TimeConditions t;
        t.timeExact = object.value(QLatin1String("timeExact")).toString();
        const QJsonValue range = object.value(QLatin1String("timeRange"));
        if (range.isObject()) {
            const QJsonObject r = range.toObject();
            t.rangeStart = r.value(QLatin1String("start")).toString();
            t.rangeEnd = r.value(QLatin1String("end")).toString();
        }
        t.daysOfWeek = textList(object, "daysOfWeek");
        t.recurringOnly = flag(object, "recurringOnly");
        return FilterConditions(t);
    }
    if (type == QLatin1String("specific"))
        return FilterConditions(SpecificConditions());
    if (type == QLatin1String("allDay")) {
        AllDayConditions a;
        a.recurringOnly = flag(object, "recurringOnly");
        return FilterConditions(a);
    }
    return std::nullopt;
}

int parseWeekdayName(const QString &key)
{
    static const char *const names[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
    const QString lower = key.toLower();
    for (int i = 0; i < 7; ++i) {
        if (lower == QLatin1String(names[i]))
            return i + 1;
    }
    return 0;
}
