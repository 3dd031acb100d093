#pragma once

#include "tests/support/tempdatadir.h"

#include <QTemporaryDir>

// What a test of the program's own start needs before it makes the
// application object: a throw-away home, a private runtime folder for the
// single-instance channel, an update check that stays on this machine and a
// headless start (the first-launch welcome answers itself).
class ProgramStart
{
public:
    ProgramStart();

private:
    TempDataDir m_home;
    QTemporaryDir m_runtime;
};
