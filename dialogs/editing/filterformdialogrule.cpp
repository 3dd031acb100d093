// The filter form's type switch, loading and saving of the rule, and its
// preview.
#include "dialogs/editing/filterformdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QUuid>

#include "app/appstate.h"
#include "dialogs/editing/calendarchecklist.h"
#include "dialogs/editing/filterpreview.h"
#include "dialogs/editing/filterruledraft.h"
#include "dialogs/editing/formscrollarea.h"
#include "dialogs/editing/screenfit.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"

namespace {

const char *typeDescription(const QString &key)
{
    if (key == QLatin1String("pattern"))
        return QT_TRANSLATE_NOOP("FilterFormDialog", "Filter events matching text patterns");
    if (key == QLatin1String("time"))
        return QT_TRANSLATE_NOOP("FilterFormDialog", "Filter events at specific times");
    if (key == QLatin1String("specific"))
        return QT_TRANSLATE_NOOP("FilterFormDialog", "Filter a specific recurring event");
    if (key == QLatin1String("all_day"))
        return QT_TRANSLATE_NOOP("FilterFormDialog", "Filter all-day events");
    return nullptr;
}

QTime clockTime(const QJsonValue &value)
{
    return QTime::fromString(value.toString(), QStringLiteral("HH:mm"));
}

} // namespace

void FilterFormDialog::setType(const QString &key)
{
    m_type = key;
    if (QToolButton *button = m_typeButtons.value(key)) {
        if (!button->isChecked())
            button->setChecked(true);
    }
    if (const char *description = typeDescription(key))
        m_typeDescription->setText(tr(description));
    m_pages->setCurrentIndex(m_pageIndex.value(key, 0));
    for (int i = 0; i < m_pages->count(); ++i) {
        const bool current = i == m_pages->currentIndex();
        m_pages->widget(i)->setSizePolicy(current ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                                          current ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
    m_pages->updateGeometry();
    // The form's new height reaches the dialog's layout now, not on a later turn.
    m_formScroll->widget()->layout()->activate();
    m_formScroll->updateGeometry();
    m_calendarSection->setVisible(key != QLatin1String("specific"));
    setMinimumHeight(0);
    resize(ScreenFit::bounded(this, QSize(width(), sizeHint().height())));
    // A taller page keeps the open form inside the screen.
    if (isVisible())
        ScreenFit::place(this);
    updatePreview();
}

void FilterFormDialog::setSpecificEvent(const Event &event)
{
    if (event.uid.isEmpty())
        return;
    m_eventUid = event.uid;
    m_eventCalendarId = event.calendar_id;
    setType(QStringLiteral("specific"));
    showBoundEvent(event);
    if (m_name->text().isEmpty() && !event.title.isEmpty())
        m_name->setText(event.title);
}

void FilterFormDialog::showBoundEvent(const std::optional<Event> &event)
{
    if (!event)
        m_eventLabel->setText(tr("(Event no longer exists)"));
    else
        m_eventLabel->setText(event->title.isEmpty() ? tr("(Untitled event)") : event->title);
}

void FilterFormDialog::loadRule()
{
    const FilterRule &rule = *m_rule;
    m_name->setText(rule.name);
    setType(rule.type);
    loadConditions(rule.conditions);
    if (rule.type == QLatin1String("specific")) {
        m_eventUid = rule.event_uid;
        m_eventCalendarId = rule.event_calendar_id;
        std::optional<Event> event;
        if (!m_eventUid.isEmpty() && !m_eventCalendarId.isEmpty())
            event = m_app->events()->getByUid(m_eventUid, m_eventCalendarId);
        // A deleted event waiting for upload is gone for the user too.
        if (event && event->deleted_at)
            event.reset();
        showBoundEvent(event);
    }
    m_action->setCurrentIndex(rule.action == QLatin1String("dim") ? 1 : 0);
    m_suppress->setChecked(rule.suppress_reminders);
    updateSuppressVisibility();
    m_enabled->setChecked(rule.enabled);
    loadCalendarScope(rule.calendar_ids);
    updatePreview();
}

void FilterFormDialog::loadConditions(const QString &json)
{
    const QJsonObject conditions = QJsonDocument::fromJson(json.toUtf8()).object();
    if (m_type == QLatin1String("pattern")) {
        QStringList phrases;
        for (const QJsonValue &value : conditions.value(QStringLiteral("titleContains")).toArray())
            phrases << value.toString();
        m_patterns->setText(phrases.join(QStringLiteral(", ")));
        m_caseSensitive->setChecked(conditions.value(QStringLiteral("caseSensitive")).toBool(false));
    } else if (m_type == QLatin1String("time")) {
        const QTime exact = clockTime(conditions.value(QStringLiteral("timeExact")));
        if (exact.isValid()) {
            m_exactCheck->setChecked(true);
            m_exactTime->setTime(exact);
        }
        const QJsonObject range = conditions.value(QStringLiteral("timeRange")).toObject();
        const QTime start = clockTime(range.value(QStringLiteral("start")));
        const QTime end = clockTime(range.value(QStringLiteral("end")));
        if (!range.isEmpty() && start.isValid() && end.isValid()) {
            m_rangeCheck->setChecked(true);
            m_rangeStart->setTime(start);
            m_rangeEnd->setTime(end);
        }
        for (const QJsonValue &value : conditions.value(QStringLiteral("daysOfWeek")).toArray()) {
            if (QToolButton *button = m_dayButtons.value(value.toString()))
                button->setChecked(true);
        }
        m_recurringOnly->setChecked(conditions.value(QStringLiteral("recurringOnly")).toBool(false));
    } else if (m_type == QLatin1String("all_day")) {
        m_allDayRecurringOnly->setChecked(conditions.value(QStringLiteral("recurringOnly")).toBool(false));
    }
}

void FilterFormDialog::loadCalendarScope(const QString &json)
{
    bool isArray = false;
    const QStringList ids = CalendarCheckList::parseIds(json, &isArray);
    if (!isArray)
        return;
    m_unlistedCalendarIds = CalendarCheckList::check(m_calendars, ids);
    if (!m_unlistedCalendarIds.isEmpty()) {
        m_unlistedNote->setText(tr("Also applies to %n hidden or removed calendar(s).", nullptr,
                                   int(m_unlistedCalendarIds.size())));
        m_unlistedNote->setVisible(true);
    }
}

void FilterFormDialog::updateSuppressVisibility()
{
    m_suppress->setVisible(m_action->currentData().toString() == QLatin1String("dim"));
}

FilterRuleDraft FilterFormDialog::draft() const
{
    FilterRuleDraft draft;
    draft.type = m_type;
    draft.patternText = m_patterns->text();
    draft.caseSensitive = m_caseSensitive->isChecked();
    draft.exactOn = m_exactCheck->isChecked();
    draft.exactTime = m_exactTime->time();
    draft.rangeOn = m_rangeCheck->isChecked();
    draft.rangeStart = m_rangeStart->time();
    draft.rangeEnd = m_rangeEnd->time();
    for (auto it = m_dayButtons.cbegin(); it != m_dayButtons.cend(); ++it) {
        if (it.value()->isChecked())
            draft.days << it.key();
    }
    draft.recurringOnly = m_recurringOnly->isChecked();
    draft.allDayRecurringOnly = m_allDayRecurringOnly->isChecked();
    draft.calendarIds = CalendarCheckList::checkedIds(m_calendars) + m_unlistedCalendarIds;
    draft.eventUid = m_eventUid;
    draft.eventCalendarId = m_eventCalendarId;
    return draft;
}

FilterRule FilterFormDialog::buildPreviewRule() const
{
    FilterRule rule;
    rule.id = QStringLiteral("__preview");
    rule.priority = 100;
    rule.action = m_action->currentData().toString();
    rule.enabled = true;
    draft().applyTo(rule);
    return rule;
}

void FilterFormDialog::updatePreview()
{
    // Signals of widgets built before the preview label are ignored.
    if (!m_preview || !m_calendars || !m_action)
        return;
    m_preview->setText(FilterPreview::describe(previewOccurrences(), buildPreviewRule()));
}

const QList<Event> &FilterFormDialog::previewOccurrences()
{
    const QDate today = QDate::currentDate();
    if (m_occurrencesStale || m_occurrencesDay != today) {
        m_occurrences = FilterPreview::occurrences(m_app->events(), today);
        m_occurrencesDay = today;
        m_occurrencesStale = false;
    }
    return m_occurrences;
}

void FilterFormDialog::accept()
{
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        QMessageBox::warning(this, tr("Name required"), tr("Please enter a name for the filter."));
        m_name->setFocus();
        return;
    }
    if (m_type == QLatin1String("pattern") && FilterRuleDraft::splitPatterns(m_patterns->text()).isEmpty()) {
        QMessageBox::warning(this, tr("No patterns"), tr("Add at least one phrase to \"Title contains\"."));
        m_patterns->setFocus();
        return;
    }
    if (m_type == QLatin1String("specific") && (m_eventUid.isEmpty() || m_eventCalendarId.isEmpty())) {
        QMessageBox::warning(this, tr("No event selected"),
                             tr("Specific-event filters need to be created from an event's right-click menu — "
                                "that's how the rule learns which event to match."));
        return;
    }

    const QDateTime now = QDateTime::currentDateTimeUtc();
    FilterRule rule;
    if (m_rule) {
        rule = *m_rule;
    } else {
        rule.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        rule.priority = 100;
        rule.created_at = now;
    }
    rule.name = name;
    rule.action = m_action->currentData().toString();
    rule.enabled = m_enabled->isChecked();
    draft().applyTo(rule);
    rule.suppress_reminders = rule.action == QLatin1String("dim") && m_suppress->isChecked();
    rule.sync_status = SyncStatus::Pending;
    rule.updated_at = now;

    FilterRuleRepository *repository = m_app->filterRules();
    const bool stored = m_rule ? repository->update(rule) : repository->insert(rule);
    if (!stored) {
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the filter."));
        return;
    }
    QDialog::accept();
}
