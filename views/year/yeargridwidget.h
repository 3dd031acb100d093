#pragma once

#include <QDate>
#include <QFont>
#include <QHash>
#include <QList>
#include <QRect>
#include <QSet>
#include <QString>
#include <QWidget>

// The twelve months of one year as small month cards, 4 × 3, with today
// circled and a dot under every busy day. A click on a day asks for it.
class YearGridWidget : public QWidget
{
    Q_OBJECT
public:
    struct DayHit
    {
        QDate date;
        QRect rect;
    };

    explicit YearGridWidget(QWidget *parent = nullptr);

    void setContent(int year, const QHash<QDate, QString> &dotColors, const QSet<QDate> &busyDays);
    void setFirstDayOfWeek(int day);
    void setClock(std::function<QDate()> today);

    int year() const { return m_year; }
    int firstDayOfWeek() const { return m_firstDayOfWeek; }
    const QSet<QDate> &busyDays() const { return m_busyDays; }
    const QHash<QDate, QString> &dotColors() const { return m_dotColors; }
    const QList<DayHit> &hitRects() const { return m_hitRects; }

    QSize sizeHint() const override;
    // Months side by side at this width: as many as keep every day number
    // readable.
    int monthColumns(int width) const;
    // The fonts of the day numbers and of the weekday initials.
    QFont dayFont() const;
    QFont initialsFont() const;

Q_SIGNALS:
    void dayActivated(const QDate &date);

protected:
    void changeEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The smallest month card whose day numbers stand apart and whose weeks
    // are a line of them high.
    QSize minimumMonthSize() const;
    static QString weekdayInitials(const QDate &date);
    void fitHeight();
    void paintMonth(QPainter &painter, int month, const QRect &outer, const QDate &today);

    int m_year = 0;
    int m_firstDayOfWeek = 1;
    QHash<QDate, QString> m_dotColors;
    QSet<QDate> m_busyDays;
    QList<DayHit> m_hitRects;
    std::function<QDate()> m_today;
};
