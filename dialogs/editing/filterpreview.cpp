#include "dialogs/editing/filterpreview.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringList>

#include "calendar/filterengine.h"
#include "calendar/recurrence.h"
#include "store/eventrepository.h"

namespace FilterPreview {

namespace {

constexpr int WindowDays = 30;
constexpr int MaxExamples = 3;

} // namespace

QList<Event> occurrences(const EventRepository *events, const QDate &today)
{
    const QDateTime from(today, QTime(0, 0));
    const QDateTime to = from.addDays(WindowDays);
    return Recurrence::expandForRange(events->getInRange(from, to), from, to);
}

// The filter form shows these texts, so they are translated in its context.
QString describe(const QList<Event> &occurrences, const FilterRule &rule)
{
    if (occurrences.isEmpty())
        return QCoreApplication::translate("FilterFormDialog", "No events in the next 30 days to preview against.");
    const FilterResult result = FilterEngine::apply(occurrences, {rule});
    // Dimmed ids name a series once however many of its occurrences the rule
    // catches; counted as hidden, every occurrence counts, for both actions.
    FilterRule counting = rule;
    counting.action = QStringLiteral("hide");
    const int matched = FilterEngine::apply(occurrences, {counting}).hiddenCount;
    const QString verb = rule.action == QLatin1String("hide")
        ? QCoreApplication::translate("FilterFormDialog", "hide")
        : QCoreApplication::translate("FilterFormDialog", "dim");
    QString text = QCoreApplication::translate("FilterFormDialog", "Would %1 %2 of %3 events in the next 30 days.")
                       .arg(verb)
                       .arg(matched)
                       .arg(occurrences.size());

    QSet<QString> keptIds;
    for (const Event &kept : result.events)
        keptIds.insert(kept.id);
    QStringList examples;
    for (const Event &occurrence : occurrences) {
        if (examples.size() == MaxExamples)
            break;
        if (result.dimmedIds.contains(occurrence.id) || !keptIds.contains(occurrence.id))
            examples << (occurrence.title.isEmpty() ? QCoreApplication::translate("FilterFormDialog", "(Untitled)")
                                                    : occurrence.title);
    }
    if (!examples.isEmpty())
        text += QStringLiteral("  ")
            + QCoreApplication::translate("FilterFormDialog", "e.g. %1").arg(examples.join(QStringLiteral(", ")));
    return text;
}

} // namespace FilterPreview
