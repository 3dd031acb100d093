#include "ui/pickers/datetimepicker.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QStringList>

#include "app/theme/theme.h"
#include "ui/pickers/timecombobox.h"

namespace {

// Tried in this order; the first that reads the text wins.
const QStringList &acceptedTimeForms()
{
    static const QStringList forms = {
        QStringLiteral("h:mm AP"), QStringLiteral("h:mm ap"), QStringLiteral("h:mmAP"), QStringLiteral("h:mmap"),
        QStringLiteral("h AP"),    QStringLiteral("h ap"),    QStringLiteral("hAP"),    QStringLiteral("hap"),
        QStringLiteral("hh:mm"),   QStringLiteral("h:mm"),    QStringLiteral("HH:mm"),  QStringLiteral("HH"),
        QStringLiteral("h"),
    };
    return forms;
}

const QDate EarliestDate(100, 1, 1);

} // namespace

DateTimePicker::DateTimePicker(Qt::DayOfWeek firstDayOfWeek, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);

    m_dateEdit = new QDateEdit(QDate::currentDate(), this);
    m_dateEdit->setObjectName(QStringLiteral("date"));
    m_dateEdit->setCalendarPopup(true);
    m_dateEdit->setDisplayFormat(QStringLiteral("ddd, MMM d, yyyy"));
    applyFirstDayOfWeek(m_dateEdit, firstDayOfWeek);
    layout->addWidget(m_dateEdit, 1);

    m_timeBox = new TimeComboBox(this);
    m_timeBox->setObjectName(QStringLiteral("time"));
    m_timeBox->setEditable(true);
    m_timeBox->setInsertPolicy(QComboBox::NoInsert);
    rebuildTimeItems();
    layout->addWidget(m_timeBox, 1);

    connect(m_dateEdit, &QDateEdit::dateChanged, this, &DateTimePicker::onDateChanged);
    connect(m_timeBox, &QComboBox::activated, this, &DateTimePicker::onTimeCommit);
    if (QLineEdit *edit = m_timeBox->lineEdit())
        connect(edit, &QLineEdit::editingFinished, this, &DateTimePicker::onTimeCommit);
}

DateTimePicker::~DateTimePicker() = default;

QDate DateTimePicker::date() const
{
    return m_dateEdit->date();
}

QDateTime DateTimePicker::dateTime() const
{
    return QDateTime(m_dateEdit->date(), m_dateOnly ? QTime(0, 0) : m_time);
}

QDateTime DateTimePicker::chosenDateTime() const
{
    return QDateTime(m_dateEdit->date(), m_time);
}

void DateTimePicker::setDateTime(const QDateTime &value)
{
    if (!value.isValid())
        return;
    const QDateTime local = value.toLocalTime();
    {
        const QSignalBlocker blocker(m_dateEdit);
        // A value set from outside is shown as it is, even before the
        // reference: the date field would otherwise clamp it silently and a
        // stored end would change on the next save.
        if (local.date() < m_dateEdit->minimumDate())
            m_dateEdit->setMinimumDate(local.date());
        m_dateEdit->setDate(local.date());
    }
    m_time = local.time();
    if (m_reference)
        rebuildTimeItems();
    else
        showTime(m_time);
}

void DateTimePicker::setDateOnly(bool dateOnly)
{
    if (dateOnly == m_dateOnly)
        return;
    m_dateOnly = dateOnly;
    m_timeBox->setVisible(!dateOnly);
}

void DateTimePicker::setReference(DateTimePicker *reference)
{
    if (reference == m_reference)
        return;
    if (m_reference)
        disconnect(m_reference, &DateTimePicker::dateTimeChanged, this, &DateTimePicker::onReferenceChanged);
    m_reference = reference;
    if (m_reference) {
        connect(m_reference, &DateTimePicker::dateTimeChanged, this, &DateTimePicker::onReferenceChanged);
        onReferenceChanged();
        return;
    }
    {
        const QSignalBlocker blocker(m_dateEdit);
        m_dateEdit->setMinimumDate(EarliestDate);
    }
    rebuildTimeItems();
}

std::optional<QTime> DateTimePicker::parseTime(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    // English AM/PM is read in every language, and the interface language's
    // markers as the list shows them ("午後", "p. m."), read as English ones.
    // Markers may hold no-break spaces the user types as ordinary ones.
    const auto plainSpaces = [](QString value) {
        return value.replace(QChar::Nbsp, QLatin1Char(' ')).replace(QChar(0x202F), QLatin1Char(' '));
    };
    const QLocale interface;
    QString english = plainSpaces(text);
    const QString pm = plainSpaces(interface.pmText());
    const QString am = plainSpaces(interface.amText());
    if (!pm.isEmpty() && !am.isEmpty()) {
        english.replace(pm, QStringLiteral("PM"), Qt::CaseInsensitive);
        english.replace(am, QStringLiteral("AM"), Qt::CaseInsensitive);
    }
    for (const QString &candidate : {text, english}) {
        for (const QString &form : acceptedTimeForms()) {
            const QTime time = QTime::fromString(candidate, form);
            if (time.isValid())
                return time;
        }
    }
    return std::nullopt;
}

QString DateTimePicker::displayTime(const QTime &time)
{
    return QLocale().toString(time, QStringLiteral("h:mm AP"));
}

void DateTimePicker::onDateChanged(const QDate &)
{
    if (m_reference)
        rebuildTimeItems();
    Q_EMIT dateTimeChanged(dateTime());
}

void DateTimePicker::onTimeCommit()
{
    QString text = m_timeBox->currentText();
    // A list entry carries its distance hint in brackets.
    const qsizetype bracket = text.indexOf(QLatin1Char('('));
    if (bracket > 0)
        text = text.left(bracket);
    text = text.trimmed();

    std::optional<QTime> parsed = parseTime(text);
    if (!parsed) {
        showTime(m_time);
        return;
    }
    if (m_reference) {
        const QDateTime reference = m_reference->dateTime();
        if (reference.isValid() && QDateTime(m_dateEdit->date(), *parsed) < reference) {
            {
                const QSignalBlocker blocker(m_dateEdit);
                m_dateEdit->setDate(reference.date());
            }
            parsed = reference.time();
            m_time = *parsed;
            rebuildTimeItems();
        }
    }
    m_time = *parsed;
    showTime(m_time);
    Q_EMIT dateTimeChanged(dateTime());
}

void DateTimePicker::onReferenceChanged()
{
    const QDateTime reference = m_reference ? m_reference->dateTime() : QDateTime();
    if (reference.isValid()) {
        {
            const QSignalBlocker blocker(m_dateEdit);
            m_dateEdit->setMinimumDate(reference.date());
        }
        if (chosenDateTime() < reference) {
            const QSignalBlocker blocker(m_dateEdit);
            m_dateEdit->setDate(reference.date());
            m_time = reference.time();
        }
    }
    rebuildTimeItems();
}

QString DateTimePicker::distanceHint(qint64 seconds) const
{
    const qint64 minutes = seconds / 60;
    if (minutes < 60)
        return tr("%1 min").arg(minutes);
    if (minutes % 60 == 0)
        return tr("%1 hr").arg(minutes / 60);
    return tr("%1 hr %2 min").arg(minutes / 60).arg(minutes % 60);
}

void DateTimePicker::rebuildTimeItems()
{
    const QDateTime reference = m_reference ? m_reference->dateTime() : QDateTime();
    const QDate day = m_dateEdit ? m_dateEdit->date() : QDate::currentDate();
    QStringList entries;
    entries.reserve(96);
    for (int minute = 0; minute <= 1425; minute += 15) {
        const QTime time(minute / 60, minute % 60);
        QString entry = displayTime(time);
        if (reference.isValid()) {
            const qint64 seconds = reference.secsTo(QDateTime(day, time));
            if (seconds < 0)
                continue;
            if (seconds > 0)
                entry += QStringLiteral("  (%1)").arg(distanceHint(seconds));
        }
        entries.append(entry);
    }
    {
        const QSignalBlocker blocker(m_timeBox);
        m_timeBox->clear();
        m_timeBox->addItems(entries);
    }
    showTime(m_time);
}

void DateTimePicker::showTime(const QTime &time)
{
    if (!time.isValid())
        return;
    const QSignalBlocker blocker(m_timeBox);
    const QString text = displayTime(time);
    for (int row = 0; row < m_timeBox->count(); ++row) {
        if (m_timeBox->itemText(row).startsWith(text)) {
            m_timeBox->setCurrentIndex(row);
            break;
        }
    }
    if (QLineEdit *edit = m_timeBox->lineEdit())
        edit->setText(text);
}
