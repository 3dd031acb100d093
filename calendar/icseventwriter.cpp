#include "calendar/icscodec.h"

#include "calendar/icseventlines.h"
#include "calendar/icstext.h"
#include "calendar/icstimezone.h"

#include <QHash>
#include <QSet>

namespace IcsCodec {

namespace {

const QLatin1String CalendarHead("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n");
const QLatin1String Crlf("\r\n");

// DTSTART, DTEND and DURATION change together.
const QLatin1String TimesGroup("DTSTART");

QString groupOf(const QString &property)
{
    if (property == QLatin1String("DTEND") || property == QLatin1String("DURATION"))
        return TimesGroup;
    return IcsEventLines::modelledProperties().contains(property) ? property : QString();
}

QStringList groupLines(const Event &event, const QString &group)
{
    if (group == TimesGroup)
        return IcsEventLines::propertyLines(event, QStringLiteral("DTSTART"))
               + IcsEventLines::propertyLines(event, QStringLiteral("DTEND"));
    return IcsEventLines::propertyLines(event, group);
}

QString zoneBlockFor(const Event &event)
{
    QString tzid;
    const QTimeZone zone = IcsEventLines::writtenZone(event, &tzid);
    if (!zone.isValid())
        return QString();
    return IcsTimeZone::block(zone, tzid, event.start_time.date());
}

QString freshEvent(const Event &event)
{
    QString out = CalendarHead;
    out += zoneBlockFor(event);
    out += QLatin1String("BEGIN:VEVENT\r\n");
    for (const QString &property : IcsEventLines::modelledProperties()) {
        for (const QString &line : IcsEventLines::propertyLines(event, property)) {
            out += line;
            out += Crlf;
        }
    }
    for (const Reminder &reminder : event.reminders)
        out += IcsEventLines::alarmBlock(reminder, event);
    out += QLatin1String("END:VEVENT\r\nEND:VCALENDAR\r\n");
    return IcsText::foldLines(out);
}

bool isMarker(const QString &line, bool *begin, QString *component)
{
    return IcsText::componentMarker(line, begin, component);
}

struct Block
{
    qsizetype begin = -1;
    qsizetype end = -1;
};

QList<Block> eventBlocks(const QStringList &lines)
{
    QList<Block> blocks;
    Block open;
    int depth = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool begin = false;
        QString component;
        if (!isMarker(lines.at(i), &begin, &component))
            continue;
        if (open.begin < 0) {
            if (begin && component == QLatin1String("VEVENT")) {
                open.begin = i;
                depth = 0;
            }
            continue;
        }
        if (begin) {
            ++depth;
        } else if (depth > 0) {
            --depth;
        } else if (component == QLatin1String("VEVENT")) {
            open.end = i;
            blocks.append(open);
            open = Block();
        }
    }
    return blocks;
}

QString joinBlock(const QStringList &lines, const Block &block)
{
    QString text = CalendarHead;
    for (qsizetype i = block.begin; i <= block.end; ++i) {
        text += lines.at(i);
        text += Crlf;
    }
    return text + QLatin1String("END:VCALENDAR\r\n");
}

// The VEVENT of the stored text that the record stands for: the master,
// or the override with the record's RECURRENCE-ID.
qsizetype targetBlock(const QStringList &lines, const QList<Block> &blocks, const Event &event)
{
    for (qsizetype b = 0; b < blocks.size(); ++b) {
        const QList<Event> parsed = parseEvents(joinBlock(lines, blocks.at(b)));
        const QString recurrenceId = parsed.isEmpty() ? QString() : parsed.first().recurrence_id;
        if (recurrenceId == event.recurrence_id)
            return b;
    }
    return 0;
}

// The block's own DURATION line, when it gives the length (no DTEND).
QString ownDurationLine(const QStringList &lines, const Block &block)
{
    QString duration;
    int depth = 0;
    for (qsizetype i = block.begin + 1; i < block.end; ++i) {
        bool begin = false;
        QString component;
        if (isMarker(lines.at(i), &begin, &component)) {
            depth += begin ? 1 : -1;
            continue;
        }
        if (depth != 0)
            continue;
        const QString name = IcsText::propertyName(lines.at(i));
        if (name == QLatin1String("DTEND"))
            return QString();
        if (name == QLatin1String("DURATION"))
            duration = lines.at(i);
    }
    return duration;
}

// The end a start line and a DTEND or DURATION line give, as read.
std::optional<QDateTime> endReadFrom(const QString &startLine, const QString &lengthLine)
{
    const QString text = CalendarHead + QLatin1String("BEGIN:VEVENT\r\nUID:length\r\n") + startLine + Crlf
                         + lengthLine + Crlf + QLatin1String("END:VEVENT\r\nEND:VCALENDAR\r\n");
    return parseEvents(text).value(0).end_time;
}

bool hasTimeZone(const QStringList &lines, const QString &tzid)
{
    bool inZone = false;
    for (const QString &line : lines) {
        bool begin = false;
        QString component;
        if (isMarker(line, &begin, &component)) {
            if (component == QLatin1String("VTIMEZONE"))
                inZone = begin;
            continue;
        }
        if (inZone && IcsText::propertyName(line) == QLatin1String("TZID")
            && unquoteParam(splitContentLine(line).value.trimmed()) == tzid)
            return true;
    }
    return false;
}

class BlockPatcher
{
public:
    BlockPatcher(const Event &old, const Event &event)
        : m_old(old)
        , m_event(event)
        , m_attendeeClaimed(event.attendees.size(), false)
        , m_reminderClaimed(event.reminders.size(), false)
    {
    }

    QStringList patch(const QStringList &lines, const Block &block)
    {
        m_durationLine = ownDurationLine(lines, block);
        int depth = 0;
        for (qsizetype i = block.begin + 1; i < block.end; ++i) {
            const QString &line = lines.at(i);
            bool begin = false;
            QString component;
            const bool marker = isMarker(line, &begin, &component);
            if (depth == 0 && marker && begin) {
                if (m_insertAt < 0)
                    m_insertAt = m_body.size();
                if (component == QLatin1String("VALARM")) {
                    i = takeAlarm(lines, i, block.end);
                    continue;
                }
                ++depth;
                m_body.append(line);
                continue;
            }
            if (depth > 0) {
                if (marker)
                    depth += begin ? 1 : -1;
                m_body.append(line);
                continue;
            }
            handleProperty(line);
        }
        finish();
        return m_body;
    }

private:
    // Asked once per group, not per line: a group of thousands of lines
    // (EXDATE) is compared whole, once.
    bool unchanged(const QString &group)
    {
        const auto known = m_unchanged.constFind(group);
        if (known != m_unchanged.constEnd())
            return *known;
        bool same = false;
        // A stored rule whose UNTIL is not in the written form is rewritten.
        if (group == QLatin1String("RRULE"))
            same = IcsEventLines::ruleLinesAsStored(m_old) == groupLines(m_event, group);
        else if (group != QLatin1String("DTSTAMP"))
            same = groupLines(m_old, group) == groupLines(m_event, group);
        m_unchanged.insert(group, same);
        return same;
    }

    void emitGroup(const QString &group)
    {
        if (m_emitted.contains(group))
            return;
        m_emitted.insert(group);
        QStringList written = groupLines(m_event, group);
        if (group == TimesGroup)
            keepDuration(written);
        m_body.append(written);
    }

    // Moved times keep the length written as the DURATION it was, where
    // that gives the same end: a day of it is a day on the wall clock for
    // every reader, where a DTEND is an exact number of hours.
    void keepDuration(QStringList &written) const
    {
        if (m_durationLine.isEmpty() || written.size() != 2)
            return;
        const std::optional<QDateTime> end = endReadFrom(written.first(), written.last());
        if (end && end->isValid() && endReadFrom(written.first(), m_durationLine) == end)
            written.last() = m_durationLine;
    }

    void handleProperty(const QString &line)
    {
        const QString group = groupOf(IcsText::propertyName(line));
        if (group.isEmpty()) {
            m_body.append(line);
            return;
        }
        if (group != QLatin1String("RELATED-TO"))
            m_seen.insert(group);
        if (group == QLatin1String("ATTENDEE")) {
            handleAttendee(line);
            return;
        }
        if (group == QLatin1String("ORGANIZER")) {
            handleOrganizer(line);
            return;
        }
        if (group == QLatin1String("RELATED-TO")) {
            handleRelatedTo(line);
            return;
        }
        if (unchanged(group)) {
            m_body.append(line);
            return;
        }
        emitGroup(group);
    }

    void handleAttendee(const QString &line)
    {
        QString value;
        const IcsEventLines::Params params = IcsEventLines::orderedParams(line, &value);
        const QString address = attendeeAddress(value);
        for (qsizetype a = 0; a < m_event.attendees.size(); ++a) {
            const Attendee &attendee = m_event.attendees.at(a);
            if (m_attendeeClaimed.at(a) || attendeeAddress(attendee.email) != address)
                continue;
            m_attendeeClaimed[a] = true;
            const Attendee before = oldAttendee(address);
            if (IcsEventLines::attendeeLine(before) == IcsEventLines::attendeeLine(attendee))
                m_body.append(line);
            else
                m_body.append(IcsEventLines::attendeeLine(attendee, params));
            return;
        }
        // An attendee the record no longer has is left out.
    }

    Attendee oldAttendee(const QString &address) const
    {
        for (const Attendee &attendee : m_old.attendees) {
            if (attendeeAddress(attendee.email) == address)
                return attendee;
        }
        return Attendee();
    }

    static QString attendeeAddress(const QString &value)
    {
        QString address = value.trimmed();
        if (address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
            address = address.mid(7);
        return address.toLower();
    }

    void handleOrganizer(const QString &line)
    {
        if (unchanged(QStringLiteral("ORGANIZER"))) {
            m_body.append(line);
            return;
        }
        if (m_emitted.contains(QStringLiteral("ORGANIZER")))
            return;
        m_emitted.insert(QStringLiteral("ORGANIZER"));
        if (m_event.organizer_email.trimmed().isEmpty())
            return;
        QString value;
        const IcsEventLines::Params params = IcsEventLines::orderedParams(line, &value);
        const bool sameAddress = attendeeAddress(value) == attendeeAddress(m_event.organizer_email);
        m_body.append(IcsEventLines::organizerLine(m_event, sameAddress ? params : IcsEventLines::Params()));
    }

    void handleRelatedTo(const QString &line)
    {
        const ContentLine content = splitContentLine(line);
        const QString relType = unquoteParam(content.params.value(QStringLiteral("RELTYPE"), QStringLiteral("PARENT")));
        const bool parent = relType.compare(QLatin1String("PARENT"), Qt::CaseInsensitive) == 0;
        if (parent)
            m_seen.insert(QStringLiteral("RELATED-TO"));
        // Only the first parent relation is modelled; others stay as written.
        if (!parent || m_parentSeen || unchanged(QStringLiteral("RELATED-TO"))) {
            m_parentSeen = m_parentSeen || parent;
            m_body.append(line);
            return;
        }
        m_parentSeen = true;
        emitGroup(QStringLiteral("RELATED-TO"));
    }

    qsizetype takeAlarm(const QStringList &lines, qsizetype first, qsizetype limit)
    {
        QStringList alarm;
        int depth = 0;
        bool relative = false;
        bool hasTrigger = false;
        qsizetype i = first;
        for (; i < limit; ++i) {
            const QString &line = lines.at(i);
            alarm.append(line);
            bool begin = false;
            QString component;
            if (isMarker(line, &begin, &component)) {
                depth += begin ? 1 : -1;
                if (depth == 0)
                    break;
                continue;
            }
            if (depth == 1 && IcsText::propertyName(line) == QLatin1String("TRIGGER")) {
                const ContentLine content = splitContentLine(line);
                bool ok = false;
                IcsText::signedDuration(content.value, &ok);
                hasTrigger = true;
                relative = ok && unquoteParam(content.params.value(QStringLiteral("VALUE")))
                                         .compare(QLatin1String("DATE-TIME"), Qt::CaseInsensitive) != 0;
            }
        }
        if (!hasTrigger || !relative) {
            // Alarms at a fixed time are not modelled by a reminder: kept.
            m_body.append(alarm);
            return i;
        }
        const Reminder before = m_old.reminders.value(m_relativeAlarms++);
        const QString action = before.action.isEmpty() ? QStringLiteral("display") : before.action;
        for (qsizetype r = 0; r < m_event.reminders.size(); ++r) {
            const Reminder &reminder = m_event.reminders.at(r);
            const QString wanted = reminder.action.isEmpty() ? QStringLiteral("display") : reminder.action;
            if (m_reminderClaimed.at(r) || reminder.minutes_before != before.minutes_before
                || wanted.compare(action, Qt::CaseInsensitive) != 0)
                continue;
            m_reminderClaimed[r] = true;
            m_body.append(alarm);
            return i;
        }
        // The reminder was removed or changed: the alarm goes.
        return i;
    }

    void finish()
    {
        QStringList missing;
        for (const QString &property : IcsEventLines::modelledProperties()) {
            const QString group = groupOf(property);
            if (m_seen.contains(group) || m_emitted.contains(group) || group == QLatin1String("ATTENDEE"))
                continue;
            m_emitted.insert(group);
            missing += groupLines(m_event, group);
        }
        for (qsizetype a = 0; a < m_event.attendees.size(); ++a) {
            if (!m_attendeeClaimed.at(a) && !m_event.attendees.at(a).email.trimmed().isEmpty())
                missing.append(IcsEventLines::attendeeLine(m_event.attendees.at(a)));
        }
        const qsizetype at = m_insertAt < 0 ? m_body.size() : m_insertAt;
        m_body = m_body.mid(0, at) + missing + m_body.mid(at);
        for (qsizetype r = 0; r < m_event.reminders.size(); ++r) {
            if (!m_reminderClaimed.at(r))
                m_body.append(IcsEventLines::alarmBlock(m_event.reminders.at(r), m_event).chopped(2));
        }
    }

    const Event &m_old;
    const Event &m_event;
    QString m_durationLine;
    QStringList m_body;
    QSet<QString> m_seen;
    QSet<QString> m_emitted;
    QHash<QString, bool> m_unchanged;
    QList<bool> m_attendeeClaimed;
    QList<bool> m_reminderClaimed;
    qsizetype m_insertAt = -1;
    int m_relativeAlarms = 0;
    bool m_parentSeen = false;
};

} // namespace

QString buildEventIcs(const Event &event)
{
    if (event.raw_icalendar.contains(QLatin1String("BEGIN:VEVENT"), Qt::CaseInsensitive))
        return patchEventIcs(event.raw_icalendar, event);
    return freshEvent(event);
}

QString patchEventIcs(const QString &stored, const Event &event)
{
    QStringList lines = unfoldLines(stored);
    lines.removeIf([](const QString &line) { return line.trimmed().isEmpty(); });
    const QList<Block> blocks = eventBlocks(lines);
    if (blocks.isEmpty())
        return freshEvent(event);

    const Block block = blocks.at(targetBlock(lines, blocks, event));
    const QList<Event> parsed = parseEvents(joinBlock(lines, block));
    const Event old = parsed.isEmpty() ? Event() : parsed.first();
    BlockPatcher patcher(old, event);
    const QStringList body = patcher.patch(lines, block);

    QString zoneText;
    QString tzid;
    if (IcsEventLines::writtenZone(event, &tzid).isValid() && !hasTimeZone(lines, tzid))
        zoneText = zoneBlockFor(event);

    QString out;
    out.reserve(stored.size() + zoneText.size() + 256);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == blocks.first().begin)
            out += zoneText;
        if (i == block.begin) {
            out += lines.at(i) + Crlf;
            for (const QString &line : body) {
                out += line;
                out += Crlf;
            }
            out += lines.at(block.end) + Crlf;
            i = block.end;
            continue;
        }
        out += lines.at(i);
        out += Crlf;
    }
    return IcsText::foldLines(out);
}

} // namespace IcsCodec
