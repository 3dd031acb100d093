#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QWidget>

#include <optional>

class QDateEdit;
class TimeComboBox;

// One local date and time: a date field with a calendar popup beside an
// editable list of times in 15-minute steps. Tied to a reference picker (an
// end to its start), it never lets its value fall before the reference's,
// follows the reference forward, and shows each time's distance from it.
// In date-only mode the time list is hidden and the value is the date at
// 00:00.
class DateTimePicker : public QWidget
{
    Q_OBJECT
public:
    explicit DateTimePicker(Qt::DayOfWeek firstDayOfWeek, QWidget *parent = nullptr);
    ~DateTimePicker() override;

    QDate date() const;
    QDateTime dateTime() const;
    // Shows a valid value without emitting dateTimeChanged; ignores an
    // invalid one.
    void setDateTime(const QDateTime &value);
    void setDateOnly(bool dateOnly);
    bool isDateOnly() const { return m_dateOnly; }
    // The picker this one measures from and never falls before; null unties.
    void setReference(DateTimePicker *reference);

    // A typed time in one of the accepted forms ("2pm", "14:00", "9:30 AM"),
    // after any distance hint was cut off; nothing when none reads it.
    static std::optional<QTime> parseTime(const QString &text);
    // "9:30 AM", the form of the list and the edit line.
    static QString displayTime(const QTime &time);

Q_SIGNALS:
    // After the user changed the date or committed a time.
    void dateTimeChanged(const QDateTime &dt);

private Q_SLOTS:
    void onDateChanged(const QDate &d);
    void onTimeCommit();
    void onReferenceChanged();

private:
    void rebuildTimeItems();
    void showTime(const QTime &time);
    QString distanceHint(qint64 seconds) const;
    QDateTime chosenDateTime() const;

    QDateEdit *m_dateEdit = nullptr;
    TimeComboBox *m_timeBox = nullptr;
    QTime m_time = QTime(9, 0);
    bool m_dateOnly = false;
    DateTimePicker *m_reference = nullptr;
};
