#include "ui/icsimportreport.h"

#include <QCoreApplication>

namespace IcsImport {

QString reportText(const Result &result, const QString &calendarLabel)
{
    const int written = result.imported + result.updated;
    if (result.failed > 0 && written == 0) {
        return QCoreApplication::translate("MainWindow", "Couldn't store %n event(s) in %1.", nullptr,
                                           result.failed)
            .arg(calendarLabel);
    }
    if (written == 0 && result.unchanged > 0) {
        return QCoreApplication::translate("MainWindow", "Nothing to change: %n event(s) already in %1.",
                                           nullptr, result.unchanged)
            .arg(calendarLabel);
    }

    QString text;
    if (result.imported >= 1 && result.updated >= 1)
        text = QCoreApplication::translate("MainWindow", "Imported %1 and updated %2 in %3.").arg(result.imported).arg(result.updated).arg(calendarLabel);
    else if (result.imported == 0 && result.updated == 1)
        text = QCoreApplication::translate("MainWindow", "Updated 1 existing event in %1.").arg(calendarLabel);
    else if (result.imported == 0 && result.updated >= 2)
        text = QCoreApplication::translate("MainWindow", "Updated %1 existing events in %2.").arg(result.updated).arg(calendarLabel);
    else if (result.imported == 1)
        text = QCoreApplication::translate("MainWindow", "Imported 1 event into %1.").arg(calendarLabel);
    else
        text = QCoreApplication::translate("MainWindow", "Imported %1 events into %2.").arg(result.imported).arg(calendarLabel);
    if (result.failed > 0) {
        text += QLatin1Char(' ')
            + QCoreApplication::translate("MainWindow", "%n event(s) could not be stored.", nullptr,
                                          result.failed);
    }
    return text;
}

} // namespace IcsImport
