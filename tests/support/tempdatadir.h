#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away home for one test: points CALENDAR_DATA_DIR, HOME and the XDG
// folders into a temporary directory so nothing touches the real home.
class TempDataDir
{
public:
    TempDataDir();

    bool isValid() const;
    QString path() const;
    QString dataPath() const;
    QString databasePath() const;

private:
    QTemporaryDir m_dir;
};
