#pragma once

#include "store/database.h"
#include "tests/support/tempdatadir.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

// A migrated database in a temporary data directory, with small helpers for
// arranging rows the repositories under test do not write themselves.
class TestStore
{
public:
    TestStore();
    // Brought only up to `version`, migration by migration, as an older
    // program would have left it.
    explicit TestStore(int version);

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
// True while a repository holds a change announcement back (its coalescing
// timer runs): a write that announced nothing leaves none pending.
bool changeAnnouncementPending(const QObject *repository);
// One stored value as text: "<no row>" when the row is missing, "<null>" for NULL.
QString storedColumn(Database *db, const QString &table, const QString &id, const QString &column);
