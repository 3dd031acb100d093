#pragma once

#include <QDate>
#include <QDialog>
#include <QList>
#include <QString>
#include <QTimeZone>

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QLabel;
class QSpinBox;
class QStackedWidget;
class QToolButton;

// Sets how an item repeats: frequency, interval, the weekdays of a weekly
// rule, the day or nth weekday of a monthly rule, and the end. Reads an
// RRULE into its controls and writes the controls back as one; a summary
// line always shows the rule that OK returns. Only that subset of RRULE is
// kept: anything else in the rule given is dropped on OK.
class RecurrenceEditDialog : public QDialog
{
    Q_OBJECT
public:
    RecurrenceEditDialog(const QString &rule, const QDate &referenceDate, int firstDayOfWeek,
                         QWidget *parent = nullptr);
    // An UNTIL given as a UTC instant shows as its day in zone.
    RecurrenceEditDialog(const QString &rule, const QDate &referenceDate, int firstDayOfWeek, const QTimeZone &zone,
                         QWidget *parent = nullptr);
    ~RecurrenceEditDialog() override;

    // The rule without the "RRULE:" name; never empty.
    QString toRRule() const;

    // "MO" … "SU" for 1 … 7, empty otherwise.
    static QString weekdayCode(int weekday);
    // The weekday a BYDAY item ends with, ordinal ignored; 0 for none.
    static int weekdayFromCode(const QString &item);

private:
    void buildUi();
    QWidget *buildWeeklyPage();
    QWidget *buildMonthlyPage();
    QWidget *buildEndBox();
    void fromRRule(const QString &rule);
    QDate untilDay(const QString &value) const;
    void readMonthly(const QString &byMonthDay, const QString &byDay);
    void updateUnitLabel();
    void updateSummary();

    QTimeZone m_zone;
    QDate m_referenceDate;
    QString m_rule;
    int m_firstDayOfWeek;
    QComboBox *m_frequency = nullptr;
    QSpinBox *m_interval = nullptr;
    QLabel *m_unit = nullptr;
    QStackedWidget *m_pages = nullptr;
    QList<QToolButton *> m_weekdays;
    QButtonGroup *m_monthlyMode = nullptr;
    QSpinBox *m_monthDay = nullptr;
    QComboBox *m_ordinal = nullptr;
    QComboBox *m_monthWeekday = nullptr;
    QButtonGroup *m_endMode = nullptr;
    QSpinBox *m_count = nullptr;
    QDateEdit *m_untilDate = nullptr;
    QLabel *m_summary = nullptr;
};
