#include "calendar/remindersections.h"

#include <QTest>

namespace {

Task reminder(const QString &title, const std::optional<QDateTime> &due, bool dateOnly = false)
{
    Task task;
    task.id = title;
    task.title = title;
    task.item_type = QStringLiteral("reminder");
    task.due_date = due;
    task.due_is_date_only = dateOnly;
    return task;
}

QStringList titles(const QList<Task> &tasks)
{
    QStringList out;
    for (const Task &task : tasks)
        out.append(task.title);
    return out;
}

} // namespace

class TestReminderSections : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sectionsFollowTheLocalDueDayAroundMidnight()
    {
        const QDate today(2026, 3, 10);
        const QList<Task> open{
            reminder(QStringLiteral("no date b"), std::nullopt),
            reminder(QStringLiteral("just after midnight"), QDateTime(today.addDays(1), QTime(0, 30))),
            reminder(QStringLiteral("last minute yesterday"), QDateTime(today.addDays(-1), QTime(23, 59))),
            reminder(QStringLiteral("early today"), QDateTime(today, QTime(0, 5))),
            reminder(QStringLiteral("late today"), QDateTime(today, QTime(23, 30))),
            reminder(QStringLiteral("date only today"), QDateTime(today, QTime(0, 0)), true),
            // A date-only due day counts as stored, also when it was read as
            // midnight UTC west of Greenwich.
            reminder(QStringLiteral("date only in three days"), QDateTime(today.addDays(3), QTime(0, 0), Qt::UTC), true),
            reminder(QStringLiteral("no date a"), std::nullopt),
            reminder(QStringLiteral("next week"), QDateTime(today.addDays(7), QTime(9, 0))),
        };
        const ReminderSections::Sections sections = ReminderSections::split(open, today);
        QCOMPARE(titles(sections.overdue), QStringList{"last minute yesterday"});
        QCOMPARE(titles(sections.today), (QStringList{"date only today", "early today", "late today"}));
        QCOMPARE(titles(sections.upcoming), (QStringList{"just after midnight", "date only in three days", "next week"}));
        QCOMPARE(titles(sections.noDate), (QStringList{"no date b", "no date a"}));
    }

    void completedShowTheLatestFirst()
    {
        Task early = reminder(QStringLiteral("early"), std::nullopt);
        early.completed_date = QDateTime(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC);
        Task late = reminder(QStringLiteral("late"), std::nullopt);
        late.completed_date = QDateTime(QDate(2026, 3, 5), QTime(8, 0), Qt::UTC);
        Task unstamped = reminder(QStringLiteral("changed"), std::nullopt);
        unstamped.last_modified = QDateTime(QDate(2026, 3, 3), QTime(8, 0), Qt::UTC);
        QCOMPARE(titles(ReminderSections::sortCompleted({early, unstamped, late})),
                 (QStringList{"late", "changed", "early"}));
    }
};

QTEST_APPLESS_MAIN(TestReminderSections)
#include "tst_remindersections.moc"
