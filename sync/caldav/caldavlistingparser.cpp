#include "sync/caldav/caldavlistingparser.h"

#include <QThread>

#include <memory>

namespace {

struct Parsed
{
    CalDavListingParser::Objects objects;
    bool complete = false;
};

} // namespace

CalDavListingParser::CalDavListingParser(QObject *parent)
    : QObject(parent)
{
}

CalDavListingParser::~CalDavListingParser()
{
    finishThread();
}

void CalDavListingParser::parse(const QByteArray &body, const QUrl &base, Done done)
{
    finishThread();
    auto parsed = std::make_shared<Parsed>();
    m_thread = QThread::create([parsed, body, base] {
        parsed->objects = CalDavXml::parseObjects(body, base, &parsed->complete);
    });
    connect(
        m_thread, &QThread::finished, this,
        [this, parsed, done = std::move(done)] {
            finishThread();
            done(std::move(parsed->objects), parsed->complete);
        },
        Qt::QueuedConnection);
    m_thread->start();
}

void CalDavListingParser::finishThread()
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}
