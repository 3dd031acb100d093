#pragma once

#include <QFont>
#include <QString>

// The font made smaller in half points until every word of the text fits
// the width, but no smaller than the floor: a label may wrap at its blanks,
// never inside a word.
QFont fitWordsToWidth(QFont font, const QString &text, int width, qreal floorPointSize);
