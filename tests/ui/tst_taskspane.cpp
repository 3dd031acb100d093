#include "app/appstate.h"
#include "app/edits/taskeditor.h"
#include "calendar/icscodec.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/shownrows.h"
#include "tests/support/widgetfixture.h"
#include "ui/panes/tasklisting.h"
#include "ui/panes/taskspane.h"
#include "ui/panes/taskspanerow.h"
#include "views/common/viewrange.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString Local = QString::fromLatin1(AppState::LocalCalendarId);

QStringList titles(const QList<TasksPaneRow *> &rows)
{
    QStringList out;
    for (TasksPaneRow *row : rows)
        out.append(QString(row->depth(), QLatin1Char('>')) + row->task().title);
    return out;
}

// The pane reads off the GUI thread: the rows change when the read arrives.
bool settled(TasksPane &pane)
{
    return QTest::qWaitFor([&pane] { return !pane.isLoading(); }, 20000);
}

bool loadNow(TasksPane &pane)
{
    pane.reload();
    return settled(pane);
}

} // namespace

class TestTasksPane : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }
    void cleanup() { m_fixture.reset(); }

    void listsTasksAsATreeGroupedOrNot();
    void filtersByDueDay_data();
    void filtersByDueDay();
    void hideCompletedKeepsParentsOfOpenSubtasks();
    void reorderRenumbersWhenNoRoomIsLeft();
    void dropOntoMakesASubtaskAndAcrossCalendarsIsRefused();
    void rowRefusesItsOwnAncestorsAsDrops();
    void rowDropZonesAndDragFormat();
    void completionBoxTogglesAndNeverStartsADrag();
    void storedTextIsShownAsPlainText();
    void firstReadWaitsForTheFirstShow();
    void changeWhileHiddenIsReadWhenShown();
    void onlyTheNewestReadIsApplied();
    void destroyingThePaneMidReadDeliversNothing();
    void longListIsShownWholeAndInOrder_data();
    void longListIsShownWholeAndInOrder();
    void reloadOfALongListLeavesNoStaleRow();
    void destroyingThePaneMidFillIsSafe();

private:
    // Roots in two calendars, each with a child and a grandchild; every
    // seventh root's title wraps in a narrow pane.
    QList<Task> addLongList(int roots)
    {
        m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("#ff0000"));
        QList<Task> tasks;
        for (int i = 0; i < roots; ++i) {
            QString title = QStringLiteral("Root %1").arg(i, 3, 10, QLatin1Char('0'));
            if (i % 7 == 0)
                title += QStringLiteral(" with a title long enough to take a second line in a narrow pane");
            const Task root = add(title, QString(), 0, i % 2 ? QStringLiteral("work") : QString());
            const Task child = add(QStringLiteral("Child of %1").arg(i), root.uid, 0, root.calendar_id);
            const Task grandchild = add(QStringLiteral("Grandchild of %1").arg(i), child.uid, 0, root.calendar_id);
            tasks << root << child << grandchild;
        }
        waitForTheStoresAnnouncement();
        return tasks;
    }
    // The store announces the setup's writes a moment later: a pane made
    // before that would read them again and replace its rows in the middle
    // of a check.
    void waitForTheStoresAnnouncement()
    {
        QSignalSpy announced(m_fixture->state()->tasks(), &TaskRepository::tasksChanged);
        if (!QTest::qWaitFor([&announced] { return !announced.isEmpty(); }, 20000))
            QTest::qFail("the store never announced the new tasks", __FILE__, __LINE__);
        QCoreApplication::processEvents();
    }
    // What the pane should show, from the listing the pane reads.
    QStringList listed(bool grouped) const
    {
        TaskListing::Settings settings;
        settings.groupByCalendar = grouped;
        settings.activeViewId = m_fixture->state()->activeViewId();
        settings.today = QDate::currentDate();
        const TaskListing listing = TaskListing::read(ViewRange::sourcesOf(m_fixture->state()), settings);
        QStringList lines;
        for (const TaskListing::Section &section : listing.sections) {
            if (listing.grouped)
                lines.append(QStringLiteral("# ") + section.title);
            for (const TreeTask &line : section.lines)
                lines.append(QString(line.depth, QLatin1Char('>')) + line.task.title);
        }
        return lines;
    }

    Task add(const QString &title, const QString &parentUid = QString(), int sortOrder = 0,
             const QString &calendarId = QString())
    {
        Task task = m_fixture->addTask(title, calendarId);
        task.parent_task_uid = parentUid;
        task.sort_order = sortOrder;
        task.raw_icalendar = IcsCodec::buildTodo(task);
        if (!m_fixture->state()->tasks()->update(task))
            qFatal("setup write refused");
        return *m_fixture->state()->tasks()->getById(task.id);
    }
    Task stored(const Task &task) const { return *m_fixture->state()->tasks()->getById(task.id); }

    std::unique_ptr<WidgetFixture> m_fixture;
};

void TestTasksPane::listsTasksAsATreeGroupedOrNot()
{
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("#ff0000"));
    m_fixture->addCalendar(QStringLiteral("hidden"), QStringLiteral("Hidden"), QStringLiteral("#00ff00"), false);
    const Task parent = add(QStringLiteral("Garden"));
    const Task child = add(QStringLiteral("Seeds"), parent.uid);
    add(QStringLiteral("Tomatoes"), child.uid);
    add(QStringLiteral("Report"), QString(), 0, QStringLiteral("work"));
    add(QStringLiteral("Secret"), QString(), 0, QStringLiteral("hidden"));
    Task reminder = m_fixture->addTask(QStringLiteral("Ping"));
    reminder.item_type = QStringLiteral("reminder");
    QVERIFY(m_fixture->state()->tasks()->update(reminder));

    waitForTheStoresAnnouncement();
    TasksPane pane(m_fixture->state());
    QVERIFY(loadNow(pane));
    QCOMPARE(titles(pane.rows()), (QStringList{"Garden", ">Seeds", ">>Tomatoes", "Report"}));
    // Rows made before the pane's first show may wait in hidden blocks (how
    // many depends on the machine's speed); the headers are read as the user
    // sees them once it is shown.
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QVERIFY(settled(pane));
    QStringList headers;
    for (QLabel *label : pane.findChildren<QLabel *>(QStringLiteral("sectionTitle"))) {
        if (label->isVisibleTo(&pane))
            headers.append(label->text());
    }
    headers.sort();
    QCOMPARE(headers, (QStringList{"On This Device / Personal", "On This Device / Work"}));
    // Grouped rows carry no stripe; ungrouped ones carry their calendar's.
    QVERIFY(pane.rows().first()->layout()->contentsMargins().left() == 12);
    pane.setGroupByCalendar(false);
    QVERIFY(settled(pane));
    QCOMPARE(m_fixture->state()->preferences()->getString(QStringLiteral("ui/tasksGroupByCalendar")),
             QStringLiteral("0"));
    QCOMPARE(pane.rows().size(), 4);
    for (TasksPaneRow *row : pane.rows())
        QCOMPARE(row->layout()->contentsMargins().left(), 20);
}

void TestTasksPane::filtersByDueDay_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("all") << 0 << QStringList{"overdue", "today", "in six days", "in seven days", "no date"};
    QTest::newRow("today") << 1 << QStringList{"today"};
    QTest::newRow("this week") << 2 << QStringList{"today", "in six days"};
    QTest::newRow("overdue") << 3 << QStringList{"overdue"};
}

void TestTasksPane::filtersByDueDay()
{
    QFETCH(int, filter);
    QFETCH(QStringList, listed);
    const QDate today = QDate::currentDate();
    const QList<QPair<QString, int>> dues{{"overdue", -1}, {"today", 0}, {"in six days", 6}, {"in seven days", 7}};
    for (const auto &[title, offset] : dues) {
        Task task = add(title);
        task.due_date = QDateTime(today.addDays(offset), QTime(0, 0));
        QVERIFY(m_fixture->state()->tasks()->update(task));
    }
    add(QStringLiteral("no date"));
    waitForTheStoresAnnouncement();
    TasksPane pane(m_fixture->state());
    QVERIFY(loadNow(pane));
    pane.setGroupByCalendar(false);
    QVERIFY(settled(pane));
    pane.setFilter(filter);
    QVERIFY(settled(pane));
    QStringList shown = titles(pane.rows());
    shown.sort();
    listed.sort();
    QCOMPARE(shown, listed);
}

void TestTasksPane::hideCompletedKeepsParentsOfOpenSubtasks()
{
    const Task parent = add(QStringLiteral("Move house"));
    add(QStringLiteral("Pack"), parent.uid);
    const Task alone = add(QStringLiteral("Done alone"));
    TaskEditor editor(m_fixture->state()->tasks(), m_fixture->state()->calendars());
    QVERIFY(editor.setCompleted(parent.id, true).ok);
    QVERIFY(editor.setCompleted(alone.id, true).ok);
    waitForTheStoresAnnouncement();
    TasksPane pane(m_fixture->state());
    QVERIFY(loadNow(pane));
    pane.setHideCompleted(true);
    QVERIFY(settled(pane));
    QCOMPARE(titles(pane.rows()), (QStringList{"Move house", ">Pack"}));
}

void TestTasksPane::reorderRenumbersWhenNoRoomIsLeft()
{
    const Task first = add(QStringLiteral("a"), QString(), 10000);
    const Task second = add(QStringLiteral("b"), QString(), 10001);
    const Task third = add(QStringLiteral("c"), QString(), 10002);
    const Task dragged = add(QStringLiteral("d"), QString(), 40000);
    waitForTheStoresAnnouncement();
    TasksPane pane(m_fixture->state());
    QVERIFY(loadNow(pane));
    pane.moveTaskUnderParent(dragged.uid, second.uid, DropAbove);
    QCOMPARE(stored(first).sort_order, 10000);
    QCOMPARE(stored(second).sort_order, 20000);
    QCOMPARE(stored(third).sort_order, 30000);
    const Task moved = stored(dragged);
    QCOMPARE(moved.sort_order, 15000);
    QCOMPARE(moved.sync_status, SyncStatus::Pending);
    QCOMPARE(moved.sequence, dragged.sequence + 1);
    QVERIFY(loadNow(pane));
    QCOMPARE(titles(pane.rows()), (QStringList{"a", "d", "b", "c"}));

    // Above a first sibling that has no room above it.
    Task top = stored(first);
    top.sort_order = 1;
    QVERIFY(m_fixture->state()->tasks()->update(top));
    pane.moveTaskUnderParent(third.uid, first.uid, DropAbove);
    QVERIFY(loadNow(pane));
    QCOMPARE(titles(pane.rows()), (QStringList{"c", "a", "d", "b"}));
}

void TestTasksPane::dropOntoMakesASubtaskAndAcrossCalendarsIsRefused()
{
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"));
    const Task parent = add(QStringLiteral("Parent"));
    const Task child = add(QStringLiteral("Child"), QString(), 5000);
    const Task other = add(QStringLiteral("Elsewhere"), QString(), 0, QStringLiteral("work"));
    waitForTheStoresAnnouncement();
    TasksPane pane(m_fixture->state());
    QVERIFY(loadNow(pane));
    pane.moveTaskUnderParent(child.uid, parent.uid, DropOnto);
    QCOMPARE(stored(child).parent_task_uid, parent.uid);
    QCOMPARE(stored(child).sort_order, 5000);
    // Onto its current parent: nothing is written.
    const Task before = stored(child);
    pane.moveTaskUnderParent(child.uid, parent.uid, DropOnto);
    QCOMPARE(stored(child), before);

    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    pane.moveTaskUnderParent(other.uid, parent.uid, DropOnto);
    QCOMPARE(answerer.seen().size(), 1);
    QVERIFY(answerer.seen().first().contains(QStringLiteral("Move \"Elsewhere\" to the same calendar first.")));
    QCOMPARE(stored(other).parent_task_uid, QString());
}

void TestTasksPane::rowRefusesItsOwnAncestorsAsDrops()
{
    const Task grandparent = add(QStringLiteral("Grandparent"));
    const Task parent = add(QStringLiteral("Parent"), grandparent.uid);
    const Task grandchild = add(QStringLiteral("Grandchild"), parent.uid);
    const Task stranger = add(QStringLiteral("Stranger"));
    TasksPaneRow row(m_fixture->state(), grandchild, false, false, QString(), 2);
    row.resize(300, 40);
    for (const Task &refused : {grandchild, parent, grandparent}) {
        std::unique_ptr<QMimeData> mime(TasksPaneRow::makeDragData(refused));
        QSignalSpy targeted(&row, &TasksPaneRow::rowDropTargeted);
        QVERIFY(!WidgetFixture::drop(&row, QPoint(10, 20), mime.get()));
        QCOMPARE(targeted.size(), 0);
    }
    std::unique_ptr<QMimeData> mime(TasksPaneRow::makeDragData(stranger));
    QSignalSpy targeted(&row, &TasksPaneRow::rowDropTargeted);
    QVERIFY(WidgetFixture::drop(&row, QPoint(10, 35), mime.get()));
    QCOMPARE(targeted.size(), 1);
    QCOMPARE(targeted.first().at(0).toString(), stranger.uid);
    QCOMPARE(targeted.first().at(1).toString(), grandchild.uid);
    QCOMPARE(targeted.first().at(2).value<DropZone>(), DropBelow);
}

void TestTasksPane::rowDropZonesAndDragFormat()
{
    QCOMPARE(TasksPaneRow::dropZoneAt(0, 40), DropAbove);
    QCOMPARE(TasksPaneRow::dropZoneAt(9, 40), DropAbove);
    QCOMPARE(TasksPaneRow::dropZoneAt(10, 40), DropOnto);
    QCOMPARE(TasksPaneRow::dropZoneAt(30, 40), DropOnto);
    QCOMPARE(TasksPaneRow::dropZoneAt(31, 40), DropBelow);
    QCOMPARE(TasksPaneRow::dropZoneAt(39, 40), DropBelow);
    QCOMPARE(TasksPaneRow::dropZoneAt(0, 0), DropOnto);

    Task task;
    task.id = QStringLiteral("id-1");
    task.uid = QStringLiteral("uid-ü");
    std::unique_ptr<QMimeData> mime(TasksPaneRow::makeDragData(task));
    QCOMPARE(mime->formats(), (QStringList{"application/x-tindlebrook-task-uid", "application/x-tindlebrook-task-id"}));
    QCOMPARE(QString::fromUtf8(mime->data(QStringLiteral("application/x-tindlebrook-task-uid"))), task.uid);
    QCOMPARE(QString::fromUtf8(mime->data(QStringLiteral("application/x-tindlebrook-task-id"))), task.id);
}

void TestTasksPane::completionBoxTogglesAndNeverStartsADrag()
{
    const Task task = add(QStringLiteral("Box"));
    TasksPaneRow row(m_fixture->state(), task, false, false, QString(), 0);
    row.resize(300, 40);
    const int far = QApplication::startDragDistance() + 5;
    // The box at (12, 10) is hit 2 pixels outside it; a press there never drags.
    QVERIFY(row.completionHitArea().contains(QPoint(10, 8)));
    QVERIFY(!row.completionHitArea().contains(QPoint(9, 8)));
    QVERIFY(!row.wouldStartDrag(QPoint(11, 12), QPoint(11 + far, 12)));
    QVERIFY(row.wouldStartDrag(QPoint(100, 20), QPoint(100 + far, 20)));
    QVERIFY(!row.wouldStartDrag(QPoint(100, 20), QPoint(101, 20)));
    row.setDraggable(false);
    QVERIFY(!row.wouldStartDrag(QPoint(100, 20), QPoint(100 + far, 20)));

    QSignalSpy selected(&row, &TasksPaneRow::rowSelected);
    QTest::mouseClick(&row, Qt::LeftButton, {}, QPoint(29, 27));
    QCOMPARE(stored(task).status, TaskStatus::Completed);
    QCOMPARE(selected.size(), 0);
    QTest::mouseClick(&row, Qt::LeftButton, {}, QPoint(150, 20));
    QCOMPARE(selected.size(), 1);
}

void TestTasksPane::storedTextIsShownAsPlainText()
{
    Task task = add(QStringLiteral("<b>bold</b> <a href=\"file:///etc/passwd\">link</a>"));
    task.description = QStringLiteral("<img src=x>");
    QVERIFY(m_fixture->state()->tasks()->update(task));
    TasksPaneRow row(m_fixture->state(), stored(task), true, false, QString(), 0);
    auto *title = row.findChild<QLabel *>(QStringLiteral("taskTitle"));
    auto *notes = row.findChild<QLabel *>(QStringLiteral("taskNotes"));
    QVERIFY(title && notes);
    QCOMPARE(title->textFormat(), Qt::PlainText);
    QCOMPARE(notes->textFormat(), Qt::PlainText);
    QCOMPARE(title->text(), task.title);
}

void TestTasksPane::firstReadWaitsForTheFirstShow()
{
    add(QStringLiteral("Garden"));
    TasksPane pane(m_fixture->state());
    QSignalSpy reloaded(&pane, &TasksPane::reloaded);
    QTest::qWait(200);
    QCOMPARE(reloaded.size(), 0);
    QVERIFY(pane.rows().isEmpty());
    pane.resize(360, 400);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QVERIFY(settled(pane));
    QCOMPARE(reloaded.size(), 1);
    QCOMPARE(titles(pane.rows()), QStringList{"Garden"});
}

void TestTasksPane::changeWhileHiddenIsReadWhenShown()
{
    add(QStringLiteral("First"));
    TasksPane pane(m_fixture->state());
    QVERIFY(loadNow(pane));
    QSignalSpy reloaded(&pane, &TasksPane::reloaded);
    QSignalSpy announced(m_fixture->state()->tasks(), &TaskRepository::tasksChanged);
    add(QStringLiteral("Second"));
    // The change is announced while the pane is hidden, and a pause longer
    // than a reload's passes: nothing is read.
    QVERIFY(announced.wait(20000));
    QTest::qWait(400);
    QCOMPARE(reloaded.size(), 0);
    QCOMPARE(titles(pane.rows()), QStringList{"First"});
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QTRY_COMPARE(reloaded.size(), 1);
    QCOMPARE(titles(pane.rows()), (QStringList{"First", "Second"}));
}

void TestTasksPane::onlyTheNewestReadIsApplied()
{
    const QDate today = QDate::currentDate();
    Task due = add(QStringLiteral("due today"));
    due.due_date = QDateTime(today, QTime(0, 0));
    QVERIFY(m_fixture->state()->tasks()->update(due));
    Task late = add(QStringLiteral("overdue"));
    late.due_date = QDateTime(today.addDays(-2), QTime(0, 0));
    QVERIFY(m_fixture->state()->tasks()->update(late));
    TasksPane pane(m_fixture->state());
    QVERIFY(loadNow(pane));
    QSignalSpy reloaded(&pane, &TasksPane::reloaded);
    // Three asks before any read returns: the rows are those of the last.
    pane.setFilter(TasksPane::DueToday);
    pane.setGroupByCalendar(false);
    pane.setFilter(TasksPane::Overdue);
    QVERIFY(pane.isLoading());
    QVERIFY(settled(pane));
    QTest::qWait(150);
    QCOMPARE(reloaded.size(), 1);
    QCOMPARE(titles(pane.rows()), QStringList{"overdue"});
    // Ungrouped rows carry their calendar's stripe.
    QCOMPARE(pane.rows().first()->layout()->contentsMargins().left(), 20);
}

void TestTasksPane::destroyingThePaneMidReadDeliversNothing()
{
    for (int i = 0; i < 50; ++i)
        add(QStringLiteral("Task %1").arg(i));
    int delivered = 0;
    for (int i = 0; i < 5; ++i) {
        auto pane = std::make_unique<TasksPane>(m_fixture->state());
        connect(pane.get(), &TasksPane::reloaded, this, [&delivered] { ++delivered; });
        pane->reload();
        if (i % 2)
            pane->setFilter(TasksPane::Overdue);
        pane.reset();
    }
    QTest::qWait(200);
    QCOMPARE(delivered, 0);
}

void TestTasksPane::longListIsShownWholeAndInOrder_data()
{
    QTest::addColumn<bool>("grouped");
    QTest::newRow("grouped") << true;
    QTest::newRow("one list") << false;
}

void TestTasksPane::longListIsShownWholeAndInOrder()
{
    QFETCH(bool, grouped);
    QVERIFY(m_fixture->state()->preferences()->setBool(QStringLiteral("ui/tasksGroupByCalendar"), grouped));
    addLongList(80);
    TasksPane pane(m_fixture->state());
    pane.resize(420, 500);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QVERIFY(settled(pane));
    const QStringList expected = listed(grouped);
    QCOMPARE(expected.size(), grouped ? 242 : 240);
    ShownRows shown = ShownRows::of(&pane);
    QCOMPARE(shown.fault, QString());
    QCOMPARE(shown.lines, expected);
    QCOMPARE(pane.rows().size(), 240);

    // Narrower: long titles take another line and every row below moves down.
    const QPointer<TasksPaneRow> wrapped = pane.rows().first();
    QVERIFY(wrapped->task().title.contains(QStringLiteral("long enough")));
    const int wideHeight = wrapped->height();
    pane.resize(290, 500);
    QTRY_VERIFY(wrapped && wrapped->height() > wideHeight);
    QTRY_COMPARE(ShownRows::of(&pane).fault, QString());
    QCOMPARE(ShownRows::of(&pane).lines, expected);

    // A row whose text grows makes room for it in place.
    const QPointer<TasksPaneRow> middle = pane.rows().at(120);
    const int before = middle->height();
    middle->findChild<QLabel *>(QStringLiteral("taskTitle"))->setText(QStringLiteral("a much longer title ").repeated(12));
    QTRY_VERIFY(middle && middle->height() > before);
    QTRY_COMPARE(ShownRows::of(&pane).fault, QString());
}

void TestTasksPane::reloadOfALongListLeavesNoStaleRow()
{
    const QList<Task> tasks = addLongList(80);
    TasksPane pane(m_fixture->state());
    pane.resize(420, 500);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QVERIFY(settled(pane));
    QCOMPARE(pane.rows().size(), 240);
    QSignalSpy reloaded(&pane, &TasksPane::reloaded);
    // Every third root goes with its subtasks; the rest are renamed.
    for (int i = 0; i < tasks.size(); i += 3) {
        if (i % 9 == 0) {
            for (int j = 2; j >= 0; --j)
                QVERIFY(m_fixture->state()->tasks()->remove(tasks.at(i + j).id));
            continue;
        }
        for (int j = 0; j < 3; ++j) {
            Task task = stored(tasks.at(i + j));
            task.title += QStringLiteral(" (renamed)");
            QVERIFY(m_fixture->state()->tasks()->update(task));
        }
    }
    QVERIFY(reloaded.wait(20000));
    QVERIFY(settled(pane));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QStringList expected = listed(true);
    QCOMPARE(expected.size(), 2 + 53 * 3);
    const ShownRows shown = ShownRows::of(&pane);
    QCOMPARE(shown.fault, QString());
    QCOMPARE(shown.lines, expected);
    // The old rows are gone, not merely hidden.
    QCOMPARE(pane.findChildren<TasksPaneRow *>().size(), 53 * 3);
}

void TestTasksPane::destroyingThePaneMidFillIsSafe()
{
    addLongList(80);
    auto *pane = new TasksPane(m_fixture->state());
    pane->resize(420, 500);
    pane->show();
    QVERIFY(QTest::qWaitFor([pane] { return !pane->rows().isEmpty(); }, 20000));
    // Still filling: 240 rows take many turns.
    QVERIFY(pane->isLoading());
    QVERIFY(pane->rows().size() < 240);
    const QPointer<TasksPaneRow> first = pane->rows().first();
    delete pane;
    // The turns that were due find nothing to add to.
    QVERIFY(first.isNull());
}

QTEST_MAIN(TestTasksPane)
#include "tst_taskspane.moc"
