#include "dialogs/editing/filterformdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"
#include "dialogs/editing/calendarchecklist.h"
#include "dialogs/editing/filterruledraft.h"
#include "dialogs/editing/formparts.h"
#include "dialogs/editing/formscrollarea.h"
#include "dialogs/editing/screenfit.h"
#include "store/eventrepository.h"

namespace {

struct TypeInfo
{
    const char *key;
    const char *button;
};

const TypeInfo Types[] = {
    {"pattern", QT_TRANSLATE_NOOP("FilterFormDialog", "Pattern Match")},
    {"time", QT_TRANSLATE_NOOP("FilterFormDialog", "Time-Based")},
    {"specific", QT_TRANSLATE_NOOP("FilterFormDialog", "Specific Event")},
    {"all_day", QT_TRANSLATE_NOOP("FilterFormDialog", "All-Day Events")},
};

const char *const DayLabels[] = {
    QT_TRANSLATE_NOOP("FilterFormDialog", "Mon"), QT_TRANSLATE_NOOP("FilterFormDialog", "Tue"),
    QT_TRANSLATE_NOOP("FilterFormDialog", "Wed"), QT_TRANSLATE_NOOP("FilterFormDialog", "Thu"),
    QT_TRANSLATE_NOOP("FilterFormDialog", "Fri"), QT_TRANSLATE_NOOP("FilterFormDialog", "Sat"),
    QT_TRANSLATE_NOOP("FilterFormDialog", "Sun"),
};

// Follows the current page's size, not the tallest page's, so the dialog
// fits the type being edited.
class CurrentPageStack : public QStackedWidget
{
public:
    using QStackedWidget::QStackedWidget;
    QSize sizeHint() const override
    {
        return currentWidget() ? currentWidget()->sizeHint() : QStackedWidget::sizeHint();
    }
    QSize minimumSizeHint() const override
    {
        return currentWidget() ? currentWidget()->minimumSizeHint() : QStackedWidget::minimumSizeHint();
    }
};

QToolButton *toggleButton(const QString &text, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setMinimumHeight(28);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

QLabel *mutedLabel(const QString &text, QWidget *parent)
{
    // Also shows event titles: never read as markup.
    QLabel *label = PlainText::label(text, parent);
    label->setWordWrap(true);
    label->setProperty("muted", true);
    return label;
}

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setWeight(QFont::Bold);
    label->setFont(font);
    return label;
}

QTimeEdit *timeEditor(QWidget *parent)
{
    auto *edit = new QTimeEdit(QTime(0, 0), parent);
    edit->setDisplayFormat(QStringLiteral("h:mm AP"));
    edit->setEnabled(false);
    return edit;
}

} // namespace

FilterFormDialog::FilterFormDialog(AppState *app, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
{
    setWindowTitle(tr("Add Filter"));
    setModal(true);
    buildUi();
    setType(QStringLiteral("pattern"));
}

FilterFormDialog::FilterFormDialog(AppState *app, const FilterRule &rule, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_rule(rule)
{
    setWindowTitle(tr("Edit Filter"));
    setModal(true);
    buildUi();
    loadRule();
}

void FilterFormDialog::buildUi()
{
    const bool editing = m_rule.has_value();
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);

    auto *heading = new QLabel(editing ? tr("Edit filter") : tr("New filter"), this);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(Theme::fontXl());
    heading->setFont(headingFont);
    layout->addWidget(heading);
    layout->addWidget(mutedLabel(tr("Filters hide or dim events that match — they don't delete anything, and you can "
                                    "toggle the whole set off from the filters pill in the status bar."),
                                 this));

    auto *nameForm = new QFormLayout;
    nameForm->setLabelAlignment(Qt::AlignRight);
    nameForm->setSpacing(12);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("filterName"));
    m_name->setPlaceholderText(tr("Hide standups, Dim birthdays…"));
    nameForm->addRow(tr("&Name"), m_name);
    layout->addLayout(nameForm);

    buildTypeSelector(layout);
    m_pages = new CurrentPageStack(this);
    m_pages->setObjectName(QStringLiteral("conditionPages"));
    buildConditionPages();
    layout->addWidget(m_pages);

    auto *actionForm = new QFormLayout;
    actionForm->setLabelAlignment(Qt::AlignRight);
    actionForm->setSpacing(12);
    m_action = new QComboBox(this);
    m_action->setObjectName(QStringLiteral("filterAction"));
    m_action->addItem(tr("Hide completely"), QStringLiteral("hide"));
    m_action->addItem(tr("Dim (still visible, faded)"), QStringLiteral("dim"));
    actionForm->addRow(tr("&Action"), m_action);
    m_suppress = new QCheckBox(tr("Suppress reminders for matched events"), this);
    m_suppress->setObjectName(QStringLiteral("suppressReminders"));
    m_suppress->setVisible(false);
    actionForm->addRow(m_suppress);
    m_enabled = new QCheckBox(tr("Enabled"), this);
    m_enabled->setObjectName(QStringLiteral("filterEnabled"));
    m_enabled->setChecked(true);
    actionForm->addRow(m_enabled);
    layout->addLayout(actionForm);

    layout->addWidget(buildCalendarSection());

    m_preview = mutedLabel(QString(), this);
    m_preview->setObjectName(QStringLiteral("filterPreview"));
    layout->addWidget(m_preview);
    m_formScroll = new FormScrollArea(body, this);
    outer->addWidget(m_formScroll, 1);

    m_buttons = FormParts::addOkCancelFooter(outer, this, editing ? tr("Save changes") : tr("Create filter"),
                                             tr("Cancel"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &FilterFormDialog::accept);

    connectPreview();
    // A sync or another window may change the events while the form is open.
    connect(m_app->events(), &EventRepository::eventsChanged, this, [this] {
        m_occurrencesStale = true;
        updatePreview();
    });
    updatePreview();
    resize(620, sizeHint().height());
    ScreenFit::keepOnScreen(this);
    m_name->setFocus();
}

void FilterFormDialog::buildTypeSelector(QVBoxLayout *layout)
{
    layout->addWidget(boldLabel(tr("Type"), this));
    auto *row = new QHBoxLayout;
    m_typeGroup = new QButtonGroup(this);
    m_typeGroup->setExclusive(true);
    for (const TypeInfo &info : Types) {
        const QString key = QString::fromLatin1(info.key);
        QToolButton *button = toggleButton(tr(info.button), this);
        button->setObjectName(QStringLiteral("type_") + key);
        m_typeGroup->addButton(button);
        m_typeButtons.insert(key, button);
        row->addWidget(button, 1);
        connect(button, &QToolButton::toggled, this, [this, key](bool on) {
            if (on && m_type != key)
                setType(key);
        });
    }
    layout->addLayout(row);
    m_typeDescription = mutedLabel(QString(), this);
    m_typeDescription->setObjectName(QStringLiteral("typeDescription"));
    layout->addWidget(m_typeDescription);
}

void FilterFormDialog::buildConditionPages()
{
    const QList<QPair<QString, QWidget *>> pages = {{QStringLiteral("pattern"), buildPatternPage()},
                                                    {QStringLiteral("time"), buildTimePage()},
                                                    {QStringLiteral("specific"), buildSpecificPage()},
                                                    {QStringLiteral("all_day"), buildAllDayPage()}};
    for (const auto &page : pages)
        m_pageIndex.insert(page.first, m_pages->addWidget(page.second));
}

QWidget *FilterFormDialog::buildPatternPage()
{
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Title contains"), page));
    m_patterns = new QLineEdit(page);
    m_patterns->setObjectName(QStringLiteral("titleContains"));
    m_patterns->setPlaceholderText(tr("e.g. standup, lunch, 1:1 — comma separated"));
    layout->addWidget(m_patterns);
    m_caseSensitive = new QCheckBox(tr("Case sensitive"), page);
    m_caseSensitive->setObjectName(QStringLiteral("caseSensitive"));
    layout->addWidget(m_caseSensitive);
    return page;
}

QWidget *FilterFormDialog::buildTimePage()
{
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *exactRow = new QHBoxLayout;
    m_exactCheck = new QCheckBox(tr("Exact start time"), page);
    m_exactCheck->setObjectName(QStringLiteral("exactCheck"));
    m_exactTime = timeEditor(page);
    m_exactTime->setObjectName(QStringLiteral("exactTime"));
    exactRow->addWidget(m_exactCheck);
    exactRow->addWidget(m_exactTime);
    exactRow->addStretch(1);
    layout->addLayout(exactRow);

    auto *rangeRow = new QHBoxLayout;
    m_rangeCheck = new QCheckBox(tr("Time range"), page);
    m_rangeCheck->setObjectName(QStringLiteral("rangeCheck"));
    m_rangeStart = timeEditor(page);
    m_rangeStart->setObjectName(QStringLiteral("rangeStart"));
    m_rangeEnd = timeEditor(page);
    m_rangeEnd->setObjectName(QStringLiteral("rangeEnd"));
    rangeRow->addWidget(m_rangeCheck);
    rangeRow->addWidget(m_rangeStart);
    rangeRow->addWidget(new QLabel(tr("to"), page));
    rangeRow->addWidget(m_rangeEnd);
    rangeRow->addStretch(1);
    layout->addLayout(rangeRow);
    connect(m_exactCheck, &QCheckBox::toggled, m_exactTime, &QWidget::setEnabled);
    connect(m_rangeCheck, &QCheckBox::toggled, m_rangeStart, &QWidget::setEnabled);
    connect(m_rangeCheck, &QCheckBox::toggled, m_rangeEnd, &QWidget::setEnabled);

    layout->addWidget(new QLabel(tr("Days of week (empty = every day)"), page));
    auto *days = new QHBoxLayout;
    for (int i = 0; i < 7; ++i) {
        const QString key = FilterRuleDraft::weekdayKeys().at(i);
        QToolButton *button = toggleButton(tr(DayLabels[i]), page);
        button->setObjectName(QStringLiteral("day_") + key);
        m_dayButtons.insert(key, button);
        days->addWidget(button, 1);
    }
    layout->addLayout(days);
    m_recurringOnly = new QCheckBox(tr("Recurring events only"), page);
    m_recurringOnly->setObjectName(QStringLiteral("recurringOnly"));
    layout->addWidget(m_recurringOnly);
    return page;
}

QWidget *FilterFormDialog::buildSpecificPage()
{
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Filtering this specific event:"), page));
    m_eventLabel = mutedLabel(
        tr("(Right-click an event and choose \"Create Filter from Event\" to create a specific-event filter.)"), page);
    m_eventLabel->setObjectName(QStringLiteral("specificEvent"));
    layout->addWidget(m_eventLabel);
    return page;
}

QWidget *FilterFormDialog::buildAllDayPage()
{
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Matches every all-day event in the selected calendars."), page));
    m_allDayRecurringOnly = new QCheckBox(tr("Only recurring all-day events"), page);
    m_allDayRecurringOnly->setObjectName(QStringLiteral("allDayRecurringOnly"));
    layout->addWidget(m_allDayRecurringOnly);
    return page;
}

QWidget *FilterFormDialog::buildCalendarSection()
{
    m_calendarSection = new QWidget(this);
    m_calendarSection->setObjectName(QStringLiteral("calendarSection"));
    auto *layout = new QVBoxLayout(m_calendarSection);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(boldLabel(tr("Apply to calendars"), m_calendarSection));
    layout->addWidget(mutedLabel(tr("Leave empty to apply to every calendar."), m_calendarSection));
    buildCalendarList();
    layout->addWidget(m_calendars);
    m_unlistedNote = mutedLabel(QString(), m_calendarSection);
    m_unlistedNote->setObjectName(QStringLiteral("unlistedCalendars"));
    m_unlistedNote->setVisible(false);
    layout->addWidget(m_unlistedNote);
    return m_calendarSection;
}

void FilterFormDialog::buildCalendarList()
{
    m_calendars = new QListWidget(m_calendarSection);
    m_calendars->setObjectName(QStringLiteral("filterCalendars"));
    m_calendars->setMinimumHeight(72);
    m_calendars->setMaximumHeight(160);
    m_calendars->setStyleSheet(Theme::listIndicatorStyleSheet());
    CalendarCheckList::fill(m_calendars, m_app, true);
}

void FilterFormDialog::connectPreview()
{
    const auto preview = [this] { updatePreview(); };
    connect(m_patterns, &QLineEdit::textChanged, this, preview);
    for (QCheckBox *box : {m_caseSensitive, m_exactCheck, m_rangeCheck, m_recurringOnly, m_allDayRecurringOnly})
        connect(box, &QCheckBox::toggled, this, preview);
    for (QTimeEdit *edit : {m_exactTime, m_rangeStart, m_rangeEnd})
        connect(edit, &QTimeEdit::timeChanged, this, preview);
    for (QToolButton *button : std::as_const(m_dayButtons))
        connect(button, &QToolButton::toggled, this, preview);
    // Only a change of a row's tick matters; other item changes are ignored
    // by the preview, which reads the ticks afresh.
    connect(m_calendars, &QListWidget::itemChanged, this, preview);
    connect(m_action, &QComboBox::currentIndexChanged, this, [this] {
        updateSuppressVisibility();
        updatePreview();
    });
}
