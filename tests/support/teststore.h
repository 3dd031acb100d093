#pragma once

#include "store/database.h"
#include "tests/support/tempdatadir.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// A migrated database in a temporary data directory, with small helpers for
// arranging rows the repositories under test do not write themselves.
class TestStore
{
public:
    TestStore();

    bool isOpen() const { return m_open; }
    Database *db() { return &m_db; }
    const TempDataDir &dir() const { return m_dir; }

    bool exec(const QString &sql);
    QVariant scalar(const QString &sql);
    int count(const QString &table, const QString &where = QString());

private:
    TempDataDir m_dir;
    Database m_db;
    bool m_open = false;
};

// Inserts a local account "acc" and one calendar per id, through the
// repositories, as the usual ground for item tests.
bool seedLocalCalendars(Database *db, const QStringList &calendarIds);
// One stored value as text: "<no row>" when the row is missing, "<null>" for NULL.
QString storedColumn(Database *db, const QString &table, const QString &id, const QString &column);
