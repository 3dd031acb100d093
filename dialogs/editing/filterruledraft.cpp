#include "dialogs/editing/filterruledraft.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QString clockText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

} // namespace

QStringList FilterRuleDraft::splitPatterns(const QString &text)
{
    QStringList phrases;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString phrase = part.trimmed();
        if (!phrase.isEmpty())
            phrases << phrase;
    }
    return phrases;
}

const QStringList &FilterRuleDraft::weekdayKeys()
{
    static const QStringList keys = {QStringLiteral("mon"), QStringLiteral("tue"), QStringLiteral("wed"),
                                     QStringLiteral("thu"), QStringLiteral("fri"), QStringLiteral("sat"),
                                     QStringLiteral("sun")};
    return keys;
}

QString FilterRuleDraft::conditionsJson() const
{
    QJsonObject object;
    if (type == QLatin1String("pattern")) {
        object.insert(QStringLiteral("runtimeType"), QStringLiteral("pattern"));
        object.insert(QStringLiteral("titleContains"), QJsonArray::fromStringList(splitPatterns(patternText)));
        object.insert(QStringLiteral("titleExact"), QJsonArray());
        object.insert(QStringLiteral("descriptionContains"), QJsonArray());
        object.insert(QStringLiteral("locationContains"), QJsonArray());
        object.insert(QStringLiteral("caseSensitive"), caseSensitive);
    } else if (type == QLatin1String("time")) {
        object.insert(QStringLiteral("runtimeType"), QStringLiteral("time"));
        if (exactOn)
            object.insert(QStringLiteral("timeExact"), clockText(exactTime));
        if (rangeOn) {
            QJsonObject range;
            range.insert(QStringLiteral("start"), clockText(rangeStart));
            range.insert(QStringLiteral("end"), clockText(rangeEnd));
            object.insert(QStringLiteral("timeRange"), range);
        }
        QJsonArray ordered;
        for (const QString &key : weekdayKeys()) {
            if (days.contains(key))
                ordered.append(key);
        }
        object.insert(QStringLiteral("daysOfWeek"), ordered);
        object.insert(QStringLiteral("recurringOnly"), recurringOnly);
    } else if (type == QLatin1String("specific")) {
        object.insert(QStringLiteral("runtimeType"), QStringLiteral("specific"));
    } else {
        object.insert(QStringLiteral("runtimeType"), QStringLiteral("allDay"));
        object.insert(QStringLiteral("recurringOnly"), allDayRecurringOnly);
    }
    return compact(object);
}

QString FilterRuleDraft::calendarIdsJson() const
{
    const QStringList ids = type == QLatin1String("specific") ? QStringList() : calendarIds;
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(ids)).toJson(QJsonDocument::Compact));
}

void FilterRuleDraft::applyTo(FilterRule &rule) const
{
    const bool specific = type == QLatin1String("specific");
    rule.type = type;
    rule.conditions = conditionsJson();
    rule.calendar_ids = calendarIdsJson();
    rule.event_uid = specific ? eventUid : QString();
    rule.event_calendar_id = specific ? eventCalendarId : QString();
}
