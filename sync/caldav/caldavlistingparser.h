#pragma once

#include "sync/caldav/caldavxml.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

class QThread;

// Reads a multistatus of calendar objects on a thread of its own: the
// listing of a calendar of thousands of items is tens of milliseconds of
// XML, which the window should not wait for. The result is handed over on
// the parser's own thread; destroying the parser waits for a parse under
// way and drops its result.
class CalDavListingParser : public QObject
{
    Q_OBJECT
public:
    using Objects = QList<CalDavXml::CalendarObject>;
    // `complete` says whether the whole multistatus was read.
    using Done = std::function<void(Objects objects, bool complete)>;

    explicit CalDavListingParser(QObject *parent = nullptr);
    ~CalDavListingParser() override;

    // One parse at a time: a new one first waits for the one before.
    void parse(const QByteArray &body, const QUrl &base, Done done);

private:
    void finishThread();

    QThread *m_thread = nullptr;
};
