#include "app/appstate.h"
#include "calendar/filterengine.h"
#include "calendar/recurrence.h"
#include "dialogs/editing/filterformdialog.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include <memory>

namespace {

QJsonObject json(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

QDateTime inDays(int days, const QTime &time)
{
    return QDateTime(QDate::currentDate().addDays(days), time);
}

} // namespace

class TestFilterFormDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void newDialogIsAnEnabledHidingPatternRule();
    void conditionsOfTheCurrentTypeAreStored_data();
    void conditionsOfTheCurrentTypeAreStored();
    void incompleteRulesAreRefusedAndNothingIsStored();
    void suppressBoxFollowsTheDimAction();
    void unknownDayKeysAreDroppedOnLoad();
    void createFromEventBindsTheEvent();
    void specificRuleAppliesEverywhereAndOtherTypesForgetTheEvent();
    void boundEventDeletedButNotPushedShowsAsGone();
    void scopedRuleKeepsHiddenOrRemovedCalendarsWhenSaved();
    void editingKeepsTheRuleIdentity();
    void previewAgreesWithTheFilterEngine_data();
    void previewAgreesWithTheFilterEngine();
    void previewWithoutEventsSaysSo();
    void previewShowsAtMostThreeExamples();
    void heightFollowsTheCurrentType();
    void failedStoreKeepsTheDialogOpenForARetry();

private:
    template<typename T>
    static T *field(FilterFormDialog &dialog, const char *name)
    {
        T *widget = dialog.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    QList<FilterRule> rules() const { return m_fixture->state()->filterRules()->getAll(); }
    FilterRule storedRule(const QString &conditions, const QString &calendarIds = QStringLiteral("[]"),
                          const QString &type = QStringLiteral("pattern"));

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<ModalAnswerer> m_answerer;
};

void TestFilterFormDialog::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_answerer = std::make_unique<ModalAnswerer>();
}

void TestFilterFormDialog::cleanup()
{
    m_answerer.reset();
    m_fixture.reset();
}

FilterRule TestFilterFormDialog::storedRule(const QString &conditions, const QString &calendarIds, const QString &type)
{
    FilterRule rule;
    rule.id = QStringLiteral("rule-1");
    rule.name = QStringLiteral("Standups");
    rule.type = type;
    rule.conditions = conditions;
    rule.calendar_ids = calendarIds;
    rule.priority = 30;
    rule.sync_status = SyncStatus::Synced;
    rule.created_at = rule.updated_at = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC);
    if (!m_fixture->state()->filterRules()->insert(rule))
        qFatal("could not store the rule");
    return *m_fixture->state()->filterRules()->getById(rule.id);
}

void TestFilterFormDialog::newDialogIsAnEnabledHidingPatternRule()
{
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"));
    FilterFormDialog dialog(m_fixture->state());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Filter"));
    QCOMPARE(dialog.currentType(), QStringLiteral("pattern"));
    QVERIFY(field<QToolButton>(dialog, "type_pattern")->isChecked());
    QCOMPARE(field<QLabel>(dialog, "typeDescription")->text(), QStringLiteral("Filter events matching text patterns"));
    QVERIFY(field<QCheckBox>(dialog, "filterEnabled")->isChecked());
    QCOMPARE(field<QComboBox>(dialog, "filterAction")->currentData().toString(), QStringLiteral("hide"));
    QVERIFY(field<QCheckBox>(dialog, "suppressReminders")->isHidden());
    QListWidget *calendars = field<QListWidget>(dialog, "filterCalendars");
    QCOMPARE(calendars->count(), 2);
    for (int row = 0; row < calendars->count(); ++row)
        QCOMPARE(calendars->item(row)->checkState(), Qt::Unchecked);
    QCOMPARE(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->text(), QStringLiteral("Create filter"));
}

void TestFilterFormDialog::conditionsOfTheCurrentTypeAreStored_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("storedType");
    QTest::addColumn<QString>("expected");
    QTest::newRow("phrases trimmed, empty parts dropped")
        << "pattern" << "pattern"
        << R"({"runtimeType":"pattern","titleContains":["lunch","standup","1:1"],"titleExact":[],)"
           R"("descriptionContains":[],"locationContains":[],"caseSensitive":true})";
    QTest::newRow("exact time and range together")
        << "time" << "time"
        << R"({"runtimeType":"time","timeExact":"09:30","timeRange":{"start":"12:00","end":"13:15"},)"
           R"("daysOfWeek":["mon","sun"],"recurringOnly":true})";
    QTest::newRow("time with nothing set") << "time-empty" << "time"
                                           << R"({"runtimeType":"time","daysOfWeek":[],"recurringOnly":false})";
    QTest::newRow("all-day type key is not its runtime type") << "all_day" << "all_day"
                                                               << R"({"runtimeType":"allDay","recurringOnly":true})";
    QTest::newRow("pattern text left behind is not stored") << "pattern-then-all_day" << "all_day"
                                                            << R"({"runtimeType":"allDay","recurringOnly":false})";
}

void TestFilterFormDialog::conditionsOfTheCurrentTypeAreStored()
{
    QFETCH(QString, type);
    QFETCH(QString, storedType);
    QFETCH(QString, expected);
    FilterFormDialog dialog(m_fixture->state());
    field<QLineEdit>(dialog, "filterName")->setText(QStringLiteral("  Rule "));
    if (type.startsWith(QLatin1String("pattern"))) {
        field<QLineEdit>(dialog, "titleContains")->setText(QStringLiteral(" lunch,,standup ,  , 1:1"));
        field<QCheckBox>(dialog, "caseSensitive")->setChecked(true);
    }
    if (type == QLatin1String("time")) {
        field<QToolButton>(dialog, "type_time")->click();
        field<QCheckBox>(dialog, "exactCheck")->setChecked(true);
        field<QTimeEdit>(dialog, "exactTime")->setTime(QTime(9, 30));
        field<QCheckBox>(dialog, "rangeCheck")->setChecked(true);
        field<QTimeEdit>(dialog, "rangeStart")->setTime(QTime(12, 0));
        field<QTimeEdit>(dialog, "rangeEnd")->setTime(QTime(13, 15));
        // Turned on Sunday first; stored in week order.
        field<QToolButton>(dialog, "day_sun")->click();
        field<QToolButton>(dialog, "day_mon")->click();
        field<QCheckBox>(dialog, "recurringOnly")->setChecked(true);
    } else if (type == QLatin1String("time-empty")) {
        field<QToolButton>(dialog, "type_time")->click();
    } else if (type == QLatin1String("all_day")) {
        field<QToolButton>(dialog, "type_all_day")->click();
        field<QCheckBox>(dialog, "allDayRecurringOnly")->setChecked(true);
    } else if (type == QLatin1String("pattern-then-all_day")) {
        field<QToolButton>(dialog, "type_all_day")->click();
    }
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(rules().size(), 1);
    const FilterRule rule = rules().first();
    QCOMPARE(rule.name, QStringLiteral("Rule"));
    QCOMPARE(rule.type, storedType);
    QCOMPARE(json(rule.conditions), json(expected));
    QVERIFY(!rule.conditions.contains(QLatin1Char(' ')));
    QCOMPARE(rule.priority, 100);
    QCOMPARE(rule.calendar_ids, QStringLiteral("[]"));
}

void TestFilterFormDialog::incompleteRulesAreRefusedAndNothingIsStored()
{
    FilterFormDialog dialog(m_fixture->state());
    m_answerer->pressButton(QMessageBox::Ok);
    field<QLineEdit>(dialog, "filterName")->setText(QStringLiteral("   "));
    dialog.accept();
    field<QLineEdit>(dialog, "filterName")->setText(QStringLiteral("Commas"));
    field<QLineEdit>(dialog, "titleContains")->setText(QStringLiteral(" , ,, "));
    m_answerer->pressButton(QMessageBox::Ok);
    dialog.accept();
    field<QToolButton>(dialog, "type_specific")->click();
    m_answerer->pressButton(QMessageBox::Ok);
    dialog.accept();
    QCOMPARE(m_answerer->seen(),
             QStringList({"QMessageBox Please enter a name for the filter.",
                          "QMessageBox Add at least one phrase to \"Title contains\".",
                          "QMessageBox Specific-event filters need to be created from an event's right-click menu — "
                          "that's how the rule learns which event to match."}));
    QVERIFY(rules().isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    // The form keeps what was typed.
    QCOMPARE(field<QLineEdit>(dialog, "titleContains")->text(), QStringLiteral(" , ,, "));
    QVERIFY(field<QWidget>(dialog, "calendarSection")->isHidden());
    QCOMPARE(field<QLabel>(dialog, "specificEvent")->text(),
             QStringLiteral("(Right-click an event and choose \"Create Filter from Event\" to create a specific-event "
                            "filter.)"));
}

void TestFilterFormDialog::suppressBoxFollowsTheDimAction()
{
    FilterFormDialog dialog(m_fixture->state());
    auto *action = field<QComboBox>(dialog, "filterAction");
    auto *suppress = field<QCheckBox>(dialog, "suppressReminders");
    action->setCurrentIndex(1);
    QVERIFY(!suppress->isHidden());
    suppress->setChecked(true);
    action->setCurrentIndex(0);
    QVERIFY(suppress->isHidden());
    field<QLineEdit>(dialog, "filterName")->setText(QStringLiteral("Lunch"));
    field<QLineEdit>(dialog, "titleContains")->setText(QStringLiteral("lunch"));
    dialog.accept();
    QCOMPARE(rules().size(), 1);
    QCOMPARE(rules().first().action, QStringLiteral("hide"));
    QVERIFY(!rules().first().suppress_reminders);
}

void TestFilterFormDialog::unknownDayKeysAreDroppedOnLoad()
{
    const FilterRule rule =
        storedRule(R"({"runtimeType":"time","daysOfWeek":["MON","tue","someday"],"timeRange":{"start":"09:00"}})",
                   QStringLiteral("not json"), QStringLiteral("time"));
    FilterFormDialog dialog(m_fixture->state(), rule);
    QVERIFY(!field<QToolButton>(dialog, "day_mon")->isChecked());
    QVERIFY(field<QToolButton>(dialog, "day_tue")->isChecked());
    // A range without its end is not a range.
    QVERIFY(!field<QCheckBox>(dialog, "rangeCheck")->isChecked());
    dialog.accept();
    QCOMPARE(json(rules().first().conditions),
             json(R"({"runtimeType":"time","daysOfWeek":["tue"],"recurringOnly":false})"));
    QCOMPARE(rules().first().calendar_ids, QStringLiteral("[]"));
}

void TestFilterFormDialog::createFromEventBindsTheEvent()
{
    const Event titled = m_fixture->addEvent(WidgetFixture::timedEvent(
        QStringLiteral("Daily standup"), inDays(1, QTime(9, 0)), inDays(1, QTime(9, 15))));
    FilterFormDialog dialog(m_fixture->state());
    dialog.setSpecificEvent(titled);
    QCOMPARE(dialog.currentType(), QStringLiteral("specific"));
    QCOMPARE(field<QLineEdit>(dialog, "filterName")->text(), QStringLiteral("Daily standup"));
    QCOMPARE(field<QLabel>(dialog, "specificEvent")->text(), QStringLiteral("Daily standup"));
    dialog.accept();
    QCOMPARE(rules().size(), 1);
    QCOMPARE(QStringList({rules().first().event_uid, rules().first().event_calendar_id}),
             QStringList({titled.uid, titled.calendar_id}));

    Event untitled = titled;
    untitled.title.clear();
    FilterFormDialog other(m_fixture->state());
    other.setSpecificEvent(untitled);
    QCOMPARE(field<QLineEdit>(other, "filterName")->text(), QString());
    QCOMPARE(field<QLabel>(other, "specificEvent")->text(), QStringLiteral("(Untitled event)"));

    Event noUid = titled;
    noUid.uid.clear();
    FilterFormDialog unchanged(m_fixture->state());
    unchanged.setSpecificEvent(noUid);
    QCOMPARE(unchanged.currentType(), QStringLiteral("pattern"));
}

void TestFilterFormDialog::specificRuleAppliesEverywhereAndOtherTypesForgetTheEvent()
{
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"));
    const Event event = m_fixture->addEvent(WidgetFixture::timedEvent(
        QStringLiteral("Sync"), inDays(2, QTime(10, 0)), inDays(2, QTime(11, 0)), QStringLiteral("work")));
    FilterFormDialog dialog(m_fixture->state());
    auto *calendars = field<QListWidget>(dialog, "filterCalendars");
    calendars->item(0)->setCheckState(Qt::Checked);
    dialog.setSpecificEvent(event);
    dialog.accept();
    const FilterRule specific = rules().first();
    QCOMPARE(specific.calendar_ids, QStringLiteral("[]"));
    QCOMPARE(json(specific.conditions), json(R"({"runtimeType":"specific"})"));

    FilterFormDialog edit(m_fixture->state(), specific);
    QCOMPARE(field<QLabel>(edit, "specificEvent")->text(), QStringLiteral("Sync"));
    field<QToolButton>(edit, "type_all_day")->click();
    edit.accept();
    const FilterRule allDay = *m_fixture->state()->filterRules()->getById(specific.id);
    QCOMPARE(QStringList({allDay.type, allDay.event_uid, allDay.event_calendar_id}),
             QStringList({"all_day", "", ""}));
    QCOMPARE(allDay.calendar_ids, QStringLiteral("[]"));

    // A rule whose event went away says so and keeps its binding.
    FilterRule orphan = specific;
    orphan.id = QStringLiteral("orphan");
    orphan.event_uid = QStringLiteral("gone-uid");
    FilterFormDialog gone(m_fixture->state(), orphan);
    QCOMPARE(field<QLabel>(gone, "specificEvent")->text(), QStringLiteral("(Event no longer exists)"));
}

void TestFilterFormDialog::boundEventDeletedButNotPushedShowsAsGone()
{
    const Event event = m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Sync"), inDays(2, QTime(10, 0)),
                                                                      inDays(2, QTime(11, 0))));
    FilterFormDialog create(m_fixture->state());
    create.setSpecificEvent(event);
    create.accept();
    const FilterRule rule = rules().value(0);
    QVERIFY(m_fixture->state()->events()->remove(event.id));
    QVERIFY(m_fixture->state()->events()->getById(event.id)->deleted_at);

    FilterFormDialog dialog(m_fixture->state(), rule);
    QCOMPARE(field<QLabel>(dialog, "specificEvent")->text(), QStringLiteral("(Event no longer exists)"));
    // The rule can still be saved and keeps its binding.
    dialog.accept();
    const FilterRule saved = *m_fixture->state()->filterRules()->getById(rule.id);
    QCOMPARE(QStringList({saved.event_uid, saved.event_calendar_id}), QStringList({event.uid, event.calendar_id}));
}

void TestFilterFormDialog::scopedRuleKeepsHiddenOrRemovedCalendarsWhenSaved()
{
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("#123456"), false);
    m_fixture->addCalendar(QStringLiteral("home"), QStringLiteral("Home"));
    const FilterRule onlyHidden = storedRule(R"({"runtimeType":"allDay","recurringOnly":false})",
                                             QStringLiteral("[\"work\"]"), QStringLiteral("all_day"));
    {
        FilterFormDialog dialog(m_fixture->state(), onlyHidden);
        auto *calendars = field<QListWidget>(dialog, "filterCalendars");
        for (int row = 0; row < calendars->count(); ++row)
            QCOMPARE(calendars->item(row)->checkState(), Qt::Unchecked);
        QVERIFY(!field<QLabel>(dialog, "unlistedCalendars")->isHidden());
        dialog.accept();
    }
    QCOMPARE(m_fixture->state()->filterRules()->getById(onlyHidden.id)->calendar_ids, QStringLiteral("[\"work\"]"));

    // A removed calendar stays in the scope next to a listed one.
    FilterRule mixed = onlyHidden;
    mixed.calendar_ids = QStringLiteral("[\"gone\",\"home\"]");
    QVERIFY(m_fixture->state()->filterRules()->update(mixed));
    FilterFormDialog dialog(m_fixture->state(), mixed);
    dialog.accept();
    QCOMPARE(m_fixture->state()->filterRules()->getById(mixed.id)->calendar_ids,
             QStringLiteral("[\"home\",\"gone\"]"));
}

void TestFilterFormDialog::editingKeepsTheRuleIdentity()
{
    const FilterRule before = storedRule(R"({"runtimeType":"pattern","titleContains":["standup"]})");
    FilterFormDialog dialog(m_fixture->state(), before);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Filter"));
    QCOMPARE(field<QLineEdit>(dialog, "titleContains")->text(), QStringLiteral("standup"));
    QCOMPARE(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->text(), QStringLiteral("Save changes"));
    field<QComboBox>(dialog, "filterAction")->setCurrentIndex(1);
    field<QCheckBox>(dialog, "suppressReminders")->setChecked(true);
    field<QCheckBox>(dialog, "filterEnabled")->setChecked(false);
    const QDateTime started = QDateTime::currentDateTimeUtc().addSecs(-1);
    dialog.accept();

    const FilterRule after = rules().first();
    QVERIFY(after.updated_at >= started);
    FilterRule expected = before;
    expected.action = QStringLiteral("dim");
    expected.suppress_reminders = true;
    expected.enabled = false;
    expected.conditions = after.conditions;
    expected.sync_status = SyncStatus::Pending;
    expected.updated_at = after.updated_at;
    QCOMPARE(after, expected);
    QCOMPARE(json(after.conditions).value(QStringLiteral("titleContains")).toArray().size(), 1);
}

void TestFilterFormDialog::previewAgreesWithTheFilterEngine_data()
{
    QTest::addColumn<int>("actionIndex");
    QTest::addColumn<QString>("verb");
    // Both actions count the same occurrences.
    QTest::newRow("hide") << 0 << "hide";
    QTest::newRow("dim") << 1 << "dim";
}

void TestFilterFormDialog::previewAgreesWithTheFilterEngine()
{
    QFETCH(int, actionIndex);
    QFETCH(QString, verb);
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"));
    for (int day = 0; day < 12; ++day) {
        const QString title = day % 3 == 0 ? QStringLiteral("Team Lunch") : QStringLiteral("Focus block %1").arg(day);
        m_fixture->addEvent(
            WidgetFixture::timedEvent(title, inDays(day, QTime(12, 0)), inDays(day, QTime(13, 0)), QStringLiteral("work")));
    }
    Event weekly = WidgetFixture::timedEvent(QStringLiteral("lunch club"), inDays(1, QTime(12, 30)),
                                             inDays(1, QTime(13, 0)));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=10");
    m_fixture->addEvent(weekly);
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Lunch next quarter"), inDays(90, QTime(12, 0)),
                                                  inDays(90, QTime(13, 0))));

    FilterFormDialog dialog(m_fixture->state());
    auto *preview = field<QLabel>(dialog, "filterPreview");
    QTest::keyClicks(field<QLineEdit>(dialog, "titleContains"), QStringLiteral("lunch"));
    field<QComboBox>(dialog, "filterAction")->setCurrentIndex(actionIndex);

    // The engine's own answer over the same window: the occurrences it hides.
    const QDateTime from(QDate::currentDate(), QTime(0, 0));
    const QList<Event> occurrences =
        Recurrence::expandForRange(m_fixture->state()->events()->getInRange(from, from.addDays(30)), from, from.addDays(30));
    FilterRule rule;
    rule.id = QStringLiteral("expected");
    rule.type = QStringLiteral("pattern");
    rule.action = QStringLiteral("hide");
    rule.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["lunch"]})");
    const int caught = FilterEngine::apply(occurrences, {rule}).hiddenCount;
    QCOMPARE(occurrences.size(), 17);
    // Every occurrence counts: four lunches and five meetings of the weekly club.
    QCOMPARE(caught, 9);
    QVERIFY2(preview->text().startsWith(
                 QStringLiteral("Would %1 %2 of %3 events in the next 30 days.").arg(verb).arg(caught).arg(occurrences.size())),
             qPrintable(preview->text()));
    QVERIFY(preview->text().contains(QStringLiteral("  e.g. Team Lunch, ")));

    // Narrowed to the work calendar, the club (in Personal) drops out.
    field<QListWidget>(dialog, "filterCalendars")->item(1)->setCheckState(Qt::Checked);
    QVERIFY(preview->text().startsWith(QStringLiteral("Would %1 4 of 17 events").arg(verb)));
}

void TestFilterFormDialog::previewWithoutEventsSaysSo()
{
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Long ago"), inDays(-3, QTime(9, 0)),
                                                  inDays(-3, QTime(10, 0))));
    FilterFormDialog dialog(m_fixture->state());
    for (const char *type : {"type_time", "type_all_day", "type_pattern"}) {
        field<QToolButton>(dialog, type)->click();
        QCOMPARE(field<QLabel>(dialog, "filterPreview")->text(),
                 QStringLiteral("No events in the next 30 days to preview against."));
    }
    // An event stored while the form is open (a sync) reaches the preview.
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Synced in"), inDays(1, QTime(9, 0)),
                                                  inDays(1, QTime(10, 0))));
    QTRY_COMPARE(field<QLabel>(dialog, "filterPreview")->text(),
                 QStringLiteral("Would hide 0 of 1 events in the next 30 days."));
}

void TestFilterFormDialog::previewShowsAtMostThreeExamples()
{
    for (int day = 1; day <= 4; ++day) {
        const QString title = day == 4 ? QStringLiteral("Holiday") : QStringLiteral("");
        m_fixture->addEvent(WidgetFixture::allDayEvent(title, QDate::currentDate().addDays(day),
                                                       QDate::currentDate().addDays(day + 1)));
    }
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Call"), inDays(2, QTime(9, 0)),
                                                  inDays(2, QTime(10, 0))));
    FilterFormDialog dialog(m_fixture->state());
    field<QToolButton>(dialog, "type_all_day")->click();
    QCOMPARE(field<QLabel>(dialog, "filterPreview")->text(),
             QStringLiteral("Would hide 4 of 5 events in the next 30 days.  e.g. (Untitled), (Untitled), (Untitled)"));
}

void TestFilterFormDialog::heightFollowsTheCurrentType()
{
    FilterFormDialog dialog(m_fixture->state());
    field<QToolButton>(dialog, "type_time")->click();
    const int timeHeight = dialog.height();
    field<QToolButton>(dialog, "type_all_day")->click();
    const int allDayHeight = dialog.height();
    QVERIFY2(allDayHeight < timeHeight, qPrintable(QStringLiteral("%1 vs %2").arg(allDayHeight).arg(timeHeight)));
    field<QToolButton>(dialog, "type_time")->click();
    QCOMPARE(dialog.height(), timeHeight);
    QCOMPARE(dialog.width(), 620);
}

void TestFilterFormDialog::failedStoreKeepsTheDialogOpenForARetry()
{
    FilterFormDialog dialog(m_fixture->state());
    field<QLineEdit>(dialog, "filterName")->setText(QStringLiteral("Lunch"));
    field<QLineEdit>(dialog, "titleContains")->setText(QStringLiteral("lunch"));
    QVERIFY(m_fixture->failWritesTo(QStringLiteral("filter_rules")));
    m_answerer->pressButton(QMessageBox::Ok);
    dialog.accept();
    QCOMPARE(m_answerer->seen(), QStringList({"QMessageBox Could not save the filter."}));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(rules().isEmpty());

    QVERIFY(m_fixture->allowInsertsInto(QStringLiteral("filter_rules")));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(rules().size(), 1);
}

QTEST_MAIN(TestFilterFormDialog)
#include "tst_filterformdialog.moc"
