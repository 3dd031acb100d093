#pragma once

#include "app/edits/icsimportresult.h"

#include <QString>

namespace IcsImport {

// The status-bar line for a finished import into the calendar so labelled.
QString reportText(const Result &result, const QString &calendarLabel);

} // namespace IcsImport
