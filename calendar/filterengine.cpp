#include "calendar/filterengine.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace {

// The event's local start as the time conditions see it; computed once per
// event because the zone conversion dominates the cost of a time rule.
class LocalStart
{
public:
    explicit LocalStart(const Event &event)
        : m_event(event)
    {
    }

    bool valid()
    {
        ensure();
        return m_valid;
    }

    int weekday()
    {
        ensure();
        return m_weekday;
    }

    const QString &clock()
    {
        ensure();
        return m_clock;
    }

private:
    void ensure()
    {
        if (m_done)
            return;
        m_done = true;
        const QDateTime local = m_event.start_time.toLocalTime();
        m_valid = local.isValid();
        m_weekday = local.date().dayOfWeek();
        const QTime time = local.time();
        m_clock = QStringLiteral("%1:%2")
                      .arg(time.hour(), 2, 10, QLatin1Char('0'))
                      .arg(time.minute(), 2, 10, QLatin1Char('0'));
    }

    const Event &m_event;
    bool m_done = false;
    bool m_valid = false;
    int m_weekday = 0;
    QString m_clock;
};

bool anyEqual(const QStringList &needles, const QString &text, Qt::CaseSensitivity cs)
{
    for (const QString &needle : needles) {
        if (QString::compare(needle, text, cs) == 0)
            return true;
    }
    return false;
}

bool anyContained(const QStringList &needles, const QString &text, Qt::CaseSensitivity cs)
{
    for (const QString &needle : needles) {
        if (text.contains(needle, cs))
            return true;
    }
    return false;
}

bool anyFound(const QList<QStringMatcher> &matchers, const QString &text)
{
    for (const QStringMatcher &matcher : matchers) {
        if (matcher.indexIn(text) >= 0)
            return true;
    }
    return false;
}

QList<QStringMatcher> matchersFor(const QStringList &phrases, Qt::CaseSensitivity cs)
{
    QList<QStringMatcher> out;
    out.reserve(phrases.size());
    for (const QString &phrase : phrases)
        out.append(QStringMatcher(phrase, cs));
    return out;
}

// matchPattern with the phrases prepared in advance.
bool compiledPatternMatches(const Event &event, const CompiledFilterRule &c, const PatternConditions &p)
{
    const Qt::CaseSensitivity cs = p.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (anyEqual(p.titleExact, event.title, cs))
        return true;
    if (anyFound(c.titleMatchers, event.title))
        return true;
    if (!event.description.isEmpty() && anyFound(c.descriptionMatchers, event.description))
        return true;
    if (!event.location.isEmpty() && anyFound(c.locationMatchers, event.location))
        return true;
    return false;
}

bool timeMatches(const Event &event, const TimeConditions &c, LocalStart &start)
{
    if (c.recurringOnly && event.recurrence_rule.isEmpty())
        return false;
    if (c.timeExact.isEmpty() && c.rangeStart.isEmpty() && c.rangeEnd.isEmpty()
        && c.daysOfWeek.isEmpty())
        return false;
    // Without a start there is no time of day to compare.
    if (!start.valid())
        return false;

    if (!c.daysOfWeek.isEmpty()) {
        const int weekday = start.weekday();
        bool onDay = false;
        for (const QString &key : c.daysOfWeek) {
            if (parseWeekdayName(key) == weekday) {
                onDay = true;
                break;
            }
        }
        if (!onDay)
            return false;
    }

    if (!c.timeExact.isEmpty() && c.timeExact != start.clock())
        return false;

    const bool hasStart = !c.rangeStart.isEmpty();
    const bool hasEnd = !c.rangeEnd.isEmpty();
    if (hasStart || hasEnd) {
        const QString &clock = start.clock();
        // A range whose end is before its start runs over midnight
        // (22:00–06:00): the night window is both ends of the day.
        if (hasStart && hasEnd && c.rangeEnd < c.rangeStart) {
            if (clock < c.rangeStart && clock > c.rangeEnd)
                return false;
        } else {
            if (hasStart && clock < c.rangeStart)
                return false;
            if (hasEnd && clock > c.rangeEnd)
                return false;
        }
    }
    return true;
}

bool specificMatches(const Event &event, const FilterRule &rule)
{
    if (event.calendar_id != rule.event_calendar_id)
        return false;
    return event.uid == rule.event_uid
        || (!event.provider_event_id.isEmpty() && event.provider_event_id == rule.event_uid);
}

bool allDayMatches(const Event &event, const AllDayConditions &c)
{
    return event.is_all_day && (!c.recurringOnly || !event.recurrence_rule.isEmpty());
}

bool conditionsMatch(const Event &event, const FilterRule &rule, const FilterConditions &conditions,
                     LocalStart &start)
{
    if (const auto *p = std::get_if<PatternConditions>(&conditions))
        return FilterEngine::matchPattern(event, *p);
    if (const auto *t = std::get_if<TimeConditions>(&conditions))
        return timeMatches(event, *t, start);
    if (std::holds_alternative<SpecificConditions>(conditions))
        return specificMatches(event, rule);
    return allDayMatches(event, std::get<AllDayConditions>(conditions));
}

const CompiledFilterRule *decidingRule(const Event &event, const QList<CompiledFilterRule> &compiled)
{
    LocalStart start(event);
    for (const CompiledFilterRule &c : compiled) {
        if (!c.appliesToCalendar(event.calendar_id))
            continue;
        const auto *pattern = std::get_if<PatternConditions>(&c.conditions);
        const bool hit = pattern ? compiledPatternMatches(event, c, *pattern)
                                 : conditionsMatch(event, c.rule, c.conditions, start);
        if (hit)
            return &c;
    }
    return nullptr;
}

} // namespace

namespace FilterEngine {

void parseCalendarScope(const QString &json, bool *everyCalendar, QSet<QString> *scope)
{
    *everyCalendar = false;
    scope->clear();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return;
    const QJsonArray array = doc.array();
    if (array.isEmpty()) {
        *everyCalendar = true;
        return;
    }
    for (const QJsonValue &value : array) {
        const QString id = value.toString();
        if (!id.isEmpty())
            scope->insert(id);
    }
}

QList<CompiledFilterRule> compile(const QList<FilterRule> &rules)
{
    QList<CompiledFilterRule> out;
    out.reserve(rules.size());
    for (const FilterRule &rule : rules) {
        if (!rule.enabled || rule.deleted_at)
            continue;
        std::optional<FilterConditions> conditions = parseFilterConditions(rule.conditions);
        if (!conditions)
            continue;
        CompiledFilterRule c{rule, std::move(*conditions), false, {}, {}, {}, {}};
        parseCalendarScope(rule.calendar_ids, &c.everyCalendar, &c.calendarScope);
        if (const auto *p = std::get_if<PatternConditions>(&c.conditions)) {
            const Qt::CaseSensitivity cs = p->caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
            c.titleMatchers = matchersFor(p->titleContains, cs);
            c.descriptionMatchers = matchersFor(p->descriptionContains, cs);
            c.locationMatchers = matchersFor(p->locationContains, cs);
        }
        out.append(std::move(c));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const CompiledFilterRule &a, const CompiledFilterRule &b) {
                         return a.rule.priority < b.rule.priority;
                     });
    return out;
}

FilterResult apply(const QList<Event> &events, QList<FilterRule> rules)
{
    const QList<CompiledFilterRule> compiled = compile(rules);
    FilterResult result;
    result.events.reserve(events.size());
    for (const Event &event : events) {
        const CompiledFilterRule *rule = compiled.isEmpty() ? nullptr : decidingRule(event, compiled);
        const QString action = rule ? rule->rule.action : QString();
        if (action == QLatin1String("hide")) {
            ++result.hiddenCount;
            result.suppressedIds.insert(event.id);
            continue;
        }
        result.events.append(event);
        if (action == QLatin1String("dim")) {
            result.dimmedIds.insert(event.id);
            if (rule->rule.suppress_reminders)
                result.suppressedIds.insert(event.id);
        }
    }
    return result;
}

std::optional<FilterRule> findMatchingRule(const Event &event, QList<FilterRule> rules)
{
    const QList<CompiledFilterRule> compiled = compile(rules);
    if (const CompiledFilterRule *rule = decidingRule(event, compiled))
        return rule->rule;
    return std::nullopt;
}

bool matches(const Event &event, const FilterRule &rule, const FilterConditions &conditions)
{
    LocalStart start(event);
    return conditionsMatch(event, rule, conditions, start);
}

bool matchPattern(const Event &event, const PatternConditions &c)
{
    const Qt::CaseSensitivity cs = c.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (anyEqual(c.titleExact, event.title, cs))
        return true;
    if (anyContained(c.titleContains, event.title, cs))
        return true;
    if (!event.description.isEmpty() && anyContained(c.descriptionContains, event.description, cs))
        return true;
    if (!event.location.isEmpty() && anyContained(c.locationContains, event.location, cs))
        return true;
    return false;
}

bool matchTime(const Event &event, const TimeConditions &conditions)
{
    LocalStart start(event);
    return timeMatches(event, conditions, start);
}

} // namespace FilterEngine
