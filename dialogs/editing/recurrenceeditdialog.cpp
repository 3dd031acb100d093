#include "dialogs/editing/recurrenceeditdialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimeZone>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/rruleformat.h"
#include "app/theme/theme.h"

namespace {

const char *const WeekdayCodes[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

enum Frequency { Daily, Weekly, Monthly, Yearly };
enum MonthlyMode { OnMonthDay, OnNthWeekday };
enum EndMode { EndsNever, EndsAfter, EndsOn };

// KEY=VALUE parts of a rule; keys upper-cased, values as written.
QHash<QString, QString> parseRRuleParts(const QString &rule)
{
    QHash<QString, QString> parts;
    for (const QString &part : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals < 1)
            continue;
        parts.insert(part.left(equals).trimmed().toUpper(), part.mid(equals + 1).trimmed());
    }
    return parts;
}

// The first BYDAY item, trimmed and upper-cased.
QString firstByDayItem(const QString &byDay)
{
    for (const QString &item : byDay.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed().toUpper();
        if (!trimmed.isEmpty())
            return trimmed;
    }
    return QString();
}

} // namespace

RecurrenceEditDialog::RecurrenceEditDialog(const QString &rule, const QDate &referenceDate, int firstDayOfWeek,
                                           QWidget *parent)
    : RecurrenceEditDialog(rule, referenceDate, firstDayOfWeek, QTimeZone::systemTimeZone(), parent)
{
}

RecurrenceEditDialog::RecurrenceEditDialog(const QString &rule, const QDate &referenceDate, int firstDayOfWeek,
                                           const QTimeZone &zone, QWidget *parent)
    : QDialog(parent)
    , m_zone(zone.isValid() ? zone : QTimeZone::utc())
    , m_referenceDate(referenceDate)
    , m_rule(rule)
    , m_firstDayOfWeek(firstDayOfWeek)
{
    setWindowTitle(tr("Recurrence"));
    setMinimumWidth(440);
    buildUi();
    fromRRule(m_rule);
    updateSummary();
}

RecurrenceEditDialog::~RecurrenceEditDialog() = default;

QString RecurrenceEditDialog::weekdayCode(int weekday)
{
    if (weekday < 1 || weekday > 7)
        return QString();
    return QString::fromLatin1(WeekdayCodes[weekday - 1]);
}

int RecurrenceEditDialog::weekdayFromCode(const QString &item)
{
    for (int day = 1; day <= 7; ++day) {
        if (item.endsWith(QLatin1String(WeekdayCodes[day - 1])))
            return day;
    }
    return 0;
}

void RecurrenceEditDialog::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(12);

    m_frequency = new QComboBox(this);
    m_frequency->setObjectName(QStringLiteral("frequency"));
    m_frequency->addItem(tr("Daily"), QStringLiteral("DAILY"));
    m_frequency->addItem(tr("Weekly"), QStringLiteral("WEEKLY"));
    m_frequency->addItem(tr("Monthly"), QStringLiteral("MONTHLY"));
    m_frequency->addItem(tr("Yearly"), QStringLiteral("YEARLY"));
    form->addRow(tr("Frequency"), m_frequency);

    auto *intervalRow = new QHBoxLayout;
    intervalRow->setSpacing(8);
    intervalRow->addWidget(new QLabel(tr("Every"), this));
    m_interval = new QSpinBox(this);
    m_interval->setObjectName(QStringLiteral("interval"));
    m_interval->setRange(1, 999);
    m_interval->setValue(1);
    intervalRow->addWidget(m_interval);
    m_unit = new QLabel(this);
    m_unit->setObjectName(QStringLiteral("unit"));
    intervalRow->addWidget(m_unit);
    intervalRow->addStretch();
    form->addRow(QString(), intervalRow);

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(new QWidget(m_pages));
    m_pages->addWidget(buildWeeklyPage());
    m_pages->addWidget(buildMonthlyPage());
    m_pages->addWidget(new QWidget(m_pages));
    form->addRow(QString(), m_pages);
    form->addRow(tr("Ends"), buildEndBox());
    layout->addLayout(form);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setProperty("muted", true);
    m_summary->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_interval, &QSpinBox::valueChanged, this, [this] {
        updateUnitLabel();
        updateSummary();
    });
    connect(m_frequency, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_pages->setCurrentIndex(index);
        updateUnitLabel();
        updateSummary();
    });
    // The stack is as tall as the page it shows, not as its tallest page.
    connect(m_pages, &QStackedWidget::currentChanged, this, [this](int index) {
        for (int page = 0; page < m_pages->count(); ++page)
            m_pages->widget(page)->setSizePolicy(page == index ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                                                 page == index ? QSizePolicy::Preferred : QSizePolicy::Ignored);
        m_pages->adjustSize();
        adjustSize();
    });
    connect(m_monthlyMode, &QButtonGroup::idClicked, this, &RecurrenceEditDialog::updateSummary);
    connect(m_endMode, &QButtonGroup::idClicked, this, &RecurrenceEditDialog::updateSummary);
    connect(m_monthDay, &QSpinBox::valueChanged, this, &RecurrenceEditDialog::updateSummary);
    connect(m_ordinal, &QComboBox::currentIndexChanged, this, &RecurrenceEditDialog::updateSummary);
    connect(m_monthWeekday, &QComboBox::currentIndexChanged, this, &RecurrenceEditDialog::updateSummary);
    connect(m_count, &QSpinBox::valueChanged, this, &RecurrenceEditDialog::updateSummary);
    connect(m_untilDate, &QDateEdit::dateChanged, this, &RecurrenceEditDialog::updateSummary);

    updateUnitLabel();
    m_frequency->setCurrentIndex(Weekly);
    m_pages->setCurrentIndex(Weekly);
}

QWidget *RecurrenceEditDialog::buildWeeklyPage()
{
    auto *page = new QWidget(this);
    auto *row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    const QString style = QStringLiteral("QToolButton { border: 1px solid %1; border-radius: 17px; padding: 0; }"
                                         "QToolButton:checked { background: %2; color: white; border-color: %2; }")
                              .arg(Theme::border().name(), Theme::accent().name());
    // Monday first, whatever the week start: the codes run in this order.
    // Each letter has its own message: languages that share one letter in
    // English (Tuesday and Thursday) need two different ones.
    const QStringList letters = {tr("M", "Monday"), tr("T", "Tuesday"), tr("W", "Wednesday"), tr("T", "Thursday"),
                                 tr("F", "Friday"), tr("S", "Saturday"), tr("S", "Sunday")};
    for (int day = 1; day <= 7; ++day) {
        auto *button = new QToolButton(page);
        button->setObjectName(QStringLiteral("weekday") + weekdayCode(day));
        button->setText(letters.at(day - 1));
        button->setCheckable(true);
        button->setFixedSize(34, 34);
        button->setStyleSheet(style);
        connect(button, &QToolButton::toggled, this, &RecurrenceEditDialog::updateSummary);
        row->addWidget(button);
        m_weekdays.append(button);
    }
    row->addStretch();
    return page;
}

QWidget *RecurrenceEditDialog::buildMonthlyPage()
{
    auto *page = new QWidget(this);
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    m_monthlyMode = new QButtonGroup(page);
    m_monthlyMode->setExclusive(true);

    auto *onDay = new QRadioButton(tr("On day of the month"), page);
    onDay->setObjectName(QStringLiteral("onMonthDay"));
    onDay->setChecked(true);
    m_monthlyMode->addButton(onDay, OnMonthDay);
    column->addWidget(onDay);
    auto *dayRow = new QHBoxLayout;
    dayRow->setContentsMargins(20, 0, 0, 0);
    m_monthDay = new QSpinBox(page);
    m_monthDay->setObjectName(QStringLiteral("monthDay"));
    m_monthDay->setRange(1, 31);
    m_monthDay->setValue(m_referenceDate.isValid() ? m_referenceDate.day() : 1);
    dayRow->addWidget(m_monthDay);
    dayRow->addWidget(new QLabel(tr("of every month"), page));
    dayRow->addStretch();
    column->addLayout(dayRow);

    auto *onWeekday = new QRadioButton(tr("On the nth weekday"), page);
    onWeekday->setObjectName(QStringLiteral("onNthWeekday"));
    m_monthlyMode->addButton(onWeekday, OnNthWeekday);
    column->addWidget(onWeekday);
    auto *weekdayRow = new QHBoxLayout;
    weekdayRow->setContentsMargins(20, 0, 0, 0);
    m_ordinal = new QComboBox(page);
    m_ordinal->setObjectName(QStringLiteral("ordinal"));
    m_ordinal->addItem(tr("first"), 1);
    m_ordinal->addItem(tr("second"), 2);
    m_ordinal->addItem(tr("third"), 3);
    m_ordinal->addItem(tr("fourth"), 4);
    m_ordinal->addItem(tr("last"), -1);
    weekdayRow->addWidget(m_ordinal);
    m_monthWeekday = new QComboBox(page);
    m_monthWeekday->setObjectName(QStringLiteral("monthWeekday"));
    const QStringList names = {tr("Monday"), tr("Tuesday"), tr("Wednesday"), tr("Thursday"),
                               tr("Friday"), tr("Saturday"), tr("Sunday")};
    for (int day = 1; day <= 7; ++day)
        m_monthWeekday->addItem(names.at(day - 1), day);
    if (m_referenceDate.isValid())
        m_monthWeekday->setCurrentIndex(m_referenceDate.dayOfWeek() - 1);
    weekdayRow->addWidget(m_monthWeekday);
    weekdayRow->addStretch();
    column->addLayout(weekdayRow);
    return page;
}

QWidget *RecurrenceEditDialog::buildEndBox()
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    m_endMode = new QButtonGroup(box);
    m_endMode->setExclusive(true);

    auto *never = new QRadioButton(tr("Never"), box);
    never->setObjectName(QStringLiteral("endsNever"));
    never->setChecked(true);
    m_endMode->addButton(never, EndsNever);
    column->addWidget(never);

    auto *afterRow = new QHBoxLayout;
    auto *after = new QRadioButton(tr("After"), box);
    after->setObjectName(QStringLiteral("endsAfter"));
    m_endMode->addButton(after, EndsAfter);
    afterRow->addWidget(after);
    m_count = new QSpinBox(box);
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setRange(1, 999);
    m_count->setValue(10);
    afterRow->addWidget(m_count);
    afterRow->addWidget(new QLabel(tr("occurrences"), box));
    afterRow->addStretch();
    column->addLayout(afterRow);

    auto *onRow = new QHBoxLayout;
    auto *on = new QRadioButton(tr("On"), box);
    on->setObjectName(QStringLiteral("endsOn"));
    m_endMode->addButton(on, EndsOn);
    onRow->addWidget(on);
    m_untilDate = new QDateEdit(box);
    m_untilDate->setObjectName(QStringLiteral("untilDate"));
    m_untilDate->setCalendarPopup(true);
    m_untilDate->setDisplayFormat(QStringLiteral("MMM d, yyyy"));
    m_untilDate->setDate((m_referenceDate.isValid() ? m_referenceDate : QDate::currentDate()).addYears(1));
    applyFirstDayOfWeek(m_untilDate, Qt::DayOfWeek(m_firstDayOfWeek >= 1 && m_firstDayOfWeek <= 7
                                                       ? m_firstDayOfWeek : Qt::Monday));
    onRow->addWidget(m_untilDate);
    onRow->addStretch();
    column->addLayout(onRow);
    return box;
}

void RecurrenceEditDialog::fromRRule(const QString &rule)
{
    if (m_referenceDate.isValid())
        m_weekdays.at(m_referenceDate.dayOfWeek() - 1)->setChecked(true);
    if (rule.isEmpty())
        return;
    const QHash<QString, QString> parts = parseRRuleParts(rule);

    const int frequency = m_frequency->findData(parts.value(QStringLiteral("FREQ")));
    if (frequency >= 0) {
        m_frequency->setCurrentIndex(frequency);
        m_pages->setCurrentIndex(frequency);
    }
    bool ok = false;
    const int interval = parts.value(QStringLiteral("INTERVAL")).toInt(&ok);
    if (ok && interval >= 1)
        m_interval->setValue(interval);

    const QString freq = parts.value(QStringLiteral("FREQ"));
    const QString byDay = parts.value(QStringLiteral("BYDAY"));
    if (freq == QLatin1String("WEEKLY") && !byDay.isEmpty()) {
        for (QToolButton *button : std::as_const(m_weekdays))
            button->setChecked(false);
        for (const QString &item : byDay.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const int day = weekdayFromCode(item.trimmed().toUpper());
            if (day >= 1 && day <= 7)
                m_weekdays.at(day - 1)->setChecked(true);
        }
    }
    if (freq == QLatin1String("MONTHLY"))
        readMonthly(parts.value(QStringLiteral("BYMONTHDAY")), byDay);

    if (parts.contains(QStringLiteral("COUNT"))) {
        const int count = parts.value(QStringLiteral("COUNT")).toInt(&ok);
        if (ok && count >= 1) {
            m_count->setValue(count);
            m_endMode->button(EndsAfter)->setChecked(true);
        }
    } else if (parts.contains(QStringLiteral("UNTIL"))) {
        const QDate until = untilDay(parts.value(QStringLiteral("UNTIL")));
        if (until.isValid()) {
            m_untilDate->setDate(until);
            m_endMode->button(EndsOn)->setChecked(true);
        }
    }
}

QDate RecurrenceEditDialog::untilDay(const QString &value) const
{
    // A series ending at a UTC instant ends on that instant's day in the
    // event's zone; a date or a local time is read as written.
    const QDate day = QDate::fromString(value.left(8), QStringLiteral("yyyyMMdd"));
    if (!value.endsWith(QLatin1Char('Z'), Qt::CaseInsensitive) || value.size() != 16)
        return day;
    const QTime time = QTime::fromString(value.mid(9, 6), QStringLiteral("HHmmss"));
    if (!day.isValid() || !time.isValid())
        return day;
    return QDateTime(day, time, QTimeZone::utc()).toTimeZone(m_zone).date();
}

void RecurrenceEditDialog::readMonthly(const QString &byMonthDay, const QString &byDay)
{
    if (!byMonthDay.isEmpty()) {
        bool ok = false;
        const int day = byMonthDay.toInt(&ok);
        if (ok && day >= 1 && day <= 31)
            m_monthDay->setValue(day);
        m_monthlyMode->button(OnMonthDay)->setChecked(true);
        return;
    }
    if (byDay.isEmpty())
        return;
    const QString item = firstByDayItem(byDay);
    const int weekday = item.size() >= 2 ? weekdayFromCode(item.right(2)) : 0;
    if (weekday >= 1 && weekday <= 7 && item.right(2) == weekdayCode(weekday))
        m_monthWeekday->setCurrentIndex(weekday - 1);
    bool ok = false;
    const int ordinal = item.chopped(qMin<qsizetype>(2, item.size())).toInt(&ok);
    const int ordinalIndex = ok ? m_ordinal->findData(ordinal) : -1;
    if (ordinalIndex >= 0)
        m_ordinal->setCurrentIndex(ordinalIndex);
    m_monthlyMode->button(OnNthWeekday)->setChecked(true);
}

void RecurrenceEditDialog::updateUnitLabel()
{
    const bool one = m_interval->value() == 1;
    switch (m_frequency->currentIndex()) {
    case Daily:
        m_unit->setText(one ? tr("day") : tr("days"));
        break;
    case Monthly:
        m_unit->setText(one ? tr("month") : tr("months"));
        break;
    case Yearly:
        m_unit->setText(one ? tr("year") : tr("years"));
        break;
    default:
        m_unit->setText(one ? tr("week") : tr("weeks"));
        break;
    }
}

void RecurrenceEditDialog::updateSummary()
{
    // Controls built before the summary label report changes too.
    if (m_summary)
        m_summary->setText(describeRrule(toRRule()));
}

QString RecurrenceEditDialog::toRRule() const
{
    QStringList parts{QStringLiteral("FREQ=") + m_frequency->currentData().toString()};
    if (m_interval->value() >= 2)
        parts.append(QStringLiteral("INTERVAL=%1").arg(m_interval->value()));
    const int frequency = m_frequency->currentIndex();
    if (frequency == Weekly) {
        QStringList codes;
        for (int day = 1; day <= 7; ++day) {
            if (m_weekdays.at(day - 1)->isChecked())
                codes.append(weekdayCode(day));
        }
        if (!codes.isEmpty())
            parts.append(QStringLiteral("BYDAY=") + codes.join(QLatin1Char(',')));
    } else if (frequency == Monthly) {
        if (m_monthlyMode->checkedId() == OnNthWeekday)
            parts.append(QStringLiteral("BYDAY=%1%2")
                             .arg(m_ordinal->currentData().toInt())
                             .arg(weekdayCode(m_monthWeekday->currentData().toInt())));
        else
            parts.append(QStringLiteral("BYMONTHDAY=%1").arg(m_monthDay->value()));
    }
    if (m_endMode->checkedId() == EndsAfter)
        parts.append(QStringLiteral("COUNT=%1").arg(m_count->value()));
    else if (m_endMode->checkedId() == EndsOn)
        parts.append(QStringLiteral("UNTIL=") + m_untilDate->date().toString(QStringLiteral("yyyyMMdd")));
    return parts.join(QLatin1Char(';'));
}
