#pragma once

#include "store/event.h"
#include "store/filterrule.h"

#include <QDate>
#include <QDialog>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

class AppState;
class FormScrollArea;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;
class QTimeEdit;
class QToolButton;
class QVBoxLayout;
struct FilterRuleDraft;

// Creates or edits one filter rule: its type and that type's conditions,
// hide or dim, the calendars it applies to, with a live preview of what it
// would do to the next 30 days. The rule reaches the views through the
// repository's change signal.
class FilterFormDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FilterFormDialog(AppState *app, QWidget *parent = nullptr);
    FilterFormDialog(AppState *app, const FilterRule &rule, QWidget *parent = nullptr);

    // Binds the event a "specific" rule matches and switches to that type.
    void setSpecificEvent(const Event &event);
    void setType(const QString &key);
    QString currentType() const { return m_type; }

public Q_SLOTS:
    void accept() override;

private:
    void buildUi();
    void buildTypeSelector(QVBoxLayout *layout);
    void buildConditionPages();
    QWidget *buildPatternPage();
    QWidget *buildTimePage();
    QWidget *buildSpecificPage();
    QWidget *buildAllDayPage();
    QWidget *buildCalendarSection();
    void buildCalendarList();
    void connectPreview();
    void loadRule();
    void loadConditions(const QString &json);
    void loadCalendarScope(const QString &json);
    void showBoundEvent(const std::optional<Event> &event);

    // The next 30 days' occurrences, read again only after the events or
    // the day changed: a keystroke then costs one filter pass.
    const QList<Event> &previewOccurrences();
    FilterRuleDraft draft() const;
    FilterRule buildPreviewRule() const;
    void updatePreview();
    void updateSuppressVisibility();

    AppState *m_app;
    std::optional<FilterRule> m_rule;
    QString m_type;
    QString m_eventUid;
    QString m_eventCalendarId;
    // Ids of the rule's scope that have no row (hidden or removed
    // calendars): kept so a scoped rule never widens to every calendar.
    QStringList m_unlistedCalendarIds;
    QList<Event> m_occurrences;
    QDate m_occurrencesDay;
    bool m_occurrencesStale = true;

    QLineEdit *m_name = nullptr;
    QButtonGroup *m_typeGroup = nullptr;
    QLabel *m_typeDescription = nullptr;
    QStackedWidget *m_pages = nullptr;
    FormScrollArea *m_formScroll = nullptr;
    QLineEdit *m_patterns = nullptr;
    QCheckBox *m_caseSensitive = nullptr;
    QCheckBox *m_exactCheck = nullptr;
    QTimeEdit *m_exactTime = nullptr;
    QCheckBox *m_rangeCheck = nullptr;
    QTimeEdit *m_rangeStart = nullptr;
    QTimeEdit *m_rangeEnd = nullptr;
    QCheckBox *m_recurringOnly = nullptr;
    QLabel *m_eventLabel = nullptr;
    QCheckBox *m_allDayRecurringOnly = nullptr;
    QComboBox *m_action = nullptr;
    QCheckBox *m_suppress = nullptr;
    QCheckBox *m_enabled = nullptr;
    QWidget *m_calendarSection = nullptr;
    QListWidget *m_calendars = nullptr;
    QLabel *m_unlistedNote = nullptr;
    QLabel *m_preview = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QMap<QString, QToolButton *> m_typeButtons;
    QMap<QString, int> m_pageIndex;
    QMap<QString, QToolButton *> m_dayButtons;
};
