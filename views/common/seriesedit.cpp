#include "views/common/seriesedit.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "calendar/icscodec.h"
#include "store/eventrepository.h"

namespace SeriesEdit {

int askScope(const QString &eventTitle, QWidget *parent)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("SeriesEdit", "Edit Recurring Event"),
                    QCoreApplication::translate("SeriesEdit", "\"%1\" repeats. Change every event in the series?")
                        .arg(eventTitle),
                    QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *all =
        box.addButton(QCoreApplication::translate("SeriesEdit", "All events in the series"), QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == all ? AllEventsScope : CancelScope;
}

bool apply(EventRepository *events, const Event &master, const QDateTime &occurrenceStart,
           const QDateTime &newStart, const std::optional<QDateTime> &newEnd, int scope)
{
    if (!events || scope != AllEventsScope || !occurrenceStart.isValid() || !newStart.isValid())
        return false;
    const qint64 shift = occurrenceStart.secsTo(newStart);
    qint64 endShift = shift;
    if (newEnd && master.end_time)
        endShift = newStart.secsTo(*newEnd) - master.start_time.secsTo(*master.end_time) + shift;

    Event moved = master;
    moved.start_time = master.start_time.addSecs(shift);
    if (master.end_time)
        moved.end_time = master.end_time->addSecs(endShift);
    moved.last_modified = QDateTime::currentDateTimeUtc();
    moved.sync_status = QStringLiteral("pending");
    moved.sequence = master.sequence + 1;
    moved.raw_icalendar =
        IcsCodec::patchEventTimes(master.raw_icalendar, moved.start_time, moved.end_time.value_or(moved.start_time));
    return events->update(moved);
}

} // namespace SeriesEdit
