#include "tests/support/programstart.h"

#include <QFile>

ProgramStart::ProgramStart()
{
    qputenv("CALENDAR_UPDATE_MANIFEST_URL", "http://127.0.0.1:9/");
    QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
    qputenv("CALENDAR_NONINTERACTIVE", "1");
}
