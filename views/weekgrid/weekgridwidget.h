#pragma once

#include "store/event.h"
#include "views/common/eventcellswidget.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>

// Eight day cards from the start date in one to eight columns as the width
// allows, each with its header, weather and the day's events as pills
// ordered by start, then "+N more". It turns clicks into signals.
class WeekGridWidget : public EventCellsWidget
{
    Q_OBJECT
public:
    struct DayHit
    {
        QDate date;
        QRect rect;
    };

    explicit WeekGridWidget(QWidget *parent = nullptr);

    void setContent(const QDate &startDate, const QList<Event> &events, const QHash<QString, QString> &calendarColors,
                    const QSet<QString> &dimmedIds, const QHash<QDate, QString> &weatherLabels);
    void setCompact(bool compact);
    void setClock(std::function<QDate()> today);

    QDate startDate() const { return m_startDate; }
    bool isCompact() const { return m_compact; }
    static int columnsFor(int width);
    const QList<EventHitRect> &eventHits() const { return m_eventHits; }
    const QList<DayHit> &dayHits() const { return m_dayHits; }
    // The overflow line of each card drawn by the last paint, by date.
    const QHash<QDate, QString> &overflowTexts() const { return m_overflowTexts; }
    // "9:05a  Title", or "• Title" for an all-day event.
    static QString lineText(const Event &event);

    QSize sizeHint() const override;

Q_SIGNALS:
    void dayActivated(const QDate &date);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void paintCard(QPainter &painter, const QRect &card, const QDate &date, const QList<const Event *> &bucket);

    QDate m_startDate;
    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<QString> m_dimmedIds;
    QHash<QDate, QString> m_weatherLabels;
    bool m_compact = false;
    QList<DayHit> m_dayHits;
    QHash<QDate, QString> m_overflowTexts;
    std::function<QDate()> m_today;
};
