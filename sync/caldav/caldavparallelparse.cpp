#include "sync/caldav/caldavparallelparse.h"

#include "calendar/icscodec.h"

#include <QMutex>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>

#include <algorithm>
#include <atomic>
#include <memory>

namespace {

// Fewer objects than this a thread are not worth handing to it.
constexpr int kPerThread = 64;

// Shared with the helpers, which may outlive the call when they start late.
struct Work
{
    QList<QString> texts;
    QList<QList<Event>> results;
    QList<Event> *out = nullptr;
    std::atomic_int next{0};
    std::atomic_int left{0};
    QMutex mutex;
    QWaitCondition finished;
};

void parseTaken(Work &work)
{
    const int count = int(work.texts.size());
    for (int i = work.next++; i < count; i = work.next++) {
        work.out[i] = IcsCodec::parseEvents(work.texts.at(i));
        if (--work.left == 0) {
            QMutexLocker lock(&work.mutex);
            work.finished.wakeAll();
        }
    }
}

} // namespace

namespace CalDavParallelParse {

QList<QList<Event>> parse(const QList<QString> &texts)
{
    auto work = std::make_shared<Work>();
    work->texts = texts;
    work->results.resize(texts.size());
    work->out = work->results.data();
    work->left = int(texts.size());
    const int helpers = std::min(QThread::idealThreadCount() - 1, int(texts.size()) / kPerThread);
    for (int i = 0; i < helpers; ++i) {
        if (!QThreadPool::globalInstance()->tryStart([work] { parseTaken(*work); }))
            break;
    }
    parseTaken(*work);
    // What a helper took is being parsed now; wait for it.
    QMutexLocker lock(&work->mutex);
    while (work->left > 0)
        work->finished.wait(&work->mutex);
    return std::move(work->results);
}

} // namespace CalDavParallelParse
